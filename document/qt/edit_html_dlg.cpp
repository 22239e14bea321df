#include "document/qt/edit_html_dlg.h"

#include "platform/qt/translation.h"
#include "rtf/rtf_codepage.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

CEditHtmlDlg::CEditHtmlDlg(QWidget* pParent) : CDialog(pParent) {
    setObjectName(QStringLiteral("CEditHtmlDlg"));
    setWindowTitle(ParlTr("Edit HTML"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    SetDialogSize(186, 186);

    QPushButton* ok = AddButton(IDOK, ParlTr("OK"), 33, 165, 50, 14, true);
    QPushButton* cancel = AddButton(IDCANCEL, ParlTr("Cancel"), 90, 165, 50, 14);

    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(QStringLiteral("1001"));
    // Long lines wrap; Enter inserts a line break, since the edit takes the key itself.
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setFocusPolicy(Qt::StrongFocus);
    Place(edit, 7, 7, 172, 141);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, edit);
    m_wndHtmlEdit = edit;
    // The keyboard starts in the page text: a key typed at once edits it and never closes the
    // dialog through its OK button.
    edit->setFocus(Qt::OtherFocusReason);
}

QString CEditHtmlDlg::ToEditText(const std::string& page) {
    QString text;
    text.reserve(static_cast<qsizetype>(page.size()));
    for (std::size_t i = 0; i < page.size(); ++i) {
        const auto byte = static_cast<unsigned char>(page[i]);
        if (byte == '\r' && i + 1 < page.size() && page[i + 1] == '\n')
            continue;
        text += QChar(CRtfCodePage::Cp1252ToUnicode(byte));
    }
    return text;
}

std::string CEditHtmlDlg::FromEditText(const QString& text) {
    std::string page;
    page.reserve(static_cast<std::size_t>(text.size()) + 64);
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            page += "\r\n";
            continue;
        }
        const int byte = CRtfCodePage::UnicodeToCp1252(c.unicode());
        page += static_cast<char>(byte >= 0 ? byte : '?');
    }
    return page;
}

void CEditHtmlDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate) {
        m_wndHtmlEdit->setPlainText(ToEditText(m_strSource));
        // As the edit gives it back, which may differ in a stray carriage return.
        m_shownText = m_wndHtmlEdit->toPlainText();
        return;
    }
    const QString text = m_wndHtmlEdit->toPlainText();
    if (text != m_shownText)
        m_strSource = FromEditText(text);
}

void CEditHtmlDlg::resizeEvent(QResizeEvent* event) {
    CDialog::resizeEvent(event);
    // The size given while the dialog is made is the template's; the edit keeps its place
    // until the dialog's size changes after that.
    if (m_wndHtmlEdit == nullptr || !event->oldSize().isValid())
        return;
    const QRect client = rect();
    m_wndHtmlEdit->setGeometry(client.left() + 10, client.top() + 10,
                               std::max(0, client.width() - 20),
                               std::max(0, client.height() - 110));
}
