// Keeps the recovery copy of the message (see recovery_store.h). A change of the text or its
// formats starts two clocks: one second after the typing pauses, or at the latest a period after
// the first change not yet in a copy, the control's rich text is streamed out (on this thread,
// the control's own) and handed to a writer thread that puts it on disk. The period is 1.5
// seconds, longer only where streaming out a large message takes long (fifty times that time, at
// most 30 seconds), so that copies never take more than a fiftieth of the typing time.
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

class CParlDoc;
class CRichEditCtrl;
class CRecoveryWriter;

class CRecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kPauseMs = 1000;
    static constexpr int kShortestPeriodMs = 1500;
    static constexpr int kLongestPeriodMs = 30000;
    static constexpr int kStreamOutShare = 50;

    // Watches `ctrl`, the view of `doc`; takes the lock of a copy of its own in `store`.
    CRecoveryKeeper(CParlDoc& doc, CRichEditCtrl& ctrl, std::shared_ptr<CRecoveryStore> store,
                    QObject* parent = nullptr);
    // Waits for the writer; the copy stays (only Exit drops it).
    ~CRecoveryKeeper() override;

    const QString& Id() const { return m_id; }
    CRecoveryStore& Store() { return *m_store; }

    // Puts `copy` (an orphan of the store, locked by the caller) into the document as a modified
    // message titled as the original, writes it as this program's own copy, and then drops the
    // orphan. False, with the reason, when the copy cannot be read.
    bool Restore(const CRecoveryCopy& copy, QString& reason);

    // The message was saved, or replaced by New or Open: its copy goes.
    void OnMessageSettled();
    // Takes a copy now if anything changed since the last one, and waits until it is on disk.
    void WriteNow();
    // Normal exit: the copy goes and the lock is given up.
    void OnExit();

    // Until the writer is idle.
    void Flush();
    // Whether changes are waiting for a copy.
    bool HasChanges() const { return m_changed; }
    // How long the last stream-out took, and the period that follows from it.
    qint64 LastStreamOutMs() const { return m_lastStreamOutMs; }
    int PeriodMs() const;
    // Copies taken and copies written since the start.
    int CopiesTaken() const { return m_taken; }
    int CopiesWritten() const { return m_written; }
    // Whether the warning about the folder was shown.
    bool Warned() const { return m_warned; }

private:
    void OnContentsChanged();
    void TakeCopy();
    void OnWriteDone(bool ok, const QString& reason);
    CRecoveryRecord MakeRecord() const;

    CParlDoc& m_doc;
    CRichEditCtrl& m_ctrl;
    std::shared_ptr<CRecoveryStore> m_store;
    QString m_id;
    QTimer m_pause;
    QTimer m_period;
    bool m_changed = false;
    bool m_warned = false;
    bool m_exited = false;
    bool m_sessionEnding = false;
    bool m_lastWriteOk = false;
    qint64 m_lastStreamOutMs = 0;
    int m_taken = 0;
    int m_written = 0;
    std::unique_ptr<CRecoveryWriter> m_writer; // last: it is stopped first
};
