#include "view/spell_highlighter.h"

#include "view/spell_checker.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <limits>

namespace {

// A paragraph's user state: the tag state it ends in, plus kChecked once its words are checked.
// -1 (a new paragraph) is unchecked and ends outside a tag.
constexpr int kChecked = 0x100;
constexpr int kStateMask = 0xFF;

// The misspelt words of a checked paragraph, kept with it.
class CSpellMarks : public QTextBlockUserData {
public:
    explicit CSpellMarks(std::vector<CSpellWord> wrong) : m_wrong(std::move(wrong)) {}
    std::vector<CSpellWord> m_wrong;
};

const std::vector<CSpellWord>* MarksOf(const QTextBlock& block) {
    const auto* marks = static_cast<const CSpellMarks*>(block.userData());
    return marks != nullptr ? &marks->m_wrong : nullptr;
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

// Paragraphs this long are left to the idle slices even when typed in.
constexpr int kLongParagraph = 4000;

// At most this many paragraphs count as on screen (a screen of empty lines at a tiny size).
constexpr int kMostOnScreen = 2000;

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
    m_nHeldEnd = -1;
    for (QTextBlock block = m_pDoc->begin(); block.isValid(); block = block.next()) {
        block.setUserData(nullptr);
        block.setUserState(-1);
    }
    ShowScreen();
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
    m_bShowDue = true;
    Schedule();
}

void CSpellHighlighter::Schedule() {
    // A slice waiting for the typing to stop comes sooner for what is on screen.
    if (m_bActive && (!m_timer.isActive() || m_timer.remainingTime() > 0))
        m_timer.start(0);
}

void CSpellHighlighter::OnContentsChange(int position, int removed, int added) {
    if (!m_bActive)
        return;
    m_lastEdit.start();
    // The layout has not taken the change yet: what is on screen is asked in the next slice.
    m_bShowDue = true;
    // The word typed before is finished now, wherever this change is.
    if (m_nHeldEnd >= 0) {
        QTextBlock held = m_pDoc->findBlock(std::min(m_nHeldEnd, m_pDoc->characterCount() - 1));
        // Typing on in the same paragraph checks it again below anyway.
        if (held.isValid() && held != m_pDoc->findBlock(position)) {
            MarkUnchecked(held);
            m_bScreenFirst = true;
            m_nCleanRun = 0;
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
    // Typing: the paragraph typed in is checked at once; a paste, a new content and the first
    // words before the dictionary is read wait for the idle slices.
    if (count <= 2 && length <= kLongParagraph && m_checker.IsReady()) {
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            if (CheckBlock(block)) {
                // A tag opened or closed: the paragraphs after it read differently.
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
                m_bScreenFirst = true;
                m_nCleanRun = 0;
            }
            if (block == last)
                break;
        }
    } else {
        // What is left unchecked has the sweep go round again.
        m_bScreenFirst = true;
        m_nCleanRun = 0;
    }
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
    CheckBlock(held);
    m_bShowDue = true;
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
    const int held = m_nHeldEnd - block.position();
    for (const CSpellWord& word : FindCheckedWords(text, state)) {
        if (word.start + word.length != held &&
            !m_checker.IsCorrect(text.mid(word.start, word.length)))
            wrong.push_back(word);
    }
    const std::vector<CSpellWord>* before = MarksOf(block);
    if (wrong.empty())
        block.setUserData(nullptr);
    else if (before == nullptr || *before != wrong)
        block.setUserData(new CSpellMarks(std::move(wrong)));
    const int old = block.userState();
    const int now = static_cast<int>(state);
    block.setUserState(now | kChecked);
    // A paragraph on screen shows what it was found to hold at the next slice.
    const int from = block.position();
    if (from <= m_nScreenTo && from + block.length() > m_nScreenFrom)
        m_bShowDue = true;
    return old < 0 || (old & kStateMask) != now;
}

std::pair<QTextBlock, QTextBlock> CSpellHighlighter::ScreenBlocks() const {
    // The layout's own answer: the paragraph at the top of the view, then each one after it
    // whose box starts above the bottom. Asking for a box lays out no more than painting does.
    QAbstractTextDocumentLayout* layout = m_pDoc->documentLayout();
    const qreal top = m_edit.verticalScrollBar()->value();
    const qreal bottom = top + m_edit.viewport()->height();
    const int at = layout->hitTest(QPointF(0, top), Qt::FuzzyHit);
    QTextBlock block = m_pDoc->findBlock(std::max(at, 0));
    if (!block.isValid())
        return {};
    const QTextBlock first = block;
    QTextBlock last = block;
    for (int n = 0; block.isValid() && n < kMostOnScreen; block = block.next(), ++n) {
        if (!block.isVisible())
            continue;
        if (layout->blockBoundingRect(block).top() > bottom)
            break;
        last = block;
    }
    return {first, last};
}

void CSpellHighlighter::ShowScreen() {
    m_bShowDue = false;
    std::vector<std::pair<int, int>> shown;
    QList<QTextEdit::ExtraSelection> selections;
    if (m_bActive) {
        const auto [first, last] = ScreenBlocks();
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            if (const std::vector<CSpellWord>* wrong = MarksOf(block)) {
                const int from = block.position();
                const int end = from + block.length() - 1;
                for (const CSpellWord& word : *wrong) {
                    // Marks of a paragraph changed since it was checked wait for the check.
                    if (from + word.start + word.length > end)
                        continue;
                    shown.emplace_back(from + word.start, word.length);
                }
            }
            if (block == last)
                break;
        }
    }
    // The underlines handed over before moved with the text since: they are compared where
    // they stand now.
    std::vector<std::pair<int, int>> standing;
    for (const QTextEdit::ExtraSelection& mark : m_edit.extraSelections()) {
        standing.emplace_back(mark.cursor.selectionStart(),
                              mark.cursor.selectionEnd() - mark.cursor.selectionStart());
    }
    if (shown == standing)
        return;
    selections.reserve(static_cast<qsizetype>(shown.size()));
    for (const auto& [start, length] : shown) {
        QTextCursor cursor(m_pDoc);
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        selections.append({cursor, m_underline});
    }
    m_edit.setExtraSelections(selections);
}

void CSpellHighlighter::CheckScreen(const QElapsedTimer& clock) {
    // Finding the paragraphs on screen asks the layout: done once per scroll or change, not in
    // every slice.
    auto [block, lastShown] = ScreenBlocks();
    if (!block.isValid()) {
        m_bScreenFirst = false;
        return;
    }
    m_nScreenFrom = block.position();
    m_nScreenTo = lastShown.position() + lastShown.length();
    for (; block.isValid(); block = block.next()) {
        if (!IsChecked(block)) {
            if (CheckBlock(block)) {
                QTextBlock next = block.next();
                if (next.isValid())
                    MarkUnchecked(next);
            }
            if (clock.elapsed() >= kSliceMs)
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
            ShowScreen();
            Schedule();
            return;
        }
    }

    // Then the rest, from where the last slice stopped, round to the start, until a whole
    // round finds nothing left; not while the user types, whose keys would wait behind it.
    const int total = m_pDoc->blockCount();
    if (!m_bFlushing && m_nCleanRun < total && m_lastEdit.isValid() &&
        m_lastEdit.elapsed() < kTypingMs) {
        if (m_bShowDue)
            ShowScreen();
        m_timer.start(kTypingMs);
        return;
    }
    QTextBlock block = m_pDoc->findBlockByNumber(m_nSweep < total ? m_nSweep : 0);
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
        if (clock.elapsed() >= kSliceMs)
            break;
    }
    m_nSweep = block.isValid() ? block.blockNumber() : 0;
    if (m_bShowDue)
        ShowScreen();
    if (m_nCleanRun < total)
        m_timer.start(0);
    else // all checked: paragraphs added later and checked at once keep it so
        m_nCleanRun = std::numeric_limits<int>::max();
}

void CSpellHighlighter::Flush() {
    m_bFlushing = true;
    while (m_bActive && m_timer.isActive()) {
        m_timer.stop();
        RunSlice();
    }
    m_bFlushing = false;
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
