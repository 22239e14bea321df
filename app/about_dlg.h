// The About box: the program's icon, its version line and OK.
#pragma once

#include "platform/qt/dialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

    static constexpr const char* kVersionLine = "Parlino Version 2 beta";
};
