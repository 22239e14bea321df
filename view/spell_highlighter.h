// Underlines the misspelt words of the editor with the red wavy line. The underlines are drawn
// over the text when it is painted (the editor's extra selections): they never enter the
// document, neither its formats nor its layout, so the RTF the control writes, the project file
// and the page are the same with checking on and off, setting them neither marks the message
// modified nor adds an undo step, and the control lays the text out exactly as it would without
// them (in a long message it goes on laying it out in the background, and a keystroke lays out
// its own paragraph only).
//
// Paragraphs are checked while the program is idle, in slices of a few milliseconds, those on
// screen first, those off screen only when the typing pauses: typing in a long message never
// waits for the checker. Only the paragraph being
// typed in is checked at once, so that its underlines follow the text; the word being typed is
// marked once it is finished (a blank typed after it, or the caret gone elsewhere). Only the
// words of the paragraphs on screen are handed to the editor, as the layout places them.
//
// Each paragraph keeps in its user state the tag state it ends in (see spell_words.h) and
// whether it is checked, and in its user data its misspelt words; a paragraph whose end state
// changes has the next one checked again.
#pragma once

#include "view/spell_words.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTextCharFormat>
#include <QTimer>
#include <optional>
#include <utility>
#include <vector>

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
    // The paragraphs off screen wait while keys come faster than this, in milliseconds.
    static constexpr int kTypingMs = 500;

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
    // Checks the paragraphs on screen until the slice's time is up; clears m_bScreenFirst when
    // they are all done.
    void CheckScreen(const QElapsedTimer& clock);
    // Checks `block` and keeps its misspelt words. True when its end state changed.
    bool CheckBlock(QTextBlock& block);
    // Hands the misspelt words of the paragraphs on screen to the editor when they changed.
    void ShowScreen();
    // The first and last paragraph on screen, as the layout places them.
    std::pair<QTextBlock, QTextBlock> ScreenBlocks() const;
    ESpellTagState StartState(const QTextBlock& block) const;
    void MarkAllUnchecked();

    QTextEdit& m_edit;
    QTextDocument* m_pDoc;
    CSpellChecker& m_checker;
    QTextCharFormat m_underline;
    QTimer m_timer;
    bool m_bActive = false;
    bool m_bFlushing = false;
    QElapsedTimer m_lastEdit;    // since the last change of the text
    bool m_bScreenFirst = false; // paragraphs on screen may wait
    bool m_bShowDue = false;     // the underlines on screen may be out of date
    int m_nScreenFrom = 0;       // the positions on screen at the last CheckScreen
    int m_nScreenTo = -1;
    int m_nHeldEnd = -1; // the end of the word being typed, which waits to be marked
    int m_nSweep = 0;    // the paragraph the sweep looks at next
    int m_nCleanRun = 0; // paragraphs found checked one after the other
};
