// The About box: its caption, the icon, the version line and OK, and nothing else.
#include "app/about_dlg.h"
#include "platform/qt/modal_script.h"
#include "res/images.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(AboutBox, showsOnlyTheIconTheVersionLineAndOk) {
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "About Parl");

    QStringList texts;
    int pictures = 0;
    for (const QLabel* label : dlg.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull())
            ++pictures;
        else
            texts << label->text();
    }
    EXPECT_EQ(texts, QStringList{"Parlino Version 2 beta"});
    EXPECT_EQ(pictures, 1);

    const QList<QPushButton*> buttons = dlg.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->isDefault());
}

TEST(AboutBox, isLaidOutInDialogUnitsWithTheIconAtItsPlace) {
    CAboutDlg dlg;
    const CDialogUnits du = dlg.DialogUnits();
    EXPECT_EQ(dlg.size(), QSize(du.ToPixelsX(217), du.ToPixelsY(55)));
    EXPECT_EQ(dlg.m_pIcon->geometry(), QRect(du.ToPixelsX(11), du.ToPixelsY(17), 32, 32));
    EXPECT_EQ(dlg.m_pVersion->geometry(), du.ToPixels(40, 8, 119, 8));
    EXPECT_EQ(dlg.m_pIcon->pixmap().size(), QSize(32, 32));
}

TEST(AboutBox, runsThroughTheModalSeamAndOkEndsIt) {
    CModalScript script;
    script.Push(CModalScript::Accept());
    CAboutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(script.Last().kind, "CAboutDlg");
    EXPECT_EQ(script.Last().title, "About Parl");

    CAboutDlg shown;
    shown.show();
    shown.findChild<QPushButton*>()->click();
    EXPECT_EQ(shown.result(), QDialog::Accepted);
    EXPECT_FALSE(shown.isVisible());
}

TEST(AboutBox, theMainIconComesFromTheProgramsOwnResources) {
    const QIcon icon = AppIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}
