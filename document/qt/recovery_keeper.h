// Keeps the recovery copy of the message (see recovery_store.h) up to date at a cost in
// proportion to the edits, not to the message:
//
// - Every change of the text or its formats is appended to the copy's journal (see
//   recovery_journal.h): the change is read from the document as it is made (the characters
//   it brought, a few at a keystroke) and handed to a writer thread at most a quarter of a
//   second later. A kill loses at most that much typing.
// - A full copy is taken only when the typing pauses (one second) and the journal has grown
//   large, or no copy is there for the journal to follow. It is written a few paragraphs at a
//   time in slices of a few milliseconds that let the keys through between them; a change
//   during the slices abandons that copy (the journal keeps the change) until the next pause.
//   The writer thread puts it on disk and starts a new journal after it.
// - A copy to follow costs nothing while the message is as a file holds it: after Open or a
//   project save, the first change has the writer copy that file; a new or small message is
//   written out whole at once.
//
// A save of the message, New and Open drop the copy (the document tells the keeper); a failed
// save keeps it. A normal exit drops it; the end of the session (log-out, shutdown) writes it at
// once. A folder that cannot be written is reported once, and editing goes on without copies.
#pragma once

#include "document/qt/recovery_store.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

class CParlDoc;
class CRichEditCtrl;
class CRecoveryWriter;
class CRtfSteppedWriter;

class CRecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kPauseMs = 1000;
    // Edits reach the journal's file within this time.
    static constexpr int kJournalMs = 250;
    // The longest slice of a full copy written while the user may type.
    static constexpr int kSliceMs = 4;
    // A journal this large is folded into a full copy at the next pause.
    static constexpr qint64 kFoldJournalBytes = 1 << 20;
    // Messages this short are written out whole when they settle, to be the copy the journal
    // follows.
    static constexpr int kSmallMessage = 64 * 1024;

    // Watches `ctrl`, the view of `doc`; takes the lock of a copy of its own in `store`.
    CRecoveryKeeper(CParlDoc& doc, CRichEditCtrl& ctrl, std::shared_ptr<CRecoveryStore> store,
                    QObject* parent = nullptr);
    // Waits for the writer; the copy stays (only Exit drops it).
    ~CRecoveryKeeper() override;

    const QString& Id() const { return m_id; }
    CRecoveryStore& Store() { return *m_store; }

    // Puts `copy` (an orphan of the store, locked by the caller) into the document as a modified
    // message titled as the original, with the edits of its journal replayed, writes it as this
    // program's own copy, and then drops the orphan. False, with the reason, when the copy
    // cannot be read.
    bool Restore(const CRecoveryCopy& copy, QString& reason);

    // The message was saved, or replaced by New or Open: its copy goes.
    void OnMessageSettled();
    // Takes a full copy now (at once, on this thread) if anything changed since the last one,
    // and waits until it is on disk.
    void WriteNow();
    // Normal exit: the copy goes and the lock is given up.
    void OnExit();

    // Hands the journal's waiting edits to the writer and waits until it is idle.
    void Flush();
    // Whether changes wait for a full copy.
    bool HasChanges() const { return m_changed; }
    // Whether every change is on disk, in the copy or in its journal.
    bool IsSettled() const;
    // How long the last full copy spent writing the message out on this thread, in all its
    // slices, and in how many slices.
    qint64 LastStreamOutMs() const { return m_lastStreamOutMs; }
    int LastSlices() const { return m_lastSlices; }
    // Full copies taken and written, and edits journaled, since the start.
    int CopiesTaken() const { return m_taken; }
    int CopiesWritten() const { return m_written; }
    int EditsJournaled() const { return m_journaled; }
    // Whether the warning about the folder was shown.
    bool Warned() const { return m_warned; }

private:
    void OnContentsChange(int position, int removed, int added);
    void OnPause();
    void OnSlice();
    void StartSlicedCopy();
    void AbandonSlicedCopy();
    void TakeCopy();
    void CopyTaken(std::string bytes);
    void SendJournal();
    void PrepareBase();
    void OnWriteDone(bool ok, const QString& reason);
    CRecoveryRecord MakeRecord() const;

    CParlDoc& m_doc;
    CRichEditCtrl& m_ctrl;
    std::shared_ptr<CRecoveryStore> m_store;
    QString m_id;
    QTimer m_pause;
    QTimer m_journalTimer;
    QTimer m_slice;
    bool m_changed = false;  // changes since the last full copy
    bool m_needFull = false; // changes the journal cannot hold: a full copy at the next pause
    bool m_hasBase = false;  // a copy (or one on its way) that the journal follows
    bool m_restoring = false;
    bool m_warned = false;
    bool m_exited = false;
    bool m_sessionEnding = false;
    bool m_lastWriteOk = false;
    // The copy the journal is to follow, for the first change after the message settled: the
    // message's bytes, or the file that holds it.
    QByteArray m_baseBytes;
    QString m_baseFile;
    QByteArray m_journal;      // edits not yet handed to the writer
    qint64 m_journalBytes = 0; // the journal's size since the last full copy
    std::unique_ptr<CRtfSteppedWriter> m_stepper;
    qint64 m_sliceMs = 0;
    int m_slices = 0;
    qint64 m_lastStreamOutMs = 0;
    int m_lastSlices = 0;
    int m_taken = 0;
    int m_written = 0;
    int m_journaled = 0;
    std::unique_ptr<CRecoveryWriter> m_writer; // last: it is stopped first
};
