// Ways to make the file operations of a test fail as they do on a real system: a folder that
// takes no new files, a limit on the size of files as a full disk would set, and paths that an
// open cannot read.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

// Takes away the right to create files in a folder while it lives: by its permissions, or, for
// a user whom permissions do not stop (root), by marking the folder immutable where chattr can
// do it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder) : m_folder(std::move(folder)) {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (!IsReadOnly())
            m_immutable = QProcess::execute(QStringLiteral("chattr"), {"+i", m_folder}) == 0;
    }
    ~ReadOnlyFolder() {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {"-i", m_folder});
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool IsReadOnly() const {
        QFile probe(m_folder + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    QString m_folder;
    bool m_immutable = false;
};

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// A path an open cannot read, and the reason the message about it gives.
struct UnreadablePath {
    std::string path;
    const char* reason;
};

// A missing file and a folder named as a project, both in `folder`, and a device. Makes the
// folder "folder.plp" there; empty when it could not be made.
inline std::vector<UnreadablePath> MakeUnreadablePaths(const QString& folder) {
    if (!QDir(folder).mkdir(QStringLiteral("folder.plp")))
        return {};
    const QDir dir(folder);
    return {
        {dir.filePath(QStringLiteral("missing.plp")).toStdString(), "The file does not exist."},
        {dir.filePath(QStringLiteral("folder.plp")).toStdString(), "It is a folder, not a file."},
        {"/dev/null", "It is not a regular file."},
    };
}
