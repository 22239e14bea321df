#include "view/spell_highlighter.h"

#include "view/spell_checker.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// A paragraph's user state: the tag state it ends in, plus kChecked once its underlines fit
// its text. -1 (a new paragraph) is unchecked and ends outside a tag.
constexpr int kChecked = 0x100;
constexpr int kStateMask = 0xFF;

bool IsChecked(const QTextBlock& block) {
    const int state = block.userState();
    return state >= 0 && (state & kChecked) != 0;
}

void MarkUnchecked(QTextBlock& block) {
    const int state = block.userState();
    if (state >= 0)
        block.setUserState(state & kStateMask);
}

// Paragraphs this long are left to the idle slices even when typed in.
constexpr int kLongParagraph = 4000;

} // namespace

CSpellHighlighter::CSpellHighlighter(QTextEdit& edit, CSpellChecker& checker)
    : QObject(&edit), m_edit(edit), m_pDoc(edit.document()), m_checker(checker) {
    m_underline.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_underline.setUnderlineColor(Qt::red);
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CSpellHighlighter::RunSlice);
    connect(m_pDoc, &QTextDocument::contentsChange, this, &CSpellHighlighter::OnContentsChange);
    // Paragraphs scrolled into view go first.
    connect(m_edit.verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CSpellHighlighter::Schedule);
}

CSpellHighlighter::~CSpellHighlighter() = default;

void CSpellHighlighter::SetActive(bool bActive) {
    if (bActive == m_bActive) {
        if (bActive)
            RecheckAll();
        return;
    }
    m_bActive = bActive;
    if (bActive) {
        RecheckAll();
        return;
    }
    m_timer.stop();
    for (QTextBlock block = m_pDoc->begin(); block.isValid(); block = block.next()) {
        SetUnderlines(block, {});
        block.setUserState(-1);
    }
}

void CSpellHighlighter::RecheckAll() {
    if (!m_bActive)
        return;
    MarkAllUnchecked();
    Schedule();
}

void CSpellHighlighter::MarkAllUnchecked() {
    for (QTextBlock block = m_pDoc->begin(); block.isValid(); block = block.next())
        MarkUnchecked(block);
    m_nCleanRun = 0;
}

void CSpellHighlighter::Schedule() {
    if (m_bActive && !m_timer.isActive())
        m_timer.start();
}

void CSpellHighlighter::OnContentsChange(int position, int removed, int added) {
    // Setting underlines marks the layout dirty, which is no change of the text.
    if (m_bApplying || !m_bActive)
        return;
    (void)removed;
    QTextBlock first = m_pDoc->findBlock(position);
    const QTextBlock last = m_pDoc->findBlock(position + added);
    int count = 0;
    int length = 0;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        MarkUnchecked(block);
        ++count;
        length += block.length();
        if (block == last)
            break;
    }
    m_nCleanRun = 0;
    // Typing: the paragraph typed in is checked at once; a paste, a new content and the first
    // words before the dictionary is read wait for the idle slices.
    if (count <= 2 && length <= kLongParagraph && m_checker.IsReady()) {
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            if (CheckBlock(block)) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
            if (block == last)
                break;
        }
    }
    Schedule();
}

ESpellTagState CSpellHighlighter::StartState(const QTextBlock& block) const {
    const QTextBlock previous = block.previous();
    if (!previous.isValid() || previous.userState() < 0)
        return ESpellTagState::Outside;
    const int state = previous.userState() & kStateMask;
    return state < kSpellTagStateCount ? static_cast<ESpellTagState>(state)
                                       : ESpellTagState::Outside;
}

bool CSpellHighlighter::CheckBlock(QTextBlock& block) {
    ESpellTagState state = StartState(block);
    const QString text = block.text();
    std::vector<CSpellWord> wrong;
    for (const CSpellWord& word : FindCheckedWords(text, state)) {
        if (!m_checker.IsCorrect(text.mid(word.start, word.length)))
            wrong.push_back(word);
    }
    SetUnderlines(block, wrong);
    const int old = block.userState();
    const int now = static_cast<int>(state);
    block.setUserState(now | kChecked);
    return old < 0 || (old & kStateMask) != now;
}

void CSpellHighlighter::SetUnderlines(QTextBlock& block, const std::vector<CSpellWord>& wrong) {
    QTextLayout* layout = block.layout();
    if (layout == nullptr)
        return;
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(static_cast<qsizetype>(wrong.size()));
    for (const CSpellWord& word : wrong)
        ranges.append({word.start, word.length, m_underline});
    if (ranges == layout->formats())
        return;
    layout->setFormats(ranges);
    m_bApplying = true;
    m_pDoc->markContentsDirty(block.position(), block.length());
    m_bApplying = false;
}

void CSpellHighlighter::RunSlice() {
    if (!m_bActive)
        return;
    QElapsedTimer clock;
    clock.start();
    const auto outOfTime = [&clock] { return clock.elapsed() >= kSliceMs; };

    // The paragraphs on screen first.
    const QRect area = m_edit.viewport()->rect();
    QTextBlock block = m_edit.cursorForPosition(area.topLeft()).block();
    const QTextBlock lastShown = m_edit.cursorForPosition(area.bottomRight()).block();
    for (; block.isValid(); block = block.next()) {
        if (!IsChecked(block)) {
            if (CheckBlock(block)) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
            if (outOfTime()) {
                Schedule();
                emit sliceDone();
                return;
            }
        }
        if (block == lastShown)
            break;
    }

    // Then the rest, from where the last slice stopped, round to the start, until a whole
    // round finds nothing left.
    const int total = m_pDoc->blockCount();
    block = m_pDoc->findBlockByNumber(m_nSweep < total ? m_nSweep : 0);
    while (m_nCleanRun < total) {
        if (!block.isValid())
            block = m_pDoc->begin();
        if (IsChecked(block)) {
            ++m_nCleanRun;
        } else {
            m_nCleanRun = 0;
            if (CheckBlock(block)) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
        }
        block = block.next();
        if (outOfTime())
            break;
    }
    m_nSweep = block.isValid() ? block.blockNumber() : 0;
    if (m_nCleanRun < total)
        Schedule();
    emit sliceDone();
}

void CSpellHighlighter::Flush() {
    while (m_bActive && m_timer.isActive()) {
        m_timer.stop();
        RunSlice();
    }
}

std::optional<CSpellWord> CSpellHighlighter::MisspeltWordAt(int position) {
    if (!m_bActive)
        return std::nullopt;
    const QTextBlock block = m_pDoc->findBlock(position);
    if (!block.isValid())
        return std::nullopt;
    ESpellTagState state = StartState(block);
    const QString text = block.text();
    const int offset = position - block.position();
    for (const CSpellWord& word : FindCheckedWords(text, state)) {
        if (offset < word.start || offset > word.start + word.length)
            continue;
        if (m_checker.IsCorrect(text.mid(word.start, word.length)))
            return std::nullopt;
        return CSpellWord{block.position() + word.start, word.length};
    }
    return std::nullopt;
}
