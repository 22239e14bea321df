// Underlines the misspelt words of the editor with the red wavy line. The underline is a format
// of the paragraphs' layouts only (the kind a syntax highlighter sets): it never enters the
// document's own formats, so the RTF the control writes, the project file and the page are the
// same with checking on and off, and setting it neither marks the message modified nor adds an
// undo step.
//
// Paragraphs are checked while the program is idle, in slices of a few milliseconds, those on
// screen first: typing in a long message never waits for the checker. Only the paragraph being
// typed in is checked at once, so that its underlines follow the text.
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

signals:
    // A slice of work ended; the bench and the tests watch it.
    void sliceDone();

private:
    void OnContentsChange(int position, int removed, int added);
    void Schedule();
    void RunSlice();
    // Checks `block` and sets its underlines; true when its end state changed.
    bool CheckBlock(QTextBlock& block);
    void SetUnderlines(QTextBlock& block, const std::vector<CSpellWord>& wrong);
    ESpellTagState StartState(const QTextBlock& block) const;
    void MarkAllUnchecked();

    QTextEdit& m_edit;
    QTextDocument* m_pDoc;
    CSpellChecker& m_checker;
    QTextCharFormat m_underline;
    QTimer m_timer;
    bool m_bActive = false;
    bool m_bApplying = false;
    int m_nSweep = 0;    // the paragraph the sweep looks at next
    int m_nCleanRun = 0; // paragraphs found checked one after the other
};
