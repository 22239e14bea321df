// Data exchange between a dialog's members and its controls: with m_bSaveAndValidate false the
// members fill the controls (before the dialog shows), with true the controls' values go back
// into the members (on OK). Texts are UTF-8 in the members.
#pragma once

#include "platform/richedit.h"

#include <string>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

class CDataExchange {
public:
    explicit CDataExchange(BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate) {}

    // Marks the exchange failed: the dialog stays open with the focus on `control`.
    void Fail(QWidget* control = nullptr);
    bool Failed() const { return m_bFailed; }

    const BOOL m_bSaveAndValidate;

private:
    bool m_bFailed = false;
};

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, std::string& value);
void DDX_Text(CDataExchange* pDX, QPlainTextEdit* edit, std::string& value);
// 0 unchecked, 1 checked.
void DDX_Check(CDataExchange* pDX, QAbstractButton* check, int& value);
// The index of the current entry, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, QComboBox* combo, int& index);
