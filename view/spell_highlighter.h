// Underlines the misspelt words of the editor with the red wavy line. The underline is a format
// of the paragraphs' layouts only (the kind a syntax highlighter sets): it never enters the
// document's own formats, so the RTF the control writes, the project file and the page are the
// same with checking on and off, and setting it neither marks the message modified nor adds an
// undo step.
//
// Paragraphs are checked while the program is idle, in slices of a few milliseconds, those on
// screen first: typing in a long message never waits for the checker. Only the paragraph being
// typed in is checked at once, so that its underlines follow the text; the word being typed is
// marked once it is finished (a blank typed after it, or the caret gone elsewhere). A paragraph off
// screen gets its underlines when it comes on screen: setting them has the control lay it out
// again, with all it has not laid out before it, which far down a long message is slow.
//
// Each paragraph keeps in its user state the tag state it ends in (see spell_words.h) and
// whether its underlines are up to date; a paragraph whose end state changes has the next one
// checked again.
#pragma once

#include "view/spell_words.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTextCharFormat>
#include <QTimer>
#include <optional>

class CSpellChecker;
class QTextBlock;
class QTextDocument;
class QTextEdit;

class CSpellHighlighter : public QObject {
    Q_OBJECT

public:
    CSpellHighlighter(QTextEdit& edit, CSpellChecker& checker);
    ~CSpellHighlighter() override;

    // On: every paragraph is checked again (after a change of language or of the word lists
    // too). Off: every underline goes.
    void SetActive(bool bActive);
    bool IsActive() const { return m_bActive; }
    void RecheckAll();

    // True while paragraphs wait to be checked.
    bool IsPending() const { return m_timer.isActive(); }
    // Checks everything that waits, now.
    void Flush();
    // The longest slice of idle work, in milliseconds.
    static constexpr int kSliceMs = 4;

    // The checked word at document position `position` (a caret position at the word's start,
    // inside it or at its end) when it is misspelt.
    std::optional<CSpellWord> MisspeltWordAt(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnContentsChange(int position, int removed, int added);
    void OnCursorPositionChanged();
    void Schedule();
    // The paragraphs on screen go first in the next slice.
    void ScheduleScreen();
    void RunSlice();
    // Checks the paragraphs on screen (and shows their underlines) until the slice's time is
    // up; clears m_bScreenFirst when they are all done.
    void CheckScreen(const QElapsedTimer& clock);
    // Checks `block`; its underlines are set when `bShow` (else they wait for it to come on
    // screen). True when its end state changed.
    bool CheckBlock(QTextBlock& block, bool bShow);
    // Sets the underlines of `block` when `bShow` or when they are unchanged (false when they
    // wait); the layout takes them at the next Relayout.
    bool SetUnderlines(QTextBlock& block, const std::vector<CSpellWord>& wrong, bool bShow);
    void Relayout();
    ESpellTagState StartState(const QTextBlock& block) const;
    void MarkAllUnchecked();
    bool OnScreen(const QTextBlock& block) const;

    QTextEdit& m_edit;
    QTextDocument* m_pDoc;
    CSpellChecker& m_checker;
    QTextCharFormat m_underline;
    QTimer m_timer;
    bool m_bActive = false;
    bool m_bApplying = false;
    bool m_bScreenFirst = false; // paragraphs on screen may wait
    int m_nScreenFrom = 0;       // the positions on screen at the last CheckScreen
    int m_nScreenTo = -1;
    int m_nRelayoutFrom = -1; // the stretch whose underlines changed since the last Relayout
    int m_nRelayoutTo = -1;
    int m_nHeldEnd = -1; // the end of the word being typed, which waits to be marked
    int m_nSweep = 0;    // the paragraph the sweep looks at next
    int m_nCleanRun = 0; // paragraphs found checked one after the other
};
