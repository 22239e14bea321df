// Recovery copies of the message. While the message has changes that no file holds, the
// program keeps a copy of it, in the form a project save writes, in the user's data folder
// ("Parlino/Recovery"), so that a crash, a kill or a power cut loses at most the last seconds of
// typing. Each running program owns one copy, named after the process, through a lock beside it:
//
//     <id>.plp    the rich text, as a project file holds it
//     <id>.info   the record: the message's file, the time, the program's version, first words
//     <id>.journal the edits made since the copy (see recovery_journal.h)
//     <id>.lock   held while the program runs (QLockFile)
//
// A copy whose lock nobody holds was left by a program that stopped without exiting: the next
// start offers it back, with what its record says, or, when the record is lost or damaged, with
// what the copy itself tells (its first words and its time). A copy that cannot be read is
// moved into "Damaged" beside the copies. Anything may have been planted in the folder: its
// files are opened without following links and without waiting, read only when they are
// regular files of a sound size, and anything else at a copy's name is set aside the same way.
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
class QTextDocument;

// What the record beside a copy says.
struct CRecoveryRecord {
    QString fileName;   // full path of the message's file; empty for an untitled message
    QDateTime time;     // when the copy was taken
    QString version;    // the version of the program that wrote it
    QString firstWords; // the beginning of the text, as the offer shows it

    // The most a record's fields hold as read back: longer ones are cut.
    static constexpr int kMaxFirstWords = 200;
    static constexpr int kMaxFileName = 4096;

    QByteArray ToBytes() const;
    // False when the bytes are no record (no version or no time).
    static bool FromBytes(const QByteArray& bytes, CRecoveryRecord& record);
    // The first words of a message, as the offer shows them: no more than about 60 characters,
    // cut at a blank, reading no more of a long message than they need.
    static QString FirstWordsOf(const QTextDocument& document);
    // What a lost record held, rebuilt from the copy's rich text: its first words (from the
    // copy's beginning) and `time`; no file name (the message is offered as untitled).
    static CRecoveryRecord FromCopy(const QByteArray& rtf, const QDateTime& time);
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
    static constexpr const char* kJournalSuffix = ".journal";
    static constexpr const char* kDamagedFolder = "Damaged";
    // The largest copy, record and lock read back.
    static constexpr qint64 kMaxCopyBytes = qint64(1) << 30;
    static constexpr qint64 kMaxRecordBytes = 64 * 1024;
    static constexpr qint64 kMaxLockBytes = 4096;
    static constexpr qint64 kMaxJournalBytes = qint64(512) << 20;

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
    QString JournalPath(const QString& id) const;

    // Writes the copy, then a new journal that follows it (empty), then its record, each into a
    // temporary file that is renamed over the old one only when every byte is written: a write
    // that stops half-way leaves the previous copy whole. Touches nothing but the files, so a
    // worker thread may call it.
    bool Write(const QString& id, const QByteArray& rtf, const CRecoveryRecord& record,
               QString& reason) const;
    // Appends edits to the journal that Write() started; false with the reason when there is
    // no journal (or something else stands at its name) or the bytes cannot be written.
    bool AppendJournal(const QString& id, const QByteArray& bytes, QString& reason) const;
    // The journal's bytes; false when there is none or it cannot be read.
    bool ReadJournal(const QString& id, QByteArray& bytes, QString& reason) const;
    // Removes the copy, its journal and its record; true when none is left.
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
