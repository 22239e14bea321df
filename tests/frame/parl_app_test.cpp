// Start-up: the two settings, the window with the editor, a file from the command line, and
// the About box.
#include "app/about_dlg.h"
#include "app/parl_app.h"
#include "document/parl_doc.h"
#include "frame/main_frame.h"
#include "platform/qt/modal_script.h"
#include "platform/qt/settings_store.h"
#include "res/resources.h"
#include "view/parl_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ParlAppTest : public ::testing::Test {
protected:
    ParlAppTest() {
        CSettingsStore::SetLocationOverride(m_tmp.filePath(QStringLiteral("settings.ini")));
        CResourceTables::App().Clear();
        RegisterResources();
    }
    ~ParlAppTest() override {
        m_app.reset();
        CSettingsStore::SetLocationOverride(QString());
    }

    std::string Setting(const char* entry) {
        CSettingsStore store;
        return store.GetProfileString(CSettingsStore::kSection, entry, "<absent>");
    }
    void WriteSetting(const char* entry, const std::string& value) {
        CSettingsStore store;
        store.WriteProfileString(CSettingsStore::kSection, entry, value);
        store.Sync();
    }
    // A character folder with one character, so start-up shows no message.
    void GiveCharacters() {
        QDir(m_tmp.path()).mkpath(QStringLiteral("chars"));
        QFile(m_tmp.filePath(QStringLiteral("chars/genie.acs"))).open(QIODevice::WriteOnly);
        WriteSetting(CSettingsStore::kCharacterPath,
                     m_tmp.filePath(QStringLiteral("chars")).toStdString() + "/");
    }
    BOOL Start(const QStringList& arguments = {}) {
        m_app = std::make_unique<CParlApp>();
        m_app->m_arguments = QStringList{QStringLiteral("parlino")} + arguments;
        return m_app->InitInstance();
    }
    CMainFrame* Frame() { return qobject_cast<CMainFrame*>(m_app->m_pMainWnd); }

    QTemporaryDir m_tmp;
    CModalScript m_script;
    std::unique_ptr<CParlApp> m_app;
};

} // namespace

TEST_F(ParlAppTest, TakesItsNameFromTheStringTable) {
    CParlApp app;
    EXPECT_EQ(app.m_pszAppName, "Parl");
}

TEST_F(ParlAppTest, FirstRunWritesBothFoldersWithTheirDefaults) {
    m_script.Push(CModalScript::Button(QMessageBox::Ok)); // an empty character folder
    ASSERT_TRUE(Start());
    EXPECT_EQ(Setting(CSettingsStore::kCharacterPath), CSettingsStore::DefaultCharacterPath());
    EXPECT_EQ(Setting(CSettingsStore::kCurrentPath), CSettingsStore::DefaultCurrentPath());
}

TEST_F(ParlAppTest, ExistingFoldersAreKeptEvenASingleBlank) {
    GiveCharacters();
    const std::string characters = Setting(CSettingsStore::kCharacterPath);
    WriteSetting(CSettingsStore::kCurrentPath, " ");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Setting(CSettingsStore::kCharacterPath), characters);
    EXPECT_EQ(Setting(CSettingsStore::kCurrentPath), " ");
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(ParlAppTest, StartsWithAnEmptyMessageInTheMainWindowShown) {
    GiveCharacters();
    ASSERT_TRUE(Start());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->acceptDrops());
    auto* view = qobject_cast<CParlView*>(frame->centralWidget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->toPlainText().toStdString(), "");
    EXPECT_NE(view->GetDocument(), nullptr);
    EXPECT_EQ(view->GetDocument()->GetView(), view);
    EXPECT_TRUE(frame->windowTitle().endsWith(QStringLiteral(" - Parlino")))
        << frame->windowTitle().toStdString();
    EXPECT_EQ(m_app->GetRecentFileList()->GetSize(), 4u);
}

TEST_F(ParlAppTest, OpensTheProjectNamedOnTheCommandLine) {
    GiveCharacters();
    const QString path = m_tmp.filePath(QStringLiteral("hello.plp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello there\\par }");
    file.close();
    ASSERT_TRUE(Start({path}));
    auto* view = qobject_cast<CParlView*>(Frame()->centralWidget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->toPlainText().toStdString(), "Hello there");
    EXPECT_TRUE(Frame()->windowTitle().startsWith(QStringLiteral("hello.plp")));
}

TEST_F(ParlAppTest, AboutShowsOnlyTheIconTheVersionLineAndOk) {
    GiveCharacters();
    ASSERT_TRUE(Start());
    QStringList texts;
    int buttons = 0;
    bool hasIcon = false;
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                hasIcon = true;
            else
                texts << label->text();
        }
        for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
            ++buttons;
            EXPECT_EQ(button->text(), "OK");
            EXPECT_TRUE(button->isDefault());
        }
    }));
    Frame()->SendCommand(ID_APP_ABOUT);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "CAboutDlg");
    EXPECT_EQ(m_script.Last().title, "About Parl");
    EXPECT_EQ(texts, (QStringList{"Parlino Version 2 beta"}));
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(hasIcon);
}

TEST_F(ParlAppTest, FileDroppedOnTheTextIsOpenedNotPastedIn) {
    GiveCharacters();
    ASSERT_TRUE(Start());
    auto* view = qobject_cast<CParlView*>(Frame()->centralWidget());
    ASSERT_NE(view, nullptr);
    const QString path = m_tmp.filePath(QStringLiteral("dropped.plp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 From the desktop\\par }");
    file.close();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(path);
    const QPoint at = view->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &drop);
    EXPECT_EQ(view->toPlainText().toStdString(), "From the desktop");
    EXPECT_TRUE(Frame()->windowTitle().startsWith(QStringLiteral("dropped.plp")));
}
