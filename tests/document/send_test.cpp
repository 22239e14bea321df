#include "document_fixture.h"

#include "document/qt/edit_html_dlg.h"

#include <QPlainTextEdit>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

class SendTest : public DocumentTest {
protected:
    SendTest() { InstallMailer(); }
    std::string Cwd() const { return PathOf("cwd"); }
    // The preview page goes to the program's cache folder, never where the user works.
    static std::string Preview() { return CParlDoc::PreviewFilePath(); }
    // A page without an e-mail of its own goes out named after the message.
    static std::string Named(const std::string& stem) {
        return QFileInfo(QString::fromStdString(Preview())).path().toStdString() + "/mail/" + stem +
               ".htm";
    }
    // The arguments of xdg-email: the message's text, a line about the page, the page.
    static std::string Mail(const std::string& text, const std::string& attachment) {
        const std::string name =
            QFileInfo(QString::fromStdString(attachment)).fileName().toStdString();
        return "--utf8\n--body\n" + text + "\n\n" + CParlDoc::MailClosingLine(name) +
               "\n\n--attach\n" + attachment + "\n";
    }
};

} // namespace

TEST_F(SendTest, aMessageNeverSavedAsEmailIsSentAsThePreviewFileInTheCacheFolder) {
    Type("Hello <genie Play Wave>");
    const std::string titleBefore = Doc().GetTitle();
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(Preview(),
              QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString() +
                  "/temp.htm");
    EXPECT_EQ(WaitForMail(), Mail("Hello", Named("Untitled")));
    EXPECT_EQ(ReadFile(Named("Untitled")), ReadFile(Preview()));
    EXPECT_EQ(ReadFile(Preview()), Doc().m_strHtml + std::string(1, '\0'));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Cwd() + "/temp.htm")));
    EXPECT_NE(Doc().m_strHtml.find("genie"), std::string::npos);
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_EQ(Doc().GetTitle(), titleBefore);
    EXPECT_EQ(Doc().m_strLastEmailPath, "");
    EXPECT_TRUE(RecentFiles().empty());
    // The preview file holds none of the user's work: the message still asks to be saved.
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(SendTest, aProjectKeepsItsPathNameAndTitleAfterSendingThePreviewFile) {
    Type("Hello");
    SaveAs(PathOf("hello"), 1);
    Command(ID_FILE_SEND_MAIL);
    // Not in the project's folder, whatever the current folder is.
    EXPECT_EQ(WaitForMail(), Mail("Hello", Named("hello")));
    EXPECT_EQ(ReadFile(Named("hello")), ReadFile(Preview()));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(PathOf("temp.htm"))));
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
    EXPECT_EQ(Doc().GetTitle(), "hello.plp");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(RecentFiles(), std::vector<std::string>{PathOf("hello.plp")});
}

TEST_F(SendTest, anUnchangedMessageSendsItsEmailWithoutWritingAnything) {
    Type("Hello");
    SaveAs(PathOf("hello"), 2);
    // Whatever stands in the file now is what goes out, since nothing is written.
    WriteFile(PathOf("hello.htm"), "as it was");
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(WaitForMail(), Mail("Hello", PathOf("hello.htm")));
    EXPECT_EQ(ReadFile(PathOf("hello.htm")), "as it was");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Cwd() + "/temp.htm")));
    EXPECT_EQ(Doc().GetPathName(), "");
}

TEST_F(SendTest, aMessageChangedSinceItsEmailWritesTheEmailAgainBeforeSending) {
    Type("Hello");
    SaveAs(PathOf("hello"), 2);
    Type(" <genie Speak Changed>");
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(WaitForMail(), Mail("Hello", PathOf("hello.htm")));
    const std::string sent = ReadFile(PathOf("hello.htm"));
    EXPECT_NE(sent.find("Changed"), std::string::npos);
    EXPECT_EQ(sent, Doc().m_strHtml + std::string(1, '\0'));
    // Still no project holds the text.
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(SendTest, aChangeThatAProjectSaveClearedStillRefreshesTheEmail) {
    Type("Hello");
    SaveAs(PathOf("hello"), 2);
    Type(" again");
    SaveAs(PathOf("hello"), 1);
    ASSERT_FALSE(Doc().IsModified());
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(WaitForMail(), Mail("Hello again", PathOf("hello.htm")));
    EXPECT_NE(ReadFile(PathOf("hello.htm")).find("again"), std::string::npos);
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
}

TEST_F(SendTest, aHandEditedPageIsWhatGoesOut) {
    Type("Hello");
    m_script.Push(CModalScript::Accept([](QDialog& dialog) {
        auto& dlg = static_cast<CEditHtmlDlg&>(dialog);
        dlg.m_wndHtmlEdit->setPlainText(QStringLiteral("<P>by hand</P>"));
    }));
    Command(CParlDoc::kCmdEditHtml);
    Type(" more");
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(WaitForMail(), Mail("Hello more", Named("Untitled")));
    EXPECT_EQ(ReadFile(Named("Untitled")), ReadFile(Preview()));
    EXPECT_EQ(ReadFile(Preview()), std::string("<P>by hand</P>") + '\0');
}

TEST_F(SendTest, aPreviewFileThatCannotBeWrittenIsNotSent) {
    // A folder of the preview file's name stands where the file would go.
    QFile::remove(QString::fromStdString(Preview()));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Preview())));
    Type("Hello");
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    Command(ID_FILE_SEND_MAIL);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_TRUE(m_script.Last().text.startsWith(
        QString::fromStdString("Could not save \"" + Preview() + "\".\n")))
        << m_script.Last().text.toStdString();
    // A mail program started by mistake would have written within this time.
    QThread::msleep(500);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(MailLog())));
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_TRUE(Doc().IsModified());
    QDir(QString::fromStdString(Preview())).removeRecursively();
}

TEST_F(SendTest, anEmailFileThatIsGoneIsWrittenAgainBeforeSending) {
    Type("Hello");
    SaveAs(PathOf("hello"), 2);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(PathOf("hello.htm"))));
    Command(ID_FILE_SEND_MAIL);
    EXPECT_EQ(WaitForMail(), Mail("Hello", PathOf("hello.htm")));
    EXPECT_EQ(ReadFile(PathOf("hello.htm")), Doc().m_strHtml + std::string(1, '\0'));
}
