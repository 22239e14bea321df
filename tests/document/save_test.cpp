#include "document_fixture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QThread>
#include <sys/stat.h>

namespace {

using SaveTest = DocumentTest;

// What the save dialog showed when it came up.
struct ShownSaveDialog {
    QStringList filters;
    QString selectedFilter;
    QString folder;
    QStringList proposed;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
};

CModalScript::Answer Inspect(ShownSaveDialog& shown, CModalScript::Answer then) {
    return [&shown, then](QWidget& modal) {
        auto& dialog = static_cast<QFileDialog&>(modal);
        shown.filters = dialog.nameFilters();
        shown.selectedFilter = dialog.selectedNameFilter();
        shown.folder = dialog.directory().absolutePath();
        shown.proposed = dialog.selectedFiles();
        shown.mode = dialog.acceptMode();
        return then(modal);
    };
}

bool IsProjectFile(const std::string& bytes) {
    return bytes.compare(0, 6, "{\\rtf1") == 0;
}

// The e-mail file of `page`: its characters and one zero byte.
std::string EmailFile(const std::string& page) {
    return page + std::string(1, '\0');
}

// When the file was last written, to the nanosecond.
std::pair<time_t, long> WrittenAt(const QString& path) {
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return {0, 0};
    return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

} // namespace

TEST_F(SaveTest, theFileNameAloneDecidesTheKindAndWhetherTheEmailIsRemembered) {
    struct Row {
        const char* proves;
        const char* typed;
        int filter;
        const char* written;
        bool page;
        bool remembered;
    };
    const Row rows[] = {
        {"an e-mail typed without extension gets .htm", "hello", 2, "hello.htm", true, true},
        {"a project typed without extension gets .plp", "hello", 1, "hello.plp", false, false},
        {"an upper-case .HTM is an e-mail", "UPPER.HTM", 1, "UPPER.HTM", true, true},
        {"a .html is an e-mail", "page.html", 1, "page.html", true, true},
        {"a .Html in mixed case is an e-mail", "Page.Html", 2, "Page.Html", true, true},
        {"html without a dot is a project", "xhtml", 1, "xhtml.plp", false, false},
        {"a typed .htm is an e-mail whatever the type", "mail.htm", 1, "mail.htm", true, true},
        {"a name ending in temp.htm is never remembered", "attemp.htm", 2, "attemp.htm", true,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.proves);
        // The page of the row before left the text unsaved as a project.
        Doc().SetModifiedFlag(FALSE);
        m_app->OnFileNew();
        Type("Hello <genie Play Wave>");
        SaveAs(PathOf(row.typed), row.filter);
        const std::string bytes = ReadFile(PathOf(row.written));
        if (row.page) {
            EXPECT_EQ(bytes, EmailFile(Doc().m_strHtml));
            EXPECT_NE(Doc().m_strHtml.find("genie"), std::string::npos);
            EXPECT_EQ(Doc().m_nSaveKind, 1);
        } else {
            EXPECT_TRUE(IsProjectFile(bytes)) << bytes.substr(0, 40);
            EXPECT_EQ(Doc().m_nSaveKind, 0);
        }
        EXPECT_EQ(Doc().m_strLastEmailPath, row.remembered ? PathOf(row.written) : "");
        // The page is an export: only a project save keeps the typed text.
        EXPECT_EQ(Doc().IsModified(), row.page ? TRUE : FALSE);
    }
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(SaveTest, anEmailSaveLeavesTitleAndRecentListWhileAProjectSaveSetsBoth) {
    const std::string titleBefore = Doc().GetTitle();
    Type("Hello");
    SaveAs(PathOf("hello"), 2);
    EXPECT_EQ(Doc().GetTitle(), titleBefore);
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_TRUE(RecentFiles().empty());

    SaveAs(PathOf("hello"), 1);
    EXPECT_EQ(Doc().GetTitle(), "hello.plp");
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
    EXPECT_EQ(RecentFiles(), std::vector<std::string>{PathOf("hello.plp")});

    // A later e-mail save keeps the project as the document's file.
    Type(" again");
    SaveAs(PathOf("again"), 2);
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
    EXPECT_EQ(Doc().GetTitle(), "hello.plp");
    EXPECT_EQ(RecentFiles(), std::vector<std::string>{PathOf("hello.plp")});
    EXPECT_EQ(Doc().m_strLastEmailPath, PathOf("again.htm"));
}

TEST_F(SaveTest, theSaveDialogAsksForAnEmailOrAProjectInThatOrder) {
    ShownSaveDialog shown;
    m_script.Push(Inspect(shown, CModalScript::Reject()));
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "QFileDialog");
    EXPECT_EQ(m_script.Last().title, "Save as an email or a project?");
    EXPECT_EQ(shown.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(shown.filters,
              (QStringList{"Parlino Project files (*.plp)", "Html Email files (*.htm)"}));
    EXPECT_EQ(shown.selectedFilter, "Parlino Project files (*.plp)");
}

TEST_F(SaveTest, aCancelledSaveWritesNothingAndLeavesTheSettingsAlone) {
    Type("Hello");
    m_script.Push(CModalScript::Reject());
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Setting(CSettingsStore::kCurrentPath), "<absent>");
    QStringList files = QDir(m_tmp.path()).entryList(QDir::Files);
    files.removeAll(QStringLiteral("settings.ini"));
    EXPECT_TRUE(files.isEmpty()) << files.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(QDir(QString::fromStdString(PathOf("cwd"))).isEmpty());
}

TEST_F(SaveTest, saveProposesTheProjectOrElseTheLastEmailsNameInTheCurrentPathFolder) {
    QDir(m_tmp.path()).mkdir(QStringLiteral("mail"));
    QDir(m_tmp.path()).mkdir(QStringLiteral("last"));
    Type("Hello");
    SaveAs(PathOf("mail/hello"), 2);
    m_app->WriteProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath,
                              PathOf("last") + "/");

