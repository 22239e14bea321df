#include "app/about_dlg.h"

#include "res/images.h"
#include "res/resource.h"

#include <QLabel>

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(pParent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("About Parl"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetDialogSize(217, 55);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(AppIcon().pixmap(32, 32));
    icon->setGeometry(QRect(DialogUnits().ToPixels(11, 17, 0, 0).topLeft(), QSize(32, 32)));

    auto* version = new QLabel(QString::fromLatin1(kVersionLine), this);
    version->setObjectName(QStringLiteral("version"));
    version->setTextFormat(Qt::PlainText);
    Place(version, 40, 8, 119, 8);

    AddButton(IDOK, QStringLiteral("OK"), 178, 7, 32, 14, true);
}

CAboutDlg::~CAboutDlg() = default;
