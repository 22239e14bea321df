#include "framework_fixture.h"

#include <QStandardPaths>

using SettingsTest = FrameworkTest;

TEST_F(SettingsTest, valuesWrittenAreReadBackByANewStoreInTheSameLocation) {
    EXPECT_TRUE(m_app->WriteProfileString("Settings", "Current Path", "/home/ann/mail/"));
    CSettingsStore other;
    EXPECT_EQ(other.GetProfileString("Settings", "Current Path"), "/home/ann/mail/");
    EXPECT_TRUE(other.FileName().startsWith(m_tmp.path())) << other.FileName().toStdString();
}

TEST_F(SettingsTest, anAbsentEntryReadsAsTheDefaultAndAnEmptyOneAsEmpty) {
    EXPECT_EQ(m_app->GetProfileString("Settings", "Character Path", "fallback"), "fallback");
    m_app->WriteProfileString("Settings", "Character Path", "");
    EXPECT_EQ(m_app->GetProfileString("Settings", "Character Path", "fallback"), "");
    // A single blank is a value like any other.
    m_app->WriteProfileString("Settings", "Character Path", " ");
    EXPECT_EQ(m_app->GetProfileString("Settings", "Character Path", "fallback"), " ");
}

TEST_F(SettingsTest, integersFallBackToTheDefaultWhenAbsentOrNotANumber) {
    EXPECT_EQ(m_app->GetProfileInt("Settings", "Width", 7), 7);
    m_app->WriteProfileInt("Settings", "Width", 535);
    EXPECT_EQ(m_app->GetProfileInt("Settings", "Width", 7), 535);
    m_app->WriteProfileString("Settings", "Width", "wide");
    EXPECT_EQ(m_app->GetProfileInt("Settings", "Width", 7), 7);
}

TEST_F(SettingsTest, defaultFoldersAreAbsoluteAndEndInASlash) {
    const std::string characters = CSettingsStore::DefaultCharacterPath();
    const std::string current = CSettingsStore::DefaultCurrentPath();
    const std::string data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    EXPECT_EQ(characters, data + "/Parlino/Characters/");
    EXPECT_EQ(current, QDir::homePath().toStdString() + "/");
    EXPECT_EQ(characters.front(), '/');
    EXPECT_EQ(current.front(), '/');
}

TEST_F(SettingsTest, theRecentListKeepsFourNewestFirstWithoutDuplicates) {
    for (const char* name : {"a.plp", "b.plp", "c.plp", "d.plp", "b.plp", "e.plp"})
        m_app->AddToRecentFileList(PathOf(name));
    const CRecentFileList& list = *m_app->GetRecentFileList();
    ASSERT_EQ(list.GetCount(), 4u);
    EXPECT_EQ(list[0], PathOf("e.plp"));
    EXPECT_EQ(list[1], PathOf("b.plp"));
    EXPECT_EQ(list[2], PathOf("d.plp"));
    EXPECT_EQ(list[3], PathOf("c.plp"));
}

TEST_F(SettingsTest, theRecentListSurvivesARestartOfTheApplication) {
    m_app->AddToRecentFileList(PathOf("first & last.plp"));
    m_app->AddToRecentFileList(PathOf("second.plp"));
    m_app.reset();
    m_app = std::make_unique<CWinApp>("Parl");
    m_app->SetRegistryKey("Vantroy");
    m_app->LoadStdProfileSettings(4);
    const CRecentFileList& list = *m_app->GetRecentFileList();
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list[0], PathOf("second.plp"));
    EXPECT_EQ(list[1], PathOf("first & last.plp"));
    EXPECT_EQ(list.GetDisplayName(1), "&2 " + PathOf("first && last.plp"));
}
