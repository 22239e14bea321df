// The whole road of a recovery copy through the real program: a message typed into the window,
// the process killed, the next start in the same folders offering the copy, and Restore giving
// back the same message. The program is driven by its test feed (PARL_TEST_FEED).
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <map>

namespace {

class Program {
public:
    Program(const QTemporaryDir& home, const QString& feed) {
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
        m_process.start(QStringLiteral(PARL_BINARY_DIR "/parlino"), {});
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

} // namespace
