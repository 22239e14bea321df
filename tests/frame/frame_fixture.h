// Shared by the frame and view tests: a temporary folder holding the settings and a character
// folder, the program's resource tables, an application object, a scripted user, and the main
// window built as the program builds it. Header-only so both test programs can use it.
#pragma once

#include "frame/main_frame.h"
#include "platform/qt/modal_script.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/system_metrics.h"
#include "platform/qt/win_app.h"
#include "res/resources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : m_oldCurrent(QDir::currentPath()) {
        CSettingsStore::SetLocationOverride(m_tmp.filePath(QStringLiteral("settings.ini")));
        CResourceTables::App().Clear();
        RegisterResources();
        m_app = std::make_unique<CWinApp>("Parl");
        m_app->SetRegistryKey(CSettingsStore::kOrganisation);
        m_app->LoadStdProfileSettings(4);
    }

    ~MainWindowTest() override {
        m_frame.reset();
        m_app.reset();
        ClearSystemMetricOverrides();
        CSettingsStore::SetLocationOverride(QString());
        QDir::setCurrent(m_oldCurrent);
    }

    // A folder in the temporary folder holding empty files of the given names; returns its path
    // with a trailing '/'.
    std::string MakeFolder(const QString& name, const QStringList& files = {}) {
        QDir(m_tmp.path()).mkpath(name);
        const QString folder = m_tmp.filePath(name);
        for (const QString& file : files) {
            QFile f(QDir(folder).filePath(file));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return folder.toStdString() + "/";
    }

    void SetCharacterPath(const std::string& value) {
        m_app->WriteProfileString(CSettingsStore::kSection, CSettingsStore::kCharacterPath, value);
    }

    // The main window as the document template builds it, with genie.acs in the character
    // folder unless the test set a folder of its own.
    CMainFrame& BuildFrame() {
        if (m_app->GetProfileString(CSettingsStore::kSection, CSettingsStore::kCharacterPath)
                .empty())
            SetCharacterPath(MakeFolder(QStringLiteral("characters"), {"genie.acs"}));
        m_frame = std::make_unique<CMainFrame>();
        EXPECT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME));
        return *m_frame;
    }

    QTemporaryDir m_tmp;
    QString m_oldCurrent;
    CModalScript m_script;
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
};
