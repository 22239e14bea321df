#include "document/qt/recovery_store.h"

#include "document/qt/recovery_journal.h"

#include "platform/qt/file_io.h"
#include "rtf/qt/rtf_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_hookMutex;
std::function<void(qint64)> g_writeHook;

// Pieces small enough that a write never holds much beyond the copy itself.
constexpr qint64 kPiece = 256 * 1024;

bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& reason) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    std::function<void(qint64)> hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_writeHook;
    }
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n =
            file.write(bytes.constData() + written, std::min(kPiece, bytes.size() - written));
        if (n <= 0) {
            reason = file.errorString();
            file.cancelWriting();
            return false;
        }
        written += n;
        if (hook)
            hook(written);
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QByteArray CRecoveryRecord::ToBytes() const {
    QJsonObject object;
    object.insert(QStringLiteral("file"), fileName);
    object.insert(QStringLiteral("time"), time.toUTC().toString(Qt::ISODateWithMs));
    object.insert(QStringLiteral("version"), version);
    object.insert(QStringLiteral("words"), firstWords);
    return QJsonDocument(object).toJson();
}

bool CRecoveryRecord::FromBytes(const QByteArray& bytes, CRecoveryRecord& record) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject object = document.object();
    record.fileName = object.value(QStringLiteral("file")).toString();
    record.time =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    record.version = object.value(QStringLiteral("version")).toString();
    record.firstWords = object.value(QStringLiteral("words"))
                            .toString()
                            .left(kMaxFirstWords)
                            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    record.fileName.truncate(kMaxFileName);
    record.version.truncate(kMaxFirstWords);
    return record.time.isValid() && !record.version.isEmpty();
}

QString CRecoveryRecord::FirstWordsOf(const QTextDocument& document) {
    QString words;
    for (QTextBlock block = document.begin(); block.isValid() && words.size() < 80;
         block = block.next())
        words += block.text().left(200) + QLatin1Char(' ');
    words = words.simplified();
    if (words.size() > 60) {
        const int cut = words.lastIndexOf(QLatin1Char(' '), 60);
        words = words.left(cut > 20 ? cut : 60) + QStringLiteral("...");
    }
    return words;
}

CRecoveryRecord CRecoveryRecord::FromCopy(const QByteArray& rtf, const QDateTime& time) {
    // The beginning of the copy is enough for its first words; the reader takes a cut-off
    // copy as far as it goes.
    constexpr qsizetype kHead = 256 * 1024;
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader reader(cursor, RtfCharFormat{}, 96.0);
    reader.Read(rtf.constData(), static_cast<std::size_t>(std::min(rtf.size(), kHead)));
    CRecoveryRecord record;
    record.time = time;
    record.firstWords = FirstWordsOf(document);
    return record;
}

CRecoveryStore::CRecoveryStore(const QString& folder) : m_folder(folder) {}

CRecoveryStore::~CRecoveryStore() = default;

QString CRecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Parlino/Recovery");
}

QString CRecoveryStore::NewId() {
    return QStringLiteral("%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

QString CRecoveryStore::CopyPath(const QString& id) const {
    return m_folder + QLatin1Char('/') + id + QLatin1String(kCopySuffix);
}

QString CRecoveryStore::RecordPath(const QString& id) const {
    return m_folder + QLatin1Char('/') + id + QLatin1String(kRecordSuffix);
}

QString CRecoveryStore::JournalPath(const QString& id) const {
    return m_folder + QLatin1Char('/') + id + QLatin1String(kJournalSuffix);
}

bool CRecoveryStore::AppendJournal(const QString& id, const QByteArray& bytes,
                                   QString& reason) const {
    const int fd = ::open(QFile::encodeName(JournalPath(id)).constData(),
                          O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!ok)
        reason = QStringLiteral("The journal is not a regular file.");
    for (qsizetype written = 0; ok && written < bytes.size();) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = QString::fromLocal8Bit(std::strerror(errno));
            ok = false;
            break;
        }
        written += n;
    }
    ::close(fd);
    return ok;
}

bool CRecoveryStore::ReadJournal(const QString& id, QByteArray& bytes, QString& reason) const {
    return ReadPlainFile(JournalPath(id), kMaxJournalBytes, bytes, reason);
}

bool CRecoveryStore::Write(const QString& id, const QByteArray& rtf, const CRecoveryRecord& record,
                           QString& reason) const {
    if (!QDir().mkpath(m_folder)) {
        reason = QStringLiteral("The folder cannot be made.");
        return false;
    }
    return WriteAtomically(CopyPath(id), rtf, reason) &&
           WriteAtomically(JournalPath(id), RecoveryJournal::Header(rtf), reason) &&
           WriteAtomically(RecordPath(id), record.ToBytes(), reason);
}

bool CRecoveryStore::Remove(const QString& id) const {
    // The copy first: a record left alone holds nothing to recover and is cleared at a start.
    QFile::remove(CopyPath(id));
    QFile::remove(JournalPath(id));
    QFile::remove(RecordPath(id));
    return !QFileInfo::exists(CopyPath(id)) && !QFileInfo::exists(JournalPath(id)) &&
           !QFileInfo::exists(RecordPath(id));
}

