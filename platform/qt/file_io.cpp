#include "platform/qt/file_io.h"

#include "platform/qt/translation.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason) {
    const QFileInfo info(path);
    if (!info.exists()) {
        reason = ParlTr("The file does not exist.");
        return false;
    }
    if (info.isDir()) {
        reason = ParlTr("It is a folder, not a file.");
        return false;
    }
    if (!info.isFile()) {
        reason = ParlTr("It is not a regular file.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool ReadPlainFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& reason,
                   bool* missing) {
    bytes.clear();
    if (missing != nullptr)
        *missing = false;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT && missing != nullptr)
            *missing = true;
        reason = error == ELOOP ? ParlTr("It is a link, not a file.")
                                : QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
    } else if (!S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? ParlTr("It is a folder, not a file.")
                                       : ParlTr("It is not a regular file.");
        ok = false;
    } else if (info.st_size > maxBytes) {
        reason = ParlTr("It is larger than such a file can be (%1 bytes).")
                     .arg(static_cast<qint64>(info.st_size));
        ok = false;
    }
    if (ok) {
        // The size may change while the file is read: no more than the cap is ever held.
        bytes.resize(static_cast<qsizetype>(info.st_size));
        qint64 got = 0;
        for (;;) {
            if (got == bytes.size()) {
                if (got >= maxBytes + 1)
                    break;
                bytes.resize(static_cast<qsizetype>(std::min<qint64>(maxBytes + 1, got + 65536)));
            }
            const ssize_t n =
                ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                reason = QString::fromLocal8Bit(std::strerror(errno));
                ok = false;
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        bytes.resize(static_cast<qsizetype>(got));
        if (ok && got > maxBytes) {
            reason = ParlTr("It is larger than such a file can be.");
            ok = false;
        }
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

bool IsPlantedFile(const QString& path, qint64 maxBytes) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) || info.st_size > maxBytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& reason) {
    if (QFileInfo(path).isDir()) {
        reason = ParlTr("A folder of that name exists.");
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so a failing write reports the system's reason itself rather than leaving it
    // to the flush inside commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    // A short write sets no error; the write after it fails with the system's reason.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            reason = file.errorString();
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}
