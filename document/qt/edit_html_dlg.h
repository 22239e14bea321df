// The dialog in which the user edits the compiled page by hand: one large edit that follows the
// dialog's size, OK and Cancel.
//
//     CEditHtmlDlg dlg;
//     dlg.m_strSource = doc.m_strHtml;
//     if (dlg.DoModal() == IDOK) doc.m_strHtml = dlg.m_strSource;
#pragma once

#include "platform/qt/dialog.h"

#include <QString>
#include <string>

class QPlainTextEdit;

class CEditHtmlDlg : public CDialog {
    Q_OBJECT

public:
    enum { IDD = 136, IDC_HTML_EDIT = 1001 };

    explicit CEditHtmlDlg(QWidget* pParent = nullptr);
    ~CEditHtmlDlg() override = default;

    // The edit; nullptr until the dialog has made it.
    QPlainTextEdit* m_wndHtmlEdit = nullptr;
    // The page, in the program's 8-bit text.
    std::string m_strSource;

    // The page's 8-bit text as the edit shows it, and back. Lines end in "\n" in the edit and
    // in "\r\n" in the page, as the compiler writes them.
    static QString ToEditText(const std::string& page);
    static std::string FromEditText(const QString& text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Lays the edit out with margins of 10 pixels at left, top and right and 100 below, on
    // every change of size after the dialog was made; the buttons stay where they are.
    void resizeEvent(QResizeEvent* event) override;

private:
    // What the edit was given, so that OK on an untouched text keeps the page byte for byte.
    QString m_shownText;
};
