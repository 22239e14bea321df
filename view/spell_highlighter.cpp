#include "view/spell_highlighter.h"

#include "view/spell_checker.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>

namespace {

// A paragraph's user state: the tag state it ends in, plus kChecked once its words are checked
// and kHidden while its underlines wait for it to come on screen. -1 (a new paragraph) is
// unchecked and ends outside a tag.
constexpr int kChecked = 0x100;
constexpr int kHidden = 0x200;
constexpr int kStateMask = 0xFF;

bool IsDone(const QTextBlock& block) {
    const int state = block.userState();
    return state >= 0 && (state & kChecked) != 0 && (state & kHidden) == 0;
}

bool IsChecked(const QTextBlock& block) {
    const int state = block.userState();
    return state >= 0 && (state & kChecked) != 0;
}

void MarkUnchecked(QTextBlock& block) {
    const int state = block.userState();
    if (state >= 0)
        block.setUserState(state & kStateMask);
}

// Of a slice, the part spent checking; the rest is left for laying out the paragraphs whose
// underlines changed.
constexpr int kCheckMs = CSpellHighlighter::kSliceMs / 2;

// Paragraphs whose underlines changed are laid out again together when no more than this many
// characters lie between them.
constexpr int kRelayoutGap = 4096;

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
    connect(&m_edit, &QTextEdit::cursorPositionChanged, this,
            &CSpellHighlighter::OnCursorPositionChanged);
    // Paragraphs that come on screen go first.
    connect(m_edit.verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CSpellHighlighter::ScheduleScreen);
    m_edit.viewport()->installEventFilter(this);
}

CSpellHighlighter::~CSpellHighlighter() = default;

bool CSpellHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        ScheduleScreen();
    return QObject::eventFilter(watched, event);
}

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
        SetUnderlines(block, {}, true);
        block.setUserState(-1);
    }
    Relayout();
}

void CSpellHighlighter::RecheckAll() {
    if (!m_bActive)
        return;
    MarkAllUnchecked();
    ScheduleScreen();
}

void CSpellHighlighter::MarkAllUnchecked() {
    for (QTextBlock block = m_pDoc->begin(); block.isValid(); block = block.next())
        MarkUnchecked(block);
    m_nCleanRun = 0;
}

void CSpellHighlighter::ScheduleScreen() {
    m_bScreenFirst = true;
    Schedule();
}

void CSpellHighlighter::Schedule() {
    if (m_bActive && !m_timer.isActive())
        m_timer.start();
}

void CSpellHighlighter::OnContentsChange(int position, int removed, int added) {
    // Setting underlines marks the layout dirty, which is no change of the text.
    if (m_bApplying || !m_bActive)
        return;
    // The word typed before is finished now, wherever this change is.
    if (m_nHeldEnd >= 0) {
        QTextBlock held = m_pDoc->findBlock(std::min(m_nHeldEnd, m_pDoc->characterCount() - 1));
        // Typing on in the same paragraph checks it again below anyway.
        if (held.isValid() && held != m_pDoc->findBlock(position)) {
            MarkUnchecked(held);
            m_bScreenFirst = true;
        }
    }
    // One key typed: the word that ends at the caret is still being written.
    m_nHeldEnd = removed == 0 && added == 1 ? position + added : -1;
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
            if (CheckBlock(block, true)) {
                // A tag opened or closed: the paragraphs after it read differently.
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
                m_bScreenFirst = true;
            }
            if (block == last)
                break;
        }
    } else {
        m_bScreenFirst = true;
    }
    Relayout();
    Schedule();
}

void CSpellHighlighter::OnCursorPositionChanged() {
    // The caret left the word being typed: it is finished.
    if (m_nHeldEnd < 0 || m_edit.textCursor().position() == m_nHeldEnd || !m_bActive)
        return;
    QTextBlock held = m_pDoc->findBlock(std::min(m_nHeldEnd, m_pDoc->characterCount() - 1));
    m_nHeldEnd = -1;
    if (!held.isValid())
        return;
    MarkUnchecked(held);
    CheckBlock(held, true);
    Relayout();
}

ESpellTagState CSpellHighlighter::StartState(const QTextBlock& block) const {
    const QTextBlock previous = block.previous();
    if (!previous.isValid() || previous.userState() < 0)
        return ESpellTagState::Outside;
    const int state = previous.userState() & kStateMask;
    return state < kSpellTagStateCount ? static_cast<ESpellTagState>(state)
                                       : ESpellTagState::Outside;
}

