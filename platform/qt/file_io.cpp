#include "platform/qt/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason) {
    const QFileInfo info(path);
    if (!info.exists()) {
        reason = QStringLiteral("The file does not exist.");
        return false;
    }
    if (info.isDir()) {
        reason = QStringLiteral("It is a folder, not a file.");
        return false;
    }
    if (!info.isFile()) {
        reason = QStringLiteral("It is not a regular file.");
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

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& reason) {
    if (QFileInfo(path).isDir()) {
        reason = QStringLiteral("A folder of that name exists.");
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