bool CRecoveryStore::ReadCopy(const QString& id, QByteArray& rtf, QString& reason) const {
    if (!ReadPlainFile(CopyPath(id), kMaxCopyBytes, rtf, reason))
        return false;
    if (!rtf.startsWith("{\\rtf")) {
        reason = QStringLiteral("It holds no rich text.");
        return false;
    }
    return true;
}

bool CRecoveryStore::Lock(const QString& id) {
    if (m_locks.count(id) != 0)
        return true;
    QDir().mkpath(m_folder);
    // A lock is a small file the program writes: anything else there (a link, a FIFO, a huge
    // file) was planted, and reading it to see whether it is stale could hang or exhaust us.
    const QString lockPath = m_folder + QLatin1Char('/') + id + QLatin1String(kLockSuffix);
    if (IsPlantedFile(lockPath, kMaxLockBytes))
        ::unlink(QFile::encodeName(lockPath).constData());
    auto lock =
        std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + id + QLatin1String(kLockSuffix));
    // Only a program that no longer runs leaves its lock stale, however old the lock is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_locks[id] = std::move(lock);
    return true;
}

void CRecoveryStore::Unlock(const QString& id) {
    m_locks.erase(id);
}

std::vector<CRecoveryCopy> CRecoveryStore::TakeOrphans(const QString& ownId, QStringList& damaged) {
    std::vector<CRecoveryCopy> copies;
    QDir dir(m_folder);
    if (!dir.exists())
        return copies;
    const QString copySuffix = QLatin1String(kCopySuffix);
    const QString recordSuffix = QLatin1String(kRecordSuffix);
    // FIFOs, devices and dangling links too: planted at a copy's name, they are set aside.
    const QStringList names = dir.entryList(QDir::Files | QDir::System, QDir::Name);
    for (const QString& name : names) {
        // A lock left alone by a program that was killed with nothing to recover goes.
        if (name.endsWith(QLatin1String(kLockSuffix))) {
            const QString id = name.left(name.size() - static_cast<int>(std::strlen(kLockSuffix)));
            if (id != ownId && m_locks.count(id) == 0 && !QFileInfo::exists(CopyPath(id)) &&
                !QFileInfo::exists(RecordPath(id)) && Lock(id))
                Unlock(id);
            continue;
        }
        const bool isCopy = name.endsWith(copySuffix);
        if (!isCopy && !name.endsWith(recordSuffix))
            continue;
        const QString id = name.left(name.size() - (isCopy ? copySuffix : recordSuffix).size());
        if (id == ownId || m_locks.count(id) != 0 || !Lock(id))
            continue;
        // Whatever a write of this copy left half-done goes: the renamed files are whole.
        for (const QString& other : names) {
            if (other.startsWith(id + copySuffix + QLatin1Char('.')) ||
                other.startsWith(id + recordSuffix + QLatin1Char('.')) ||
                other.startsWith(id + QLatin1String(kJournalSuffix) + QLatin1Char('.')))
                dir.remove(other);
        }
        const QFileInfo copyInfo(CopyPath(id));
        if (!copyInfo.exists() && !copyInfo.isSymLink()) {
            // A record without its copy: the program stopped while removing them.
            QFile::remove(RecordPath(id));
            QFile::remove(JournalPath(id));
            Unlock(id);
            continue;
        }
        CRecoveryCopy copy{id, {}};
        QByteArray rtf, recordBytes;
        QString reason;
        bool readable = ReadCopy(id, rtf, reason);
        if (readable) {
            QString recordReason;
            bool missing = false;
            if (!ReadPlainFile(RecordPath(id), kMaxRecordBytes, recordBytes, recordReason,
                               &missing) ||
                !CRecoveryRecord::FromBytes(recordBytes, copy.record)) {
                // The record is lost (the program stopped between the copy and its first
                // record) or damaged: the copy itself tells what the offer shows.
                copy.record = CRecoveryRecord::FromCopy(rtf, copyInfo.lastModified());
                if (!missing)
                    QFile::remove(RecordPath(id));
            }
        }
        if (!readable) {
            const QString aside = PutAside(id);
            damaged << (aside.isEmpty() ? CopyPath(id) : aside);
            Unlock(id);
            continue;
        }
        copies.push_back(copy);
    }
    std::sort(copies.begin(), copies.end(), [](const CRecoveryCopy& a, const CRecoveryCopy& b) {
        return a.record.time < b.record.time;
    });
    return copies;
}

QString CRecoveryStore::PutAside(const QString& id) const {
    QDir dir(m_folder);
    const QString aside = QLatin1String(kDamagedFolder);
    if (!dir.mkpath(aside))
        return QString();
    QString copyTarget;
    for (const QString& path : {CopyPath(id), RecordPath(id), JournalPath(id)}) {
        // A link (even a dangling one) is moved itself, never what it points to.
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            continue;
        QString target = dir.filePath(aside + QLatin1Char('/') + QFileInfo(path).fileName());
        // Nothing already set aside is replaced.
        if (QFileInfo::exists(target))
            target += QLatin1Char('.') + QString::number(QDateTime::currentMSecsSinceEpoch());
        if (!QFile::rename(path, target))
            return QString();
        if (path == CopyPath(id))
            copyTarget = target;
    }
    return copyTarget;
}

void CRecoveryStore::SetWriteHook(std::function<void(qint64)> hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_writeHook = std::move(hook);
}