bool CSpellHighlighter::CheckBlock(QTextBlock& block, bool bShow) {
    ESpellTagState state = StartState(block);
    const QString text = block.text();
    std::vector<CSpellWord> wrong;
    const int held = m_nHeldEnd - block.position();
    for (const CSpellWord& word : FindCheckedWords(text, state)) {
        if (word.start + word.length != held &&
            !m_checker.IsCorrect(text.mid(word.start, word.length)))
            wrong.push_back(word);
    }
    const bool shown = SetUnderlines(block, wrong, bShow);
    const int old = block.userState();
    const int now = static_cast<int>(state);
    block.setUserState(now | kChecked | (shown ? 0 : kHidden));
    return old < 0 || (old & kStateMask) != now;
}

bool CSpellHighlighter::SetUnderlines(QTextBlock& block, const std::vector<CSpellWord>& wrong,
                                      bool bShow) {
    QTextLayout* layout = block.layout();
    if (layout == nullptr)
        return true;
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(static_cast<qsizetype>(wrong.size()));
    for (const CSpellWord& word : wrong)
        ranges.append({word.start, word.length, m_underline});
    if (ranges == layout->formats())
        return true;
    // Setting them has the control lay the paragraph out again, together with whatever it
    // has not laid out up to there: off screen they wait.
    if (!bShow)
        return false;
    layout->setFormats(ranges);
    // Near paragraphs are laid out again together: each relayout walks the layout.
    const int from = block.position();
    const int to = from + block.length();
    if (m_nRelayoutFrom >= 0 && (from < m_nRelayoutFrom || from > m_nRelayoutTo + kRelayoutGap))
        Relayout();
    if (m_nRelayoutFrom < 0)
        m_nRelayoutFrom = from;
    m_nRelayoutTo = std::max(m_nRelayoutTo, to);
    return true;
}

void CSpellHighlighter::Relayout() {
    if (m_nRelayoutFrom < 0)
        return;
    const int length = std::min(m_nRelayoutTo, m_pDoc->characterCount()) - m_nRelayoutFrom;
    m_bApplying = true;
    m_pDoc->markContentsDirty(m_nRelayoutFrom, length);
    m_bApplying = false;
    m_nRelayoutFrom = -1;
    m_nRelayoutTo = -1;
}

bool CSpellHighlighter::OnScreen(const QTextBlock& block) const {
    const int from = block.position();
    return from <= m_nScreenTo && from + block.length() > m_nScreenFrom;
}

void CSpellHighlighter::CheckScreen(const QElapsedTimer& clock) {
    // Finding the paragraphs on screen walks the layout: done once per scroll or change, not
    // in every slice.
    const QRect area = m_edit.viewport()->rect();
    QTextBlock block = m_edit.cursorForPosition(area.topLeft()).block();
    const QTextBlock lastShown = m_edit.cursorForPosition(area.bottomRight()).block();
    m_nScreenFrom = block.position();
    m_nScreenTo = lastShown.position() + lastShown.length();
    for (; block.isValid(); block = block.next()) {
        if (!IsDone(block)) {
            if (CheckBlock(block, true)) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
            if (clock.elapsed() >= kCheckMs)
                return;
        }
        if (block == lastShown)
            break;
    }
    m_bScreenFirst = false;
}

void CSpellHighlighter::RunSlice() {
    if (!m_bActive)
        return;
    QElapsedTimer clock;
    clock.start();

    if (m_bScreenFirst) {
        CheckScreen(clock);
        if (m_bScreenFirst) {
            Relayout();
            Schedule();
            return;
        }
    }

    // Then the rest, from where the last slice stopped, round to the start, until a whole
    // round finds nothing left.
    const int total = m_pDoc->blockCount();
    QTextBlock block = m_pDoc->findBlockByNumber(m_nSweep < total ? m_nSweep : 0);
    while (m_nCleanRun < total) {
        if (!block.isValid())
            block = m_pDoc->begin();
        if (IsChecked(block)) {
            ++m_nCleanRun;
        } else {
            m_nCleanRun = 0;
            if (CheckBlock(block, OnScreen(block))) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
        }
        block = block.next();
        if (clock.elapsed() >= kCheckMs)
            break;
    }
    m_nSweep = block.isValid() ? block.blockNumber() : 0;
    Relayout();
    if (m_nCleanRun < total)
        Schedule();
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
