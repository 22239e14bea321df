// Find and Replace of the editor: the standard editing commands Find (Ctrl+F), Find Next (F3)
// and Replace (Ctrl+H). The dialog stays open while the user steps through the text with its
// buttons, and closes with Cancel; what was looked for is remembered for Find Next.
#pragma once

#include "platform/qt/dialog.h"

#include <QString>

class QCheckBox;
class QLineEdit;
class QTextEdit;

// What the last search looked for.
struct CFindState {
    QString strFind;
    QString strReplace;
    bool bMatchCase = false;
    bool bWholeWord = false;
};

// Selects the next match of the state's text after the selection of `edit`, going on from the
// start of the text when the end is reached. False when the text holds none.
bool FindNextIn(QTextEdit& edit, const CFindState& state);
// Tells the user that `text` is not in the message.
void ReportTextNotFound(const QString& text);
// Replaces every match in the whole text as one step of undo; returns how many.
int ReplaceAllIn(QTextEdit& edit, const CFindState& state);

class CFindReplaceDlg : public CDialog {
    Q_OBJECT

public:
    // `bReplace` adds the replacement field and the Replace and Replace All buttons.
    CFindReplaceDlg(QTextEdit& edit, CFindState& state, bool bReplace, QWidget* pParent = nullptr);
    ~CFindReplaceDlg() override;

    void OnFindNext();
    void OnReplace();
    void OnReplaceAll();

    // Control names, for scripted answers.
    static constexpr const char* kFindEdit = "findWhat";
    static constexpr const char* kReplaceEdit = "replaceWith";
    static constexpr const char* kFindNextButton = "findNext";
    static constexpr const char* kReplaceButton = "replace";
    static constexpr const char* kReplaceAllButton = "replaceAll";

private:
    void TakeControls();

    QTextEdit& m_edit;
    CFindState& m_state;
    QLineEdit* m_pFind;
    QLineEdit* m_pReplace = nullptr;
    QCheckBox* m_pWholeWord;
    QCheckBox* m_pMatchCase;
};
