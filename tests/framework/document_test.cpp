#include "framework_fixture.h"
#include "support/file_faults.h"

#include <QFileInfo>
#include <stdexcept>

using DocumentTest = FrameworkTest;

namespace {

// Stores half of the text, then fails as a disk that fills up would.
class CFailingDoc : public CTestDoc {
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.Write("partial", 7);
            throw std::runtime_error("The disk quota is exceeded.");
        }
        CTestDoc::Serialize(ar);
    }
};

std::string Bytes(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(i * 7 % 256);
    return bytes;
}

} // namespace

TEST_F(DocumentTest, saveWritesWhatSerializeStoresAndClearsBothModifiedStates) {
    CTestDoc doc;
    doc.m_edit.m_text = "{\\rtf1 Hello\\par }";
    doc.m_edit.m_modified = true;
    ASSERT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.OnSaveDocument(PathOf("hello.plp")));
    EXPECT_EQ(ReadFile(PathOf("hello.plp")), "{\\rtf1 Hello\\par }");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.m_edit.m_modified);
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(DocumentTest, theModifiedFlagCombinesTheDocumentsOwnAndTheControls) {
    CTestDoc doc;
    EXPECT_FALSE(doc.IsModified());
    doc.m_edit.m_modified = true; // typing
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc.m_edit.m_modified);
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag(TRUE);
    EXPECT_TRUE(doc.m_edit.m_modified);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, aSaveIntoAReadOnlyFolderFailsNamingTheFileAndLeavesTheOldOne) {
    const std::string folder = PathOf("locked");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string path = folder + "/hello.plp";
    WriteFile(path, "old text");
    ReadOnlyFolder locked(QString::fromStdString(folder));
    if (!locked.IsReadOnly())
        GTEST_SKIP() << "this user may write into read-only folders";
    CTestDoc doc;
    doc.m_edit.m_text = "new text";
    doc.SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(path), "old text");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + path + "\".\n")));
    EXPECT_TRUE(m_script.Last().text.contains(QStringLiteral("not permitted")) ||
                m_script.Last().text.contains(QStringLiteral("ermission denied")))
        << m_script.Last().text.toStdString();
}

TEST_F(DocumentTest, aSaveBelowAFileFailsWithTheSystemsReason) {
    WriteFile(PathOf("plain.txt"), "x");
    const std::string path = PathOf("plain.txt/hello.plp");
    CTestDoc doc;
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().icon, QMessageBox::Warning);
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + path + "\".\n")));
    EXPECT_GT(m_script.Last().text.size(), static_cast<int>(path.size()) + 20)
        << "no reason given: " << m_script.Last().text.toStdString();
}

TEST_F(DocumentTest, aWriteThatFailsMidwayLeavesTheOldFileByteForByte) {
    const std::string path = PathOf("hello.htm");
    const std::string old = Bytes(3000);
    WriteFile(path, old);
    CTestDoc doc;
    doc.m_edit.m_text = Bytes(512 * 1024);
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    {
        FileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(doc.OnSaveDocument(path));
    }
    EXPECT_EQ(ReadFile(path), old);
    QStringList files = QDir(m_tmp.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("settings.ini"));
    EXPECT_EQ(files, QStringList{"hello.htm"}) << "a temporary file was left behind";
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + path + "\".\n")));
    EXPECT_TRUE(m_script.Last().text.endsWith(QStringLiteral("File too large")))
        << m_script.Last().text.toStdString();
}

TEST_F(DocumentTest, aSerializeThatFailsWritesNothingAndReportsWhy) {
    const std::string path = PathOf("hello.plp");
    WriteFile(path, "old text");
    CFailingDoc doc;
    doc.SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(path), "old text");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(m_script.Last().text.contains(QStringLiteral("The disk quota is exceeded.")));
}

