#include "view/speak_dlg.h"

#include "platform/qt/translation.h"
#include "res/resource.h"

#include <QPlainTextEdit>

CSpeakDlg::CSpeakDlg(QWidget* pParent) : CDialog(pParent) {
    setObjectName(QStringLiteral("CSpeakDlg"));
    setWindowTitle(ParlTr("Enter text to speak"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetDialogSize(186, 129);
    m_pText = new QPlainTextEdit(this);
    m_pText->setObjectName(QStringLiteral("edit%1").arg(IDC_SPEAK_TEXT));
    // Enter breaks the line (want-return); long lines wrap and the box scrolls down.
    m_pText->setTabChangesFocus(true);
    m_pText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Place(m_pText, 7, 7, 172, 73);
    AddButton(IDOK, ParlTr("OK"), 39, 96, 50, 14, true);
    AddButton(IDCANCEL, ParlTr("Cancel"), 95, 96, 50, 14);
    m_pText->setFocus();
}

CSpeakDlg::~CSpeakDlg() = default;

void CSpeakDlg::DoDataExchange(CDataExchange* pDX) {
    // The edit keeps line feeds; the text of a tag carries CR LF, as the editor's own text does.
    if (pDX->m_bSaveAndValidate) {
        std::string text;
        DDX_Text(pDX, m_pText, text);
        m_strText.clear();
        for (char c : text) {
            if (c == '\n')
                m_strText += "\r\n";
            else if (c != '\r')
                m_strText += c;
        }
    } else {
        std::string text;
        for (char c : m_strText) {
            if (c != '\r')
                text += c;
        }
        DDX_Text(pDX, m_pText, text);
    }
}
