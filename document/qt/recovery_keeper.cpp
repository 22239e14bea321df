#include "document/qt/recovery_keeper.h"

#include "document/parl_doc.h"
#include "document/project_settings.h"
#include "platform/archive.h"
#include "platform/qt/message_box.h"
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/qt/translation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// The thread that puts copies on disk. It holds at most one job waiting: a newer copy, or the
// removal, replaces a copy not yet begun, since only the last one counts.
class CRecoveryWriter {
public:
    using Done = std::function<void(bool ok, const QString& reason)>;

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
        Post(Job{false, std::move(rtf), std::move(record)});
    }
    void Remove() { Post(Job{true, {}, {}}); }

    void Flush() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_next && !m_busy; });
    }

private:
    struct Job {
        bool remove = false;
        QByteArray rtf;
        CRecoveryRecord record;
    };

    void Post(Job job) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_next = std::move(job);
        }
        m_wake.notify_all();
    }

    void Run() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || m_next; });
            if (!m_next)
                return; // stopping, with nothing left to write
            Job job = std::move(*m_next);
            m_next.reset();
            m_busy = true;
            lock.unlock();
            QString reason;
            if (job.remove) {
                m_store->Remove(m_id);
            } else {
                const bool ok = m_store->Write(m_id, job.rtf, job.record, reason);
                job = Job{};
                m_done(ok, reason);
            }
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
    std::optional<Job> m_next;
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
    m_writer =
        std::make_unique<CRecoveryWriter>(m_store, m_id, [this](bool ok, const QString& reason) {
            QMetaObject::invokeMethod(
                this, [this, ok, reason] { OnWriteDone(ok, reason); }, Qt::QueuedConnection);
        });
    m_pause.setSingleShot(true);
    m_period.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CRecoveryKeeper::TakeCopy);
    connect(&m_period, &QTimer::timeout, this, &CRecoveryKeeper::TakeCopy);
    connect(m_ctrl.document(), &QTextDocument::contentsChanged, this,
            &CRecoveryKeeper::OnContentsChanged);
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
}

CRecoveryKeeper::~CRecoveryKeeper() {
    m_doc.m_onMessageSettled = nullptr;
    m_writer.reset();
}

int CRecoveryKeeper::PeriodMs() const {
    const qint64 period = m_lastStreamOutMs * kStreamOutShare;
    return static_cast<int>(std::clamp<qint64>(period, kShortestPeriodMs, kLongestPeriodMs));
}

void CRecoveryKeeper::OnContentsChanged() {
    if (m_exited)
        return;
    m_changed = true;
    m_pause.start(kPauseMs);
    if (!m_period.isActive())
        m_period.start(PeriodMs());
}

CRecoveryRecord CRecoveryKeeper::MakeRecord() const {
    CRecoveryRecord record;
    record.fileName = QString::fromStdString(m_doc.GetPathName());
    record.time = QDateTime::currentDateTimeUtc();
    record.version = QStringLiteral(PARL_VERSION);
    // The first words, without reading more of a long message than they need.
    QString words;
    for (QTextBlock block = m_ctrl.document()->begin(); block.isValid() && words.size() < 80;
         block = block.next())
        words += block.text().left(200) + QLatin1Char(' ');
    words = words.simplified();
    if (words.size() > 60) {
        const int cut = words.lastIndexOf(QLatin1Char(' '), 60);
        words = words.left(cut > 20 ? cut : 60) + QStringLiteral("...");
    }
    record.firstWords = words;
    return record;
}

void CRecoveryKeeper::TakeCopy() {
    m_pause.stop();
    m_period.stop();
    if (!m_changed || m_exited)
        return;
    m_changed = false;
    // The form a project save writes: the control streams its rich text out here, on the
    // control's own thread; the writer thread only puts the bytes on disk.
    QElapsedTimer clock;
    clock.start();
    std::string bytes;
    CArchive ar(CArchive::store, bytes);
    m_doc.CRichEditDoc::Serialize(ar);
    CProjectSettings::Insert(bytes, m_doc); // the message's settings travel with the copy
    QByteArray rtf(bytes.data(), static_cast<qsizetype>(bytes.size()));
    bytes = std::string();
    m_lastStreamOutMs = clock.elapsed();
    ++m_taken;
    m_writer->Write(std::move(rtf), MakeRecord());
}

void CRecoveryKeeper::OnWriteDone(bool ok, const QString& reason) {
    m_lastWriteOk = ok;
    if (ok) {
        ++m_written;
        return;
    }
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
    m_period.stop();
    m_changed = false;
    if (!m_exited)
        m_writer->Remove();
}

void CRecoveryKeeper::WriteNow() {
    TakeCopy();
    Flush();
}

void CRecoveryKeeper::Flush() {
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
    rtf.clear();
    // As Open reads a project, but into a message that no file holds.
    m_doc.ResetMessageSettings();
    m_doc.DeleteContents();
    CArchive ar(CArchive::load, bytes);
    m_doc.Serialize(ar);
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