TEST_F(DocumentTest, anOpenThatCannotReadTheFileNamesItSaysWhyAndKeepsTheText) {
    const std::vector<UnreadablePath> rows = MakeUnreadablePaths(m_tmp.path());
    ASSERT_FALSE(rows.empty());
    for (const UnreadablePath& row : rows) {
        CTestDoc doc;
        doc.m_edit.m_text = "keep me";
        m_script.Push(CModalScript::Button(QMessageBox::Ok));
        EXPECT_FALSE(doc.OnOpenDocument(row.path)) << row.path;
        EXPECT_EQ(doc.m_edit.m_text, "keep me");
        EXPECT_EQ(m_script.Last().text.toStdString(),
                  "Could not open \"" + row.path + "\".\n" + row.reason);
    }
}

TEST_F(DocumentTest, openEmptiesTheTextLoadsTheFileAndLeavesTheDocumentUnmodified) {
    WriteFile(PathOf("hello.plp"), "{\\rtf1 loaded\\par }");
    CTestDoc doc;
    doc.m_edit.m_text = "old";
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnOpenDocument(PathOf("hello.plp")));
    EXPECT_EQ(doc.m_edit.m_text, "{\\rtf1 loaded\\par }");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, newEmptiesTheTextAndForgetsThePath) {
    CTestDoc doc;
    doc.SetPathName(PathOf("hello.plp"));
    doc.m_edit.m_text = "old";
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_edit.m_text, "");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, theTitleIsTheFileNameOfThePathOrUntitled) {
    CTestDoc doc;
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    doc.SetPathName(PathOf("hello.plp"));
    EXPECT_EQ(doc.GetTitle(), "hello.plp");
    EXPECT_EQ(doc.GetPathName(), PathOf("hello.plp"));
    doc.SetPathName("");
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DocumentTest, aRelativePathNameIsTakenInTheCurrentFolder) {
    QDir::setCurrent(m_tmp.path());
    CTestDoc doc;
    doc.SetPathName("temp.htm", FALSE);
    EXPECT_EQ(doc.GetPathName(), QDir(QDir::currentPath()).filePath("temp.htm").toStdString());
}

TEST_F(DocumentTest, onlyAPathNameSetWithTheRecentListJoinsIt) {
    CTestDoc doc;
    doc.SetPathName(PathOf("project.plp"));
    doc.SetPathName(PathOf("temp.htm"), FALSE);
    const CRecentFileList& list = *m_app->GetRecentFileList();
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list[0], PathOf("project.plp"));
}

TEST_F(DocumentTest, saveModifiedAsksOnlyForAModifiedDocument) {
    CTestDoc doc;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(DocumentTest, saveModifiedFollowsTheAnswer) {
    struct Row {
        QMessageBox::StandardButton answer;
        BOOL goOn;
        bool saved;
    };
    const Row rows[] = {
        {QMessageBox::Yes, TRUE, true},
        {QMessageBox::No, TRUE, false},
        {QMessageBox::Cancel, FALSE, false},
    };
    for (const Row& row : rows) {
        QFile::remove(QString::fromStdString(PathOf("hello.plp")));
        CTestDoc doc;
        doc.SetPathName(PathOf("hello.plp"), FALSE);
        doc.m_edit.m_text = "text";
        doc.SetModifiedFlag();
        m_script.Push(CModalScript::Button(row.answer));
        EXPECT_EQ(doc.SaveModified(), row.goOn) << row.answer;
        EXPECT_EQ(m_script.Last().text, "Save changes to hello.plp?");
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(PathOf("hello.plp"))), row.saved);
    }
}

TEST_F(DocumentTest, yesOnAnUntitledDocumentAsksForANameAndCancellingThatStops) {
    CTestDoc doc;
    doc.m_edit.m_text = "text";
    doc.SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    m_script.Push(CModalScript::Reject());
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(doc.IsModified());

    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("named.plp"))));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(ReadFile(PathOf("named.plp")), "text");
    EXPECT_EQ(doc.GetTitle(), "named.plp");
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(DocumentTest, yesRunsTheDocumentsOwnSaveCommand) {
    CTestDoc doc;
    int ownSaves = 0;
    doc.OnCommand(ID_FILE_SAVE, [&] {
        ++ownSaves;
        doc.OnSaveDocument(PathOf("own.htm"));
    });
    doc.SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(ownSaves, 1);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(PathOf("own.htm"))));
}
