#include "app/about_dlg.h"

#include "platform/qt/translation.h"
#include "res/images.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(pParent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(ParlTr("About Parl"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    SetDialogSize(217, 55);
    setFixedSize(size());

    // An icon control keeps the picture's own size: 32 by 32 pixels.
    m_pIcon = new QLabel(this);
    m_pIcon->setPixmap(AppIcon().pixmap(32, 32));
    const QRect at = DialogUnits().ToPixels(11, 17, 0, 0);
    m_pIcon->setGeometry(at.x(), at.y(), 32, 32);

    m_pVersion = new QLabel(ParlTr("Parlino Version 2 beta"), this);
    m_pVersion->setTextFormat(Qt::PlainText);
    Place(m_pVersion, 40, 8, 119, 8);

    AddButton(IDOK, ParlTr("OK"), 178, 7, 32, 14, true);
}
