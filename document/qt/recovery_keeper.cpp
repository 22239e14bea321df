#include "document/qt/recovery_keeper.h"

#include "document/parl_doc.h"
#include "document/project_settings.h"
#include "document/qt/recovery_journal.h"
#include "platform/archive.h"
#include "platform/qt/file_io.h"
#include "platform/qt/message_box.h"
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/qt/translation.h"
#include "rtf/qt/rtf_document_writer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The thread that puts copies on disk, in order. A newer full copy, or the removal, replaces
// every job not yet begun (the copy holds all they would have written); edits for the journal
// queue up behind the copy they follow.
class CRecoveryWriter {
public:
    enum class EKind { Copy, BaseFile, Append, Remove };
    using Done = std::function<void(EKind kind, bool ok, const QString& reason)>;

    CRecoveryWriter(std::shared_ptr<CRecoveryStore> store, QString id, Done done)
        : m_store(std::move(store)), m_id(std::move(id)), m_done(std::move(done)),
          m_thread([this] { Run(); }) {}

    ~CRecoveryWriter() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    void Write(QByteArray rtf, CRecoveryRecord record) {
        Post(Job{EKind::Copy, std::move(rtf), {}, std::move(record)});
    }
    // The copy is the file at `path`, as it is now.
    void WriteFromFile(QString path, CRecoveryRecord record) {
        Post(Job{EKind::BaseFile, {}, std::move(path), std::move(record)});
    }
    void Append(QByteArray edits) { Post(Job{EKind::Append, std::move(edits), {}, {}}); }
    void Remove() { Post(Job{EKind::Remove, {}, {}, {}}); }

    void Flush() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
    }
    bool IsIdle() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_jobs.empty() && !m_busy;
    }

private:
    struct Job {
        EKind kind = EKind::Remove;
        QByteArray bytes;
        QString path;
        CRecoveryRecord record;
    };

    void Post(Job job) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (job.kind != EKind::Append)
                m_jobs.clear();
            m_jobs.push_back(std::move(job));
        }
        m_wake.notify_all();
    }

    void Run() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_jobs.empty())
                return; // stopping, with nothing left to write
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
            lock.unlock();
            QString reason;
            bool ok = true;
            switch (job.kind) {
            case EKind::Remove:
                m_store->Remove(m_id);
                break;
            case EKind::Append:
                ok = m_store->AppendJournal(m_id, job.bytes, reason);
                break;
            case EKind::BaseFile:
                ok = ReadPlainFile(job.path, CRecoveryStore::kMaxCopyBytes, job.bytes, reason);
                if (!ok)
                    break;
                [[fallthrough]];
            case EKind::Copy:
                ok = m_store->Write(m_id, job.bytes, job.record, reason);
                break;
            }
            const EKind kind = job.kind;
            job = Job{};
            if (kind != EKind::Remove)
                m_done(kind, ok, reason);
            lock.lock();
            m_busy = false;
            m_idle.notify_all();
        }
    }

    std::shared_ptr<CRecoveryStore> m_store;
    QString m_id;
    Done m_done;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread; // last: started when everything above is ready
};

CRecoveryKeeper::CRecoveryKeeper(CParlDoc& doc, CRichEditCtrl& ctrl,
                                 std::shared_ptr<CRecoveryStore> store, QObject* parent)
    : QObject(parent), m_doc(doc), m_ctrl(ctrl), m_store(std::move(store)),
      m_id(CRecoveryStore::NewId()) {
    // Without the lock (a folder that cannot be written) the copies fail too, and say so once.
    m_store->Lock(m_id);
    m_writer = std::make_unique<CRecoveryWriter>(
        m_store, m_id, [this](CRecoveryWriter::EKind kind, bool ok, const QString& reason) {
            QMetaObject::invokeMethod(
                this,
                [this, kind, ok, reason] {
                    if (kind == CRecoveryWriter::EKind::Copy) {
                        OnWriteDone(ok, reason);
                    } else if (!ok) {
                        // The journal has nothing to follow: a full copy at the next pause.
                        m_hasBase = false;
                        m_needFull = true;
                        m_changed = true;
                    }
                },
                Qt::QueuedConnection);
        });
    m_pause.setSingleShot(true);
    m_journalTimer.setSingleShot(true);
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_pause, &QTimer::timeout, this, &CRecoveryKeeper::OnPause);
    connect(&m_journalTimer, &QTimer::timeout, this, &CRecoveryKeeper::SendJournal);
    connect(&m_slice, &QTimer::timeout, this, &CRecoveryKeeper::OnSlice);
    connect(m_ctrl.document(), &QTextDocument::contentsChange, this,
            &CRecoveryKeeper::OnContentsChange);
    if (qGuiApp != nullptr) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
            m_sessionEnding = true;
            WriteNow();
        });
    }
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        // A session that ends keeps the copy it has just written; the user may not have
        // answered for the message.
        if (!m_sessionEnding || !m_doc.IsModified())
            OnExit();
    });
    m_doc.m_onMessageSettled = [this] { OnMessageSettled(); };
    PrepareBase();
}

