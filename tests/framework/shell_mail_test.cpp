#include "framework_fixture.h"

#include "platform/qt/mail_sender.h"
#include "platform/qt/shell_open.h"
#include "platform/qt/system_metrics.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace {

class ShellMailTest : public FrameworkTest {
protected:
    ShellMailTest() : m_oldPath(qgetenv("PATH")) {
        QDir(m_tmp.path()).mkdir(QStringLiteral("bin"));
        QDir(m_tmp.path()).mkdir(QStringLiteral("empty"));
    }
    ~ShellMailTest() override {
        qputenv("PATH", m_oldPath);
        SetShellOpenHook({});
    }

    // Puts a stand-in xdg-email first on the PATH, running `body` under `interpreter`.
    void InstallMailer(const std::string& interpreter, const std::string& body) {
        const std::string script = PathOf("bin/xdg-email");
        WriteFile(script, "#!" + interpreter + "\n" + body);
        QFile::setPermissions(QString::fromStdString(script), QFileDevice::ReadOwner |
                                                                  QFileDevice::WriteOwner |
                                                                  QFileDevice::ExeOwner);
        qputenv("PATH", QByteArray::fromStdString(PathOf("bin")) + ":" + m_oldPath);
    }
    void RemoveMailerFromPath() { qputenv("PATH", QByteArray::fromStdString(PathOf("empty"))); }

    // Waits up to five seconds for a detached program to write `path`.
    std::string WaitForFile(const std::string& path) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            const std::string text = ReadFile(path);
            if (!text.empty() && text != "<unreadable>" && text.back() == '\n')
                return text;
            QThread::msleep(20);
        }
        return "<nothing written>";
    }

    QByteArray m_oldPath;
};

} // namespace

TEST_F(ShellMailTest, shellOpenHandsTheHookTheAbsoluteFileUrlOfARelativeName) {
    QDir::setCurrent(m_tmp.path());
    std::vector<QUrl> opened;
    SetShellOpenHook([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    EXPECT_TRUE(ShellOpen("temp.htm"));
    EXPECT_TRUE(ShellOpen(PathOf("help/main.htm")));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir::current().filePath(QStringLiteral("temp.htm"))));
    EXPECT_EQ(opened[1].toLocalFile().toStdString(), PathOf("help/main.htm"));
}

TEST_F(ShellMailTest, aReplacedShellHookIsHandedBackForRestoring) {
    SetShellOpenHook([](const QUrl&) { return false; });
    ShellOpenHook previous = SetShellOpenHook([](const QUrl&) { return true; });
    ASSERT_TRUE(previous);
    EXPECT_FALSE(previous(QUrl()));
    EXPECT_TRUE(ShellOpen("x.htm"));
}

TEST_F(ShellMailTest, sendIsOfferedOnlyWhenXdgEmailIsOnThePath) {
    CTestDoc doc;
    InstallMailer("/bin/sh", "exit 0\n");
    CCmdUI offered(ID_FILE_SEND_MAIL);
    ASSERT_TRUE(doc.OnCmdMsg(ID_FILE_SEND_MAIL, &offered));
    EXPECT_EQ(offered.Enabled(), std::optional<bool>(true));
    EXPECT_EQ(offered.Visible(), std::optional<bool>(true));

    RemoveMailerFromPath();
    CCmdUI withheld(ID_FILE_SEND_MAIL);
    doc.OnCmdMsg(ID_FILE_SEND_MAIL, &withheld);
    EXPECT_EQ(withheld.Enabled(), std::optional<bool>(false));
    EXPECT_EQ(withheld.Visible(), std::optional<bool>(false));
}

TEST_F(ShellMailTest, sendAttachesTheDocumentsFileByItsAbsolutePath) {
    const std::string record = PathOf("arguments.txt");
    InstallMailer("/bin/sh",
                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record + "'; done\n");
    QDir::setCurrent(m_tmp.path());
    CTestDoc doc;
    doc.SetPathName("temp email.htm", FALSE);
    doc.OnCmdMsg(ID_FILE_SEND_MAIL, nullptr);
    // A document without a mail text of its own sends no --body; the text is UTF-8.
    EXPECT_EQ(WaitForFile(record), "--utf8\n--attach\n" + PathOf("temp email.htm") + "\n");
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(ShellMailTest, aMailProgramThatCannotStartIsReportedNamingTheFile) {
    InstallMailer("/nonexistent/interpreter", "");
    CTestDoc doc;
    doc.SetPathName(PathOf("hello.htm"), FALSE);
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    doc.OnCmdMsg(ID_FILE_SEND_MAIL, nullptr);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_TRUE(m_script.Last().text.startsWith(QString::fromStdString(
        "Could not start the mail program xdg-email to send \"" + PathOf("hello.htm") + "\".\n")))
        << m_script.Last().text.toStdString();
}

TEST_F(ShellMailTest, systemMetricsGiveTheFreeScreenHeightAndNoDoubleByteSupport) {
    EXPECT_GT(GetSystemMetrics(SM_CYFULLSCREEN), 0);
    EXPECT_LE(GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
    EXPECT_TRUE(AfxSocketInit());
    EXPECT_TRUE(AfxOleInit());
}
