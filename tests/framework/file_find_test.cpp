#include "platform/file_find.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FileFindTest : public ::testing::Test {
protected:
    void Touch(const char* name) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    std::string Folder() const { return m_dir.path().toStdString() + "/"; }

    std::vector<std::string> Titles(const std::string& pattern) {
        std::vector<std::string> titles;
        CFileFind finder;
        BOOL bWorking = finder.FindFile(pattern);
        while (bWorking) {
            bWorking = finder.FindNextFile();
            titles.push_back(finder.GetFileTitle());
        }
        return titles;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileFindTest, findsMatchingFilesInNameOrderWithTitlesWithoutExtension) {
    for (const char* name : {"merlin.acs", "genie.acs", "robby.acs", "notes.txt", "genie.acf"})
        Touch(name);
    EXPECT_EQ(Titles(Folder() + "*.acs"), (std::vector<std::string>{"genie", "merlin", "robby"}));
}

TEST_F(FileFindTest, patternsIgnoreLetterCaseAndNamesKeepTheirOwn) {
    for (const char* name : {"Genie.ACS", "merlin.acs", "peedy.Acs"})
        Touch(name);
    EXPECT_EQ(Titles(Folder() + "*.acs"), (std::vector<std::string>{"Genie", "merlin", "peedy"}));
}

TEST_F(FileFindTest, nameOrderIgnoresCaseSoUpperCaseNamesDoNotComeFirst) {
    for (const char* name : {"b.acs", "A.acs", "C.acs"})
        Touch(name);
    EXPECT_EQ(Titles(Folder() + "*.acs"), (std::vector<std::string>{"A", "b", "C"}));
}

TEST_F(FileFindTest, theLastResultReportsThatNoneFollowsAndItsPathJoinsFolderAndName) {
    Touch("only.acs");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(Folder() + "*.acs"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "only.acs");
    EXPECT_EQ(finder.GetFilePath(), Folder() + "only.acs");
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, aMissingFolderOrNoMatchFindsNothing) {
    Touch("genie.acf");
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(Folder() + "*.acs"));
    EXPECT_FALSE(finder.FindFile(Folder() + "nowhere/*.acs"));
    EXPECT_EQ(finder.GetFileTitle(), "");
}

TEST_F(FileFindTest, aFolderWithoutTrailingSlashJoinsThePatternToItsLastName) {
    // "…/Characters" + "*.acs" looks in the parent for names beginning "Characters".
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Characters")));
    Touch("Charactersgenie.acs");
    const std::string folderNoSlash = m_dir.path().toStdString() + "/Characters";
    EXPECT_EQ(Titles(folderNoSlash + "*.acs"), (std::vector<std::string>{"Charactersgenie"}));
}

TEST_F(FileFindTest, aPatternWithoutFolderSearchesTheCurrentFolder) {
    Touch("here.acs");
    const QString old = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const auto titles = Titles("*.acs");
    QDir::setCurrent(old);
    EXPECT_EQ(titles, (std::vector<std::string>{"here"}));
}

TEST(FileFindPattern, wildcardsMatchAsTheFileSystemDoes) {
    struct Row {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Row rows[] = {
        {"*.acs", "genie.acs", true},     {"*.acs", "genie.ACS", true},
        {"*.acs", "genie.acsx", false},   {"*.acs", "genie.acs.bak", false},
        {"*.acs", ".acs", true},          {"g?nie.acs", "genie.acs", true},
        {"g?nie.acs", "gnie.acs", false}, {"*", "anything", true},
        {"*e*e*", "genie", true},         {"*e*e*", "gene", true},
        {"*e*e*", "gen", false},          {"a*b", "aXbYb", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CFileFind::MatchesPattern(row.pattern, row.name), row.matches)
            << row.pattern << " against " << row.name;
}
