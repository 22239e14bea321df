// The whole road of a recovery copy through the real program: a message typed into the window,
// the process killed, the next start in the same folders offering the copy, and Restore giving
// back the same message. The program is driven by its test feed (PARL_TEST_FEED).
#include "res/resource.h"
#include "support/sample_message.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <map>
#include <sys/stat.h>

namespace {

class Program {
public:
    Program(const QTemporaryDir& home, const QString& feed, const QStringList& arguments = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.insert(name, home.filePath(name));
        env.insert("XDG_RUNTIME_DIR", home.filePath("XDG_RUNTIME_DIR"));
        // One installed character, so the script bar has no news to tell at start-up.
        QDir().mkpath(home.filePath("XDG_DATA_HOME/Parlino/Characters"));
        QFile(home.filePath("XDG_DATA_HOME/Parlino/Characters/genie.acs"))
            .open(QIODevice::WriteOnly);
        QDir().mkpath(home.filePath("XDG_RUNTIME_DIR"));
        QFile::setPermissions(home.filePath("XDG_RUNTIME_DIR"), QFileDevice::ReadOwner |
                                                                    QFileDevice::WriteOwner |
                                                                    QFileDevice::ExeOwner);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PARL_TEST_FEED", feed);
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(home.path());
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(QStringLiteral(PARL_BINARY_DIR "/parlino"), arguments);
    }
    ~Program() {
        if (m_process.state() != QProcess::NotRunning)
            Kill();
    }

    // Reads the program's output until a line starting with `prefix` comes; false after
    // `timeoutMs` or when the program ended.
    bool WaitFor(const QString& prefix, int timeoutMs = 20000) {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines << line;
                if (line.startsWith(prefix))
                    return true;
            }
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(
                static_cast<int>(std::min<qint64>(deadline.remainingTime(), 200)));
        }
    }
    // SIGKILL; returns the time of the kill in milliseconds since the epoch.
    qint64 Kill() {
        const qint64 when = QDateTime::currentMSecsSinceEpoch();
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
        m_lines << QString::fromUtf8(m_process.readAllStandardOutput()).split('\n');
        return when;
    }
    int WaitForExit() {
        EXPECT_TRUE(m_process.waitForFinished(20000));
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    // When each word was typed: "typed N MS" lines.
    std::map<int, qint64> TypedAt() const {
        std::map<int, qint64> at;
        for (const QString& line : m_lines) {
            const QStringList parts = line.split(' ');
            if (parts.size() == 3 && parts[0] == "typed")
                at[parts[1].toInt()] = parts[2].toLongLong();
        }
        return at;
    }

    QProcess m_process;
    QStringList m_lines;
};