CRecoveryKeeper::~CRecoveryKeeper() {
    m_doc.m_onMessageSettled = nullptr;
    m_writer.reset();
}

bool CRecoveryKeeper::IsSettled() const {
    // A change is on disk when a copy holds it or the journal after one does.
    return (!m_changed || m_hasBase) && !m_needFull && m_journal.isEmpty() && m_writer->IsIdle();
}

void CRecoveryKeeper::PrepareBase() {
    m_baseBytes.clear();
    m_baseFile.clear();
    QTextDocument* document = m_ctrl.document();
    if (document->characterCount() <= kSmallMessage) {
        std::string bytes;
        CArchive ar(CArchive::store, bytes);
        m_doc.CRichEditDoc::Serialize(ar);
        CProjectSettings::Insert(bytes, m_doc);
        m_baseBytes = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return;
    }
    // The file the message was just read from or written to holds it exactly; a page does not.
    const std::string path = m_doc.GetPathName();
    if (!path.empty() && !m_doc.IsModified() && !CParlDoc::IsEmailFileName(path))
        m_baseFile = QString::fromStdString(path);
}

void CRecoveryKeeper::OnContentsChange(int position, int removed, int added) {
    if (m_exited || m_restoring)
        return;
    AbandonSlicedCopy();
    m_changed = true;
    m_pause.start(kPauseMs);
    // A content read in (Open, New) comes with no undo: the journal cannot hold it, and the
    // message settles right after it anyway.
    if (!m_ctrl.document()->isUndoRedoEnabled()) {
        m_needFull = true;
        m_hasBase = false;
        m_baseBytes.clear();
        m_baseFile.clear();
        return;
    }
    if (!m_hasBase && !m_needFull) {
        if (!m_baseBytes.isEmpty()) {
            ++m_taken;
            m_writer->Write(std::move(m_baseBytes), MakeRecord());
            m_hasBase = true;
        } else if (!m_baseFile.isEmpty()) {
            m_writer->WriteFromFile(m_baseFile, MakeRecord());
            m_hasBase = true;
        }
        m_baseBytes.clear();
        m_baseFile.clear();
    }
    if (!m_hasBase) {
        m_needFull = true;
        return;
    }
    const QByteArray record = RecoveryJournal::Record(*m_ctrl.document(), position, removed, added);
    m_journal += record;
    m_journalBytes += record.size();
    ++m_journaled;
    if (!m_journalTimer.isActive())
        m_journalTimer.start(kJournalMs);
}

void CRecoveryKeeper::SendJournal() {
    m_journalTimer.stop();
    if (m_journal.isEmpty() || m_exited)
        return;
    m_writer->Append(std::move(m_journal));
    m_journal = QByteArray();
}

void CRecoveryKeeper::OnPause() {
    SendJournal();
    if (m_exited || !m_changed)
        return;
    if (m_needFull || m_journalBytes > kFoldJournalBytes)
        StartSlicedCopy();
}

void CRecoveryKeeper::StartSlicedCopy() {
    AbandonSlicedCopy();
    m_stepper = std::make_unique<CRtfSteppedWriter>(*m_ctrl.document(), m_ctrl.DefaultCharFormat(),
                                                    m_ctrl.Dpi());
    m_sliceMs = 0;
    m_slices = 0;
    m_slice.start();
}

void CRecoveryKeeper::AbandonSlicedCopy() {
    m_slice.stop();
    m_stepper.reset();
}

void CRecoveryKeeper::OnSlice() {
    if (m_stepper == nullptr)
        return;
    QElapsedTimer clock;
    clock.start();
    const bool done = m_stepper->Step(kSliceMs);
    ++m_slices;
    if (!done) {
        m_sliceMs += clock.elapsed();
        m_slice.start();
        return;
    }
    std::string bytes = m_stepper->Finish();
    m_stepper.reset();
    CProjectSettings::Insert(bytes, m_doc); // the message's settings travel with the copy
    m_lastStreamOutMs = m_sliceMs + clock.elapsed();
    m_lastSlices = m_slices;
    CopyTaken(std::move(bytes));
}

