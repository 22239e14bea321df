// Recovery copies of the message. While the message has changes that no file holds, the
// program keeps a copy of it, in the form a project save writes, in the user's data folder
// ("Parlino/Recovery"), so that a crash, a kill or a power cut loses at most the last seconds of
// typing. Each running program owns one copy, named after the process, through a lock beside it:
//
//     <id>.plp    the rich text, as a project file holds it
//     <id>.info   the record: the message's file, the time, the program's version, first words
//     <id>.lock   held while the program runs (QLockFile)
//
// A copy whose lock nobody holds was left by a program that stopped without exiting: the next
// start offers it back. A copy that cannot be read is moved into "Damaged" beside the copies.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QLockFile;

// What the record beside a copy says.
struct CRecoveryRecord {
    QString fileName;   // full path of the message's file; empty for an untitled message
    QDateTime time;     // when the copy was taken
    QString version;    // the version of the program that wrote it
    QString firstWords; // the beginning of the text, as the offer shows it

    QByteArray ToBytes() const;
    // False when the bytes are no record (no version or no time).
    static bool FromBytes(const QByteArray& bytes, CRecoveryRecord& record);
};

// A copy found at start-up.
struct CRecoveryCopy {
    QString id;
    CRecoveryRecord record;
};

class CRecoveryStore {
public:
    static constexpr const char* kCopySuffix = ".plp";
    static constexpr const char* kRecordSuffix = ".info";
    static constexpr const char* kLockSuffix = ".lock";
    static constexpr const char* kDamagedFolder = "Damaged";

    // `folder` is made when the first copy is written.
    explicit CRecoveryStore(const QString& folder = DefaultFolder());
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    // The user's data folder followed by "Parlino/Recovery".
    static QString DefaultFolder();
    // A name no other running program uses: the process number and the start time.
    static QString NewId();

    const QString& Folder() const { return m_folder; }
    QString CopyPath(const QString& id) const;
    QString RecordPath(const QString& id) const;

    // Writes the copy, then its record, each into a temporary file that is renamed over the old
    // one only when every byte is written: a write that stops half-way leaves the previous copy
    // whole. Touches nothing but the files, so a worker thread may call it.
    bool Write(const QString& id, const QByteArray& rtf, const CRecoveryRecord& record,
               QString& reason) const;
    // Removes the copy and its record; true when neither is left.
    bool Remove(const QString& id) const;
    // The copy's bytes; false with the reason when they cannot be read or are no rich text.
    bool ReadCopy(const QString& id, QByteArray& rtf, QString& reason) const;

    // Takes the lock of `id` for this program; false when another running program holds it.
    // A lock left by a program that is no longer running is taken over.
    bool Lock(const QString& id);
    // Gives the lock of `id` up (its file goes).
    void Unlock(const QString& id);

    // The copies that no running program owns, each locked for this program from now on, the
    // oldest first. Copies that cannot be read are moved into the damaged folder and their
    // file names (as the user would see them) added to `damaged`.
    std::vector<CRecoveryCopy> TakeOrphans(const QString& ownId, QStringList& damaged);

    // Called after each piece of a copy reaches its temporary file, with the bytes written so
    // far; for tests that stop a write half-way.
    static void SetWriteHook(std::function<void(qint64 written)> hook);

private:
    // Moves the files of `id` into the damaged folder; the copy's new path, empty when the
    // files could not be moved.
    QString PutAside(const QString& id) const;

    QString m_folder;
    std::map<QString, std::unique_ptr<QLockFile>> m_locks;
};