    ShownSaveDialog shown;
    m_script.Push(Inspect(shown, CModalScript::Reject()));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(shown.folder.toStdString(), PathOf("last"));
    EXPECT_EQ(shown.proposed, QStringList{QString::fromStdString(PathOf("last/hello.htm"))});

    SaveAs(PathOf("mail/project"), 1);
    ShownSaveDialog again;
    m_script.Push(Inspect(again, CModalScript::Reject()));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(again.folder.toStdString(), PathOf("mail"));
    EXPECT_EQ(again.proposed, QStringList{QString::fromStdString(PathOf("mail/project.plp"))});
}

TEST_F(SaveTest, theCurrentPathIsWrittenOnlyWhenTheFolderChanges) {
    QDir(m_tmp.path()).mkdir(QStringLiteral("a"));
    QDir(m_tmp.path()).mkdir(QStringLiteral("b"));
    const QString ini = m_tmp.filePath(QStringLiteral("settings.ini"));
    Type("Hello");
    SaveAs(PathOf("a/one"), 1);
    EXPECT_EQ(Setting(CSettingsStore::kCurrentPath), PathOf("a") + "/");

    // Every write of a setting rewrites the file, even with the value it already holds.
    auto written = WrittenAt(ini);
    QThread::msleep(20);
    m_app->WriteProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath,
                              PathOf("a") + "/");
    ASSERT_NE(WrittenAt(ini), written) << "a write could not be told from none";

    written = WrittenAt(ini);
    QThread::msleep(20);
    SaveAs(PathOf("a/two"), 2);
    EXPECT_EQ(WrittenAt(ini), written) << "the same folder was written again";

    SaveAs(PathOf("b/three"), 1);
    EXPECT_EQ(Setting(CSettingsStore::kCurrentPath), PathOf("b") + "/");
    EXPECT_NE(WrittenAt(ini), written);
}

TEST_F(SaveTest, anEmailFileIsThePageAndOneZeroByte) {
    Type("Hello");
    Format(0, 5, 0x0000FF, true);
    SaveAs(PathOf("hello"), 2);
    const std::string bytes = ReadFile(PathOf("hello.htm"));
    ASSERT_EQ(bytes.size(), Doc().m_strHtml.size() + 1);
    EXPECT_EQ(bytes.back(), '\0');
    EXPECT_EQ(bytes.find('\0'), bytes.size() - 1);
    EXPECT_NE(Doc().m_strHtml.find("FF0000"), std::string::npos) << "the red run is missing";
}

TEST_F(SaveTest, aProjectFileReadsBackToTheSameTextAndFormats) {
    Type("Hello <genie Speak Hi>");
    Format(6, 22, 0x0000FF, true);
    SaveAs(PathOf("hello"), 1);
    const std::string saved = ReadFile(PathOf("hello.plp"));
    m_app->OnFileNew();
    EXPECT_EQ(Text(), "");
    ASSERT_NE(m_app->OpenDocumentFile(PathOf("hello.plp")), nullptr);
    EXPECT_EQ(Text(), "Hello <genie Speak Hi>");
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
    SaveAs(PathOf("again"), 1);
    EXPECT_EQ(ReadFile(PathOf("again.plp")), saved);
}

TEST_F(SaveTest, aMessageSavedAsEmailAndProjectGivesTheSamePageWhenReopened) {
    Type("Dear reader, ");
    Type("<genie Play Wave>");
    Format(13, 31, 0x0000FF, false);
    Type(" and goodbye.");
    Format(32, 35, 0, true);
    SaveAs(PathOf("hello"), 2);
    SaveAs(PathOf("hello"), 1);
    const std::string page = ReadFile(PathOf("hello.htm"));

    m_app->OnFileNew();
    ASSERT_NE(m_app->OpenDocumentFile(PathOf("hello.plp")), nullptr);
    SaveAs(PathOf("reopened"), 2);
    const std::string again = ReadFile(PathOf("reopened.htm"));
    EXPECT_EQ(again, page);
    EXPECT_NE(page.find("Play \"Wave\""), std::string::npos) << page;
}