CRecoveryRecord CRecoveryKeeper::MakeRecord() const {
    CRecoveryRecord record;
    record.fileName = QString::fromStdString(m_doc.GetPathName());
    record.time = QDateTime::currentDateTimeUtc();
    record.version = QStringLiteral(PARL_VERSION);
    record.firstWords = CRecoveryRecord::FirstWordsOf(*m_ctrl.document());
    return record;
}

void CRecoveryKeeper::TakeCopy() {
    m_pause.stop();
    if (!m_changed || m_exited) {
        SendJournal();
        return;
    }
    AbandonSlicedCopy();
    // The form a project save writes, at once: the control streams its rich text out here.
    QElapsedTimer clock;
    clock.start();
    std::string bytes;
    CArchive ar(CArchive::store, bytes);
    m_doc.CRichEditDoc::Serialize(ar);
    CProjectSettings::Insert(bytes, m_doc); // the message's settings travel with the copy
    m_lastStreamOutMs = clock.elapsed();
    m_lastSlices = 1;
    CopyTaken(std::move(bytes));
}

void CRecoveryKeeper::CopyTaken(std::string bytes) {
    // The copy holds every change so far: the journal starts again after it.
    m_journalTimer.stop();
    m_journal = QByteArray();
    m_journalBytes = 0;
    m_changed = false;
    m_needFull = false;
    m_hasBase = true;
    m_baseBytes.clear();
    m_baseFile.clear();
    QByteArray rtf(bytes.data(), static_cast<qsizetype>(bytes.size()));
    bytes = std::string();
    ++m_taken;
    m_writer->Write(std::move(rtf), MakeRecord());
}

void CRecoveryKeeper::OnWriteDone(bool ok, const QString& reason) {
    m_lastWriteOk = ok;
    if (ok) {
        ++m_written;
        return;
    }
    m_hasBase = false;
    m_needFull = true;
    m_changed = true;
    if (m_warned)
        return;
    m_warned = true;
    AfxMessageBox(
        ParlTrArgs("Recovery copies of the message cannot be written to \"%1\".\n%2\n"
                   "You can go on editing, but until you save the message, a crash "
                   "loses what you have typed.",
                   {m_store->Folder().toStdString(), ParlTr(reason.toStdString()).toStdString()}),
        MB_OK | MB_ICONEXCLAMATION);
}

void CRecoveryKeeper::OnMessageSettled() {
    m_pause.stop();
    m_journalTimer.stop();
    AbandonSlicedCopy();
    m_journal = QByteArray();
    m_journalBytes = 0;
    m_changed = false;
    m_needFull = false;
    m_hasBase = false;
    if (m_exited)
        return;
    m_writer->Remove();
    PrepareBase();
}

void CRecoveryKeeper::WriteNow() {
    TakeCopy();
    Flush();
}

void CRecoveryKeeper::Flush() {
    SendJournal();
    m_writer->Flush();
    // What the writer reported is taken in now, not at the next turn of the event loop.
    QCoreApplication::sendPostedEvents(this);
}

void CRecoveryKeeper::OnExit() {
    if (m_exited)
        return;
    OnMessageSettled();
    m_exited = true;
    m_writer->Flush();
    m_store->Unlock(m_id);
}

bool CRecoveryKeeper::Restore(const CRecoveryCopy& copy, QString& reason) {
    QByteArray rtf;
    if (!m_store->ReadCopy(copy.id, rtf, reason))
        return false;
    std::string bytes(rtf.constData(), static_cast<std::size_t>(rtf.size()));
    // As Open reads a project, but into a message that no file holds.
    m_doc.ResetMessageSettings();
    m_doc.DeleteContents();
    CArchive ar(CArchive::load, bytes);
    m_doc.Serialize(ar);
    bytes = std::string();
    // Then the edits made after the copy, as one content with no undo steps of its own.
    QByteArray journal;
    QString journalReason;
    if (m_store->ReadJournal(copy.id, journal, journalReason)) {
        QTextDocument* document = m_ctrl.document();
        m_restoring = true;
        document->setUndoRedoEnabled(false);
        int replayed = 0;
        RecoveryJournal::Replay(*document, rtf, journal, replayed, journalReason);
        document->setUndoRedoEnabled(true);
        m_restoring = false;
    }
    rtf.clear();
    m_doc.SetPathName(copy.record.fileName.toStdString(), FALSE);
    m_doc.SetModifiedFlag(TRUE);
    // The message is this program's now: its own copy first, then the old one goes.
    m_changed = true;
    m_lastWriteOk = false;
    WriteNow();
    if (m_lastWriteOk)
        m_store->Remove(copy.id);
    m_store->Unlock(copy.id);
    return true;
}
