#include "document_fixture.h"
#include "support/file_faults.h"

#include <QFileInfo>

namespace {

using SaveFailureTest = DocumentTest;

std::string OldBytes(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(i * 7 % 256);
    return bytes;
}

} // namespace

TEST_F(SaveFailureTest, aProjectSaveIntoAReadOnlyFolderTakesBackPathTitleAndModifiedFlag) {
    const std::string folder = PathOf("locked");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    Type("Hello");
    SaveAs(PathOf("first"), 1);
    SaveAs(folder + "/hello", 1);
    Type(" changed");
    ReadOnlyFolder locked(QString::fromStdString(folder));
    if (!locked.IsReadOnly())
        GTEST_SKIP() << "chattr cannot make a folder read-only for this user here";
    WriteFile(PathOf("first.plp"), "old project");

    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("first")), 1));
    m_script.Push(CModalScript::Button(QMessageBox::Yes)); // replace first.plp
    // Saving over the project in the locked folder fails; the earlier save there made it.
    const std::string path = folder + "/hello.plp";
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(path), 1));
    m_script.Push(CModalScript::Button(QMessageBox::Yes)); // replace hello.plp
    m_script.Push(CModalScript::Button(QMessageBox::Ok));  // the failure
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(Doc().GetPathName(), PathOf("first.plp"));
    Type(" again");
    const std::string before = ReadFile(path);
    Command(ID_FILE_SAVE_AS);

    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(Doc().GetPathName(), PathOf("first.plp"));
    EXPECT_EQ(Doc().GetTitle(), "first.plp");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{PathOf("first.plp"), path}));
    ASSERT_EQ(m_script.Shown().size(), 7u); // two earlier saves, then these five
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + path + "\".\n")));
    EXPECT_TRUE(m_script.Last().text.contains(QStringLiteral("not permitted")) ||
                m_script.Last().text.contains(QStringLiteral("ermission denied")))
        << m_script.Last().text.toStdString();
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(SaveFailureTest, anEmailThatCannotBeWrittenIsNotRememberedAndTheMessageStaysModified) {
    const std::string folder = PathOf("locked");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    Type("Hello");
    SaveAs(PathOf("sent"), 2);
    Type(" changed");
    ReadOnlyFolder locked(QString::fromStdString(folder));
    if (!locked.IsReadOnly())
        GTEST_SKIP() << "chattr cannot make a folder read-only for this user here";
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(folder + "/hello"), 2));
    m_script.Push(CModalScript::Button(QMessageBox::Ok)); // the failure
    Command(ID_FILE_SAVE_AS);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder + "/hello.htm")));
    EXPECT_EQ(Doc().m_strLastEmailPath, PathOf("sent.htm"));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + folder + "/hello.htm\".\n")))
        << m_script.Last().text.toStdString();
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(SaveFailureTest, aSaveThatStopsHalfwayLeavesTheOldFileByteForByte) {
    std::string big;
    for (int i = 0; big.size() < 200 * 1024; ++i)
        big += "Line " + std::to_string(i) + " of a long message <genie Speak Line>\n";
    View().SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(big.c_str()));
    struct Row {
        const char* proves;
        const char* name;
        int filter;
    };
    for (const Row& row : {Row{"a project", "big.plp", 1}, Row{"an e-mail", "big.htm", 2}}) {
        SCOPED_TRACE(row.proves);
        const std::string path = PathOf(row.name);
        const std::string old = OldBytes(3000);
        WriteFile(path, old);
        const std::string pathBefore = Doc().GetPathName();
        const std::string emailBefore = Doc().m_strLastEmailPath;
        ASSERT_TRUE(Doc().IsModified());
        m_script.Push(CModalScript::ChooseFile(QString::fromStdString(path), row.filter));
        m_script.Push(CModalScript::Button(QMessageBox::Yes)); // replace
        m_script.Push(CModalScript::Button(QMessageBox::Ok));  // the failure
        {
            FileSizeLimit limit(64 * 1024);
            Command(ID_FILE_SAVE_AS);
        }
        EXPECT_EQ(ReadFile(path), old);
        QStringList files = QDir(m_tmp.path()).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(QStringLiteral("settings.ini"));
        files.removeAll(QStringLiteral("big.plp"));
        files.removeAll(QStringLiteral("big.htm"));
        EXPECT_TRUE(files.isEmpty()) << "left behind: " << files.join(' ').toStdString();
        EXPECT_TRUE(m_script.Last().text.startsWith(
            QString::fromStdString("Could not save \"" + path + "\".\n")));
        EXPECT_TRUE(m_script.Last().text.endsWith(QStringLiteral("File too large")))
            << m_script.Last().text.toStdString();
        EXPECT_EQ(Doc().GetPathName(), pathBefore);
        EXPECT_EQ(Doc().m_strLastEmailPath, emailBefore);
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(m_script.Unanswered(), 0);
    EXPECT_TRUE(RecentFiles().empty());
}

TEST_F(SaveFailureTest, aNameTooLongForTheSystemIsReportedWithItsReasonAndChangesNothing) {
    Type("Hello");
    SaveAs(PathOf("first"), 1);
    Type(" changed");
    const std::string stem = PathOf(std::string(300, 'n'));
    for (const std::string& path : {stem + ".plp", stem + ".htm"}) {
        SCOPED_TRACE(path.substr(path.size() - 4));
        m_script.Push(CModalScript::Button(QMessageBox::Ok));
        EXPECT_FALSE(Doc().OnSaveDocument(path));
        EXPECT_TRUE(m_script.Last().text.startsWith(
            QString::fromStdString("Could not save \"" + path + "\".\n")));
        EXPECT_TRUE(m_script.Last().text.endsWith(QStringLiteral("File name too long")))
            << m_script.Last().text.toStdString();
        EXPECT_EQ(Doc().GetPathName(), PathOf("first.plp"));
        EXPECT_EQ(Doc().GetTitle(), "first.plp");
        EXPECT_EQ(Doc().m_strLastEmailPath, "");
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(RecentFiles(), std::vector<std::string>{PathOf("first.plp")});
}
