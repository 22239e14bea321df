// The speak-text dialog: the words a Speak tag makes the character say. It opens empty; OK
// hands the text over with its line breaks as CR LF.
#pragma once

#include "platform/qt/dialog.h"

#include <string>

class QPlainTextEdit;

class CSpeakDlg : public CDialog {
    Q_OBJECT

public:
    explicit CSpeakDlg(QWidget* pParent = nullptr);
    ~CSpeakDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;

    std::string m_strText;

    QPlainTextEdit* TextEdit() const { return m_pText; }

private:
    QPlainTextEdit* m_pText; // edit 1000
};
