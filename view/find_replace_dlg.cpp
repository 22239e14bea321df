#include "view/find_replace_dlg.h"

#include "platform/qt/message_box.h"
#include "platform/qt/translation.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QTextDocument::FindFlags FlagsOf(const CFindState& state) {
    QTextDocument::FindFlags flags;
    if (state.bMatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (state.bWholeWord)
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

// True when the selection is exactly a match of the state's text.
bool SelectionMatches(const QTextEdit& edit, const CFindState& state) {
    const QTextCursor cursor = edit.textCursor();
    if (!cursor.hasSelection())
        return false;
    const QTextCursor match =
        edit.document()->find(state.strFind, cursor.selectionStart(), FlagsOf(state));
    return !match.isNull() && match.selectionStart() == cursor.selectionStart() &&
           match.selectionEnd() == cursor.selectionEnd();
}

} // namespace

bool FindNextIn(QTextEdit& edit, const CFindState& state) {
    if (state.strFind.isEmpty())
        return false;
    QTextDocument* doc = edit.document();
    QTextCursor match = doc->find(state.strFind, edit.textCursor().selectionEnd(), FlagsOf(state));
    if (match.isNull())
        match = doc->find(state.strFind, 0, FlagsOf(state));
    if (match.isNull())
        return false;
    edit.setTextCursor(match);
    return true;
}

void ReportTextNotFound(const QString& text) {
    AfxMessageBox(ParlTrArgs("Cannot find \"%1\".", {text.toStdString()}),
                  MB_OK | MB_ICONINFORMATION);
}

int ReplaceAllIn(QTextEdit& edit, const CFindState& state) {
    if (state.strFind.isEmpty())
        return 0;
    QTextDocument* doc = edit.document();
    QTextCursor block(doc);
    block.beginEditBlock();
    int count = 0;
    QTextCursor match = doc->find(state.strFind, 0, FlagsOf(state));
    while (!match.isNull()) {
        // The replacement takes the format of the text it replaces.
        match.insertText(state.strReplace);
        ++count;
        match = doc->find(state.strFind, match.position(), FlagsOf(state));
    }
    block.endEditBlock();
    return count;
}

CFindReplaceDlg::CFindReplaceDlg(QTextEdit& edit, CFindState& state, bool bReplace,
                                 QWidget* pParent)
    : CDialog(pParent), m_edit(edit), m_state(state) {
    setObjectName(bReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setWindowTitle(bReplace ? ParlTr("Replace") : ParlTr("Find"));
    const int fieldX = bReplace ? 54 : 46;
    const int fieldWidth = bReplace ? 114 : 128;
    const int buttonX = bReplace ? 174 : 182;
    SetDialogSize(bReplace ? 230 : 236, bReplace ? 94 : 62);

    auto* findLabel = new QLabel(ParlTr("Fi&nd what:"), this);
    Place(findLabel, 6, 9, fieldX - 8, 8);
    m_pFind = new QLineEdit(m_state.strFind, this);
    m_pFind->setObjectName(QString::fromLatin1(kFindEdit));
    Place(m_pFind, fieldX, 7, fieldWidth, 12);
    findLabel->setBuddy(m_pFind);
    int y = 26;
    if (bReplace) {
        auto* replaceLabel = new QLabel(ParlTr("Re&place with:"), this);
        Place(replaceLabel, 6, 26, fieldX - 8, 8);
        m_pReplace = new QLineEdit(m_state.strReplace, this);
        m_pReplace->setObjectName(QString::fromLatin1(kReplaceEdit));
        Place(m_pReplace, fieldX, 24, fieldWidth, 12);
        replaceLabel->setBuddy(m_pReplace);
        y = 46;
    }
    m_pWholeWord = new QCheckBox(ParlTr("Match &whole word only"), this);
    m_pWholeWord->setChecked(m_state.bWholeWord);
    Place(m_pWholeWord, 6, y, 104, 12);
    m_pMatchCase = new QCheckBox(ParlTr("Match &case"), this);
    m_pMatchCase->setChecked(m_state.bMatchCase);
    Place(m_pMatchCase, 6, y + 16, 104, 12);

    auto addButton = [this, buttonX](const char* name, const QString& text, int top,
                                     void (CFindReplaceDlg::*handler)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        Place(button, buttonX, top, 50, 14);
        connect(button, &QPushButton::clicked, this, handler);
        return button;
    };
    QPushButton* findNext = addButton(kFindNextButton, ParlTr("&Find Next"), bReplace ? 4 : 5,
                                      &CFindReplaceDlg::OnFindNext);
    findNext->setDefault(true);
    findNext->setAutoDefault(true);
    if (bReplace) {
        addButton(kReplaceButton, ParlTr("&Replace"), 21, &CFindReplaceDlg::OnReplace);
        addButton(kReplaceAllButton, ParlTr("Replace &All"), 38, &CFindReplaceDlg::OnReplaceAll);
    }
    AddButton(IDCANCEL, ParlTr("Cancel"), buttonX, bReplace ? 55 : 23, 50, 14);
    m_pFind->setFocus();
}

CFindReplaceDlg::~CFindReplaceDlg() = default;

void CFindReplaceDlg::TakeControls() {
    m_state.strFind = m_pFind->text();
    if (m_pReplace != nullptr)
        m_state.strReplace = m_pReplace->text();
    m_state.bWholeWord = m_pWholeWord->isChecked();
    m_state.bMatchCase = m_pMatchCase->isChecked();
}

void CFindReplaceDlg::OnFindNext() {
    TakeControls();
    if (!m_state.strFind.isEmpty() && !FindNextIn(m_edit, m_state))
        ReportTextNotFound(m_state.strFind);
}

void CFindReplaceDlg::OnReplace() {
    TakeControls();
    if (m_state.strFind.isEmpty())
        return;
    // The first press finds; each later one replaces the match found and finds the next.
    if (SelectionMatches(m_edit, m_state)) {
        QTextCursor cursor = m_edit.textCursor();
        cursor.insertText(m_state.strReplace);
        m_edit.setTextCursor(cursor);
    }
    if (!FindNextIn(m_edit, m_state))
        ReportTextNotFound(m_state.strFind);
}

void CFindReplaceDlg::OnReplaceAll() {
    TakeControls();
    if (!m_state.strFind.isEmpty() && ReplaceAllIn(m_edit, m_state) == 0)
        ReportTextNotFound(m_state.strFind);
}