QString WriteFeed(const QTemporaryDir& home, const QString& name, const QStringList& lines) {
    QFile file(home.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n').toUtf8() + "\n");
    return file.fileName();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Copies(const QTemporaryDir& home) {
    return QDir(home.filePath("XDG_DATA_HOME/Parlino/Recovery")).entryList({"*.plp"}, QDir::Files);
}

TEST(RecoveryProcess, AKilledProgramsMessageComesBackWhole) {
    QTemporaryDir home;
    const QString bold = QString::number(ID_FORMAT_BOLD);
    // A message with formats and tags, the page compiled from it, then the kill.
    {
        Program first(home, WriteFeed(home, "first",
                                      {"command " + bold, "text Dear friend,", "command " + bold,
                                       "key return", "command " + QString::number(ID_SCRIPT_PLAY),
                                       "text the genie waves", "key return",
                                       "command " + QString::number(ID_SCRIPT_READ),
                                       "text and reads this aloud.", "wait-copy",
                                       "page " + home.filePath("before.htm"),
                                       "plain " + home.filePath("before.txt"), "say copied"}));
        ASSERT_TRUE(first.WaitFor("copied")) << first.m_lines.join('\n').toStdString();
        first.Kill();
    }
    ASSERT_EQ(Copies(home).size(), 1);
    const QByteArray before = ReadAll(home.filePath("before.htm"));
    ASSERT_TRUE(before.contains("Dear friend,"));
    ASSERT_TRUE(before.contains("Play"));

    // The next start offers it; Restore gives the same page. Then typing goes on until the
    // second kill.
    qint64 killedAt = 0;
    std::map<int, qint64> typedAt;
    {
        Program second(
            home, WriteFeed(home, "second",
                            {"answer recovery restore 0", "page " + home.filePath("restored.htm"),
                             "plain " + home.filePath("restored.txt"), "say restored", "key end",
                             "key return", "words 400 50"}));
        ASSERT_TRUE(second.WaitFor("restored")) << second.m_lines.join('\n').toStdString();
        EXPECT_EQ(ReadAll(home.filePath("restored.htm")), before);
        EXPECT_EQ(ReadAll(home.filePath("restored.txt")), ReadAll(home.filePath("before.txt")));
        ASSERT_TRUE(second.WaitFor("typed 70 "));
        killedAt = second.Kill();
        typedAt = second.TypedAt();
    }
    ASSERT_EQ(Copies(home).size(), 1); // the restored copy went when the second program took it

    // The third start restores what the second had typed, and exits normally, declining to
    // save: no copy is left.
    {
        Program third(home, WriteFeed(home, "third",
                                      {"answer recovery restore 0", "answer button no",
                                       "plain " + home.filePath("third.txt"), "say restored",
                                       "quit", "shown"}));
        ASSERT_TRUE(third.WaitFor("restored")) << third.m_lines.join('\n').toStdString();
        EXPECT_EQ(third.WaitForExit(), 0) << third.m_lines.join('\n').toStdString();
    }
    EXPECT_TRUE(Copies(home).isEmpty()) << Copies(home).join(' ').toStdString();

    const QString text = QString::fromUtf8(ReadAll(home.filePath("third.txt")));
    ASSERT_TRUE(text.startsWith(QString::fromUtf8(ReadAll(home.filePath("before.txt")))));
    // The words came back in order, none missing before the last one kept.
    int kept = 0;
    const QRegularExpression word("w(\\d{4}) ");
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const int n = it.next().captured(1).toInt();
        ASSERT_EQ(n, kept + 1);
        kept = n;
    }
    ASSERT_GT(kept, 0);
    // The typing lost: from the first word that did not come back to the kill.
    const auto firstLost = typedAt.find(kept + 1);
    const qint64 lostMs = firstLost == typedAt.end() ? 0 : killedAt - firstLost->second;
    std::printf("recovery: %d of %zu words kept, %lld ms of typing lost\n", kept, typedAt.size(),
                static_cast<long long>(lostMs));
    RecordProperty("lost_ms", static_cast<int>(lostMs));
    EXPECT_LE(lostMs, 2000);
}

// A large message opened from its file, typed in without a pause and killed: the edits reach
// the copy's journal as they are made, so the next start gives back all but the last moments,
// while no key waited for a copy of the whole message.
TEST(RecoveryProcess, TypingInALargeMessageComesBackAfterAKill) {
    QTemporaryDir home;
    const std::string rtf = sample::GenerateMessage(10 << 20);
    const QString path = home.filePath("large.plp");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    }
    qint64 killedAt = 0;
    std::map<int, qint64> typedAt;
    {
        Program first(home, WriteFeed(home, "first", {"key end", "key return", "words 400 50"}),
                      {path});
        ASSERT_TRUE(first.WaitFor("typed 60 ", 120000)) << first.m_lines.join('\n').toStdString();
        killedAt = first.Kill();
        typedAt = first.TypedAt();
    }
    ASSERT_EQ(Copies(home).size(), 1);
    {
        Program second(
            home, WriteFeed(home, "second",
                            {"answer recovery restore 0", "answer button no",
                             "plain " + home.filePath("restored.txt"), "say restored", "quit"}));
        ASSERT_TRUE(second.WaitFor("restored", 120000)) << second.m_lines.join('\n').toStdString();
        EXPECT_EQ(second.WaitForExit(), 0);
    }
    const QString text = QString::fromUtf8(ReadAll(home.filePath("restored.txt")));
    int kept = 0;
    const QRegularExpression word("w(\\d{4}) ");
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const int n = it.next().captured(1).toInt();
        ASSERT_EQ(n, kept + 1);
        kept = n;
    }
    ASSERT_GT(kept, 0);
    // The message before the typing came back whole.
    EXPECT_GT(text.size(), 5 << 20);
    const auto firstLost = typedAt.find(kept + 1);
    const qint64 lostMs = firstLost == typedAt.end() ? 0 : killedAt - firstLost->second;
    std::printf("recovery at 10 MB: %d of %zu words kept, %lld ms of typing lost\n", kept,
                typedAt.size(), static_cast<long long>(lostMs));
    RecordProperty("lost_ms", static_cast<int>(lostMs));
    EXPECT_LE(lostMs, 2000);
}

// Files planted in the user's data folder never hang the start or exhaust the program: a FIFO
// as the list of added words and as a copy, a link to an endless device as a copy, and a
// record far over the size beside a sound copy. The window comes up, one message names what
// was set aside, and the sound copy is offered with its own first words.
TEST(RecoveryProcess, PlantedFilesInTheDataFolderNeverStopTheStart) {
    QTemporaryDir home;
    const QString data = home.filePath("XDG_DATA_HOME/Parlino");
    const QString folder = data + "/Recovery";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(data + "/words.txt").constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/1-1.plp").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder + "/1-2.plp"));
    const QByteArray record = "{\"file\": \"\", \"time\": \"" +
                              QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8() +
                              "\", \"version\": \"2.0.0.2\", \"words\": \"";
    for (const char* id : {"1-1", "1-2", "1-3"}) {
        QFile file(folder + "/" + id + ".info");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(record);
        if (QByteArray(id) == "1-3")
            file.write(QByteArray(16 << 20, 'w')); // 16 million characters of first words
        file.write("\"}");
    }
    {
        QFile copy(folder + "/1-3.plp");
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write("{\\rtf1 the sound copy\\par }");
    }
    Program program(
        home, WriteFeed(home, "feed",
                        {"answer button ok", "answer recovery later", "shown", "say up", "quit"}));
    ASSERT_TRUE(program.WaitFor("up", 30000)) << program.m_lines.join('\n').toStdString();
    EXPECT_EQ(program.WaitForExit(), 0);
    const QStringList shown = program.m_lines.filter(QRegularExpression("^shown "));
    ASSERT_EQ(shown.size(), 2) << program.m_lines.join('\n').toStdString();
    EXPECT_TRUE(shown[0].startsWith("shown QMessageBox")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("shown CRecoveryDlg")) << shown[1].toStdString();
    // The planted files themselves were moved aside; the sound copy stays for later.
    EXPECT_TRUE(QFileInfo(data + "/Damaged/words.txt").exists());
    EXPECT_FALSE(QFileInfo(data + "/words.txt").exists());
    EXPECT_TRUE(QFileInfo(folder + "/Damaged/1-2.plp").isSymLink());
    EXPECT_FALSE(QFileInfo(folder + "/1-1.plp").exists());
    EXPECT_EQ(Copies(home), QStringList{"1-3.plp"});
}

} // namespace
