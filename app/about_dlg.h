// The About box: the program's icon, its version line and OK.
#pragma once

#include "platform/qt/dialog.h"

#include <QIcon>

class QLabel;

#include "res/resource.h"

class CAboutDlg : public CDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    QLabel* m_pIcon;
    QLabel* m_pVersion;
};
