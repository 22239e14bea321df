// Keystroke to repaint while typing at the end of a message, in the editor as the program sets
// it up (spelling checked as you type, on and off, and recovery copies kept) against the
// yardstick: a plain QTextEdit holding the same document, read through a QTextCursor by the
// same reader (what Qt itself needs). Keys are due one every 30 ms; a key's pause counts from
// the moment it was due to the end of the repaint that shows it, so time the key spent waiting
// behind other work on the event loop (a slice of checking, of a copy) counts too. CPU per key
// is the process's CPU time over the typing divided by the keys. Each row is the median of
// three runs. Run it under a real X server (Xvfb and openbox) for the real painting, or with
// QT_QPA_PLATFORM=offscreen.
//
//     bench_spell [KEYS [KB|FILE...]]   KEYS keystrokes per run (200 by default) into messages
//                                       of KB kilobytes of RTF (10, 1024 and 10240 by default)
//                                       or read from FILE (a message with photos, say)
#include "document/parl_doc.h"
#include "document/qt/recovery_keeper.h"
#include "platform/qt/rich_edit_view.h"
#include "rtf/qt/rtf_reader.h"
#include "tests/support/sample_message.h"
#include "view/spell_checker.h"
#include "view/spell_highlighter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

QElapsedTimer g_clock;

// Notes when it last finished painting.
template <class Base> class CTimed : public Base {
public:
    qint64 m_nLastPaintNs = -1;

protected:
    void paintEvent(QPaintEvent* event) override {
        Base::paintEvent(event);
        m_nLastPaintNs = g_clock.nsecsElapsed();
    }
};

// The message with a wrong word in every paragraph of the sample text and in its Speak tags.
std::string WithMistakes(std::string rtf) {
    for (const auto& [right, wrong] : {std::pair<std::string, std::string>{"walking", "walkign"},
                                       {"Hello there", "Helo thre"}}) {
        for (std::size_t at = rtf.find(right); at != std::string::npos; at = rtf.find(right, at))
            rtf.replace(at, right.size(), wrong);
    }
    return rtf;
}

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Runs the event loop until `ns` on the clock, sleeping while it has nothing to do.
void WaitUntil(qint64 ns) {
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = ns - g_clock.nsecsElapsed();
        if (left <= 0)
            return;
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(std::max<qint64>(1, left / 1'000'000)));
        // Any event wakes the loop: the next turn of the outer loop handles what came.
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

enum class EEditor { PlainQt, Off, On };

struct CRun {
    double p50 = 0, p99 = 0, cpuPerKey = 0;
};

void WaitExposed(QWidget& widget) {
    widget.resize(800, 600);
    widget.show();
    for (int i = 0; i < 200 && !(widget.windowHandle() && widget.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

template <class Edit> CRun TypeInto(Edit& edit, int keys) {
    edit.moveCursor(QTextCursor::End);
    // A moment to settle, as a user who opened the message and went to its end.
    for (QElapsedTimer settle; !settle.isValid() || settle.elapsed() < 500;) {
        if (!settle.isValid())
            settle.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const QString text = QStringLiteral("the quick brown fox jumsp over the lazy dgo <genie Speak "
                                        "helo there> and walks on ");
    std::vector<double> pauses;
    const double cpuBefore = CpuMs();
    const qint64 startNs = g_clock.nsecsElapsed();
    const qint64 stepNs = 30'000'000;
    for (int k = 0; k < keys; ++k) {
        const qint64 dueNs = startNs + (k + 1) * stepNs;
        // The event loop runs, and sleeps when it has nothing to do, until the key is due.
        WaitUntil(dueNs);
        const QChar c = text.at(k % text.size());
        const int key = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_A;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        edit.m_nLastPaintNs = -1;
        QCoreApplication::sendEvent(&edit, &press);
        QCoreApplication::sendEvent(&edit, &release);
        // The repaint comes when the event loop gets to it, after whatever else is running.
        for (const qint64 giveUpNs = g_clock.nsecsElapsed() + 10'000'000'000;
             edit.m_nLastPaintNs < 0 && g_clock.nsecsElapsed() < giveUpNs;)
            WaitUntil(g_clock.nsecsElapsed() + 1'000'000);
        pauses.push_back(static_cast<double>(edit.m_nLastPaintNs - dueNs) / 1e6);
    }
    CRun run;
    run.cpuPerKey = (CpuMs() - cpuBefore) / keys;
    std::sort(pauses.begin(), pauses.end());
    run.p50 = pauses[pauses.size() / 2];
    run.p99 = pauses[std::min(pauses.size() - 1, pauses.size() * 99 / 100)];
    return run;
}

CRun Type(const std::string& rtf, EEditor editor, const CDictionaryInfo& dictionary, int keys) {
    if (editor == EEditor::PlainQt) {
        CTimed<QTextEdit> edit;
        WaitExposed(edit);
        QTextCursor cursor(edit.document());
        CRtfReader reader(cursor, RtfCharFormat{}, 96.0);
        reader.Read(rtf.data(), rtf.size());
        return TypeInto(edit, keys);
    }
    QTemporaryDir dir;
    CParlDoc doc;
    CTimed<CRichEditView> view;
    doc.SetView(&view);
    WaitExposed(view);
    CSpellChecker checker;
    CSpellHighlighter highlighter(view, checker);
    if (editor == EEditor::On) {
        checker.Load(dictionary); // read beforehand: the bench times the checking, not the load
        highlighter.SetActive(true);
    }
    view.StreamInRtf(rtf.data(), rtf.size());
    CRecoveryKeeper keeper(doc, view, std::make_shared<CRecoveryStore>(dir.filePath("Recovery")));
    const CRun run = TypeInto(view, keys);
    keeper.OnExit();
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    g_clock.start();
    const int keys = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::vector<std::string> messages; // sizes in KB or file names
    for (int i = 2; i < argc; ++i)
        messages.emplace_back(argv[i]);
    if (messages.empty())
        messages = {"10", "1024", "10240"};
    const std::vector<CDictionaryInfo> found = CSpellChecker::FindDictionaries();
    const CDictionaryInfo* dictionary = nullptr;
    for (const CDictionaryInfo& d : found) {
        if (d.code == QLatin1String("en_US"))
            dictionary = &d;
    }
    if (dictionary == nullptr && !found.empty())
        dictionary = &found.front();
    if (dictionary == nullptr) {
        std::fprintf(stderr, "bench_spell: no Hunspell dictionary installed\n");
        return 1;
    }
    std::printf("Platform %s, dictionary %s; %d keystrokes per run at the end of the message, one "
                "every 30 ms; medians of 3 runs\n\n",
                QGuiApplication::platformName().toUtf8().constData(),
                dictionary->code.toUtf8().constData(), keys);
    std::printf("| Message (KB) | Editor | Pause p50 (ms) | Pause p99 (ms) | CPU per key (ms) |\n");
    std::printf("|-------------:|--------|---------------:|---------------:|-----------------:|\n");
    for (const std::string& message : messages) {
        std::string rtf;
        const bool isSize = message.find_first_not_of("0123456789") == std::string::npos;
        if (isSize) {
            rtf = sample::GenerateMessage(static_cast<std::size_t>(std::stoull(message)) * 1024,
                                          true);
        } else {
            rtf = sample::ReadFile(message);
        }
        if (rtf.empty()) {
            std::fprintf(stderr, "bench_spell: cannot read %s\n", message.c_str());
            return 1;
        }
        rtf = WithMistakes(std::move(rtf));
        std::string label = std::to_string((rtf.size() + 512) / 1024);
        if (!isSize)
            label += ", " + message.substr(message.find_last_of('/') + 1);
        for (EEditor editor : {EEditor::PlainQt, EEditor::Off, EEditor::On}) {
            std::vector<double> p50, p99, cpu;
            for (int i = 0; i < 3; ++i) {
                const CRun run = Type(rtf, editor, *dictionary, keys);
                p50.push_back(run.p50);
                p99.push_back(run.p99);
                cpu.push_back(run.cpuPerKey);
            }
            const char* name = editor == EEditor::PlainQt ? "plain Qt"
                               : editor == EEditor::Off   ? "spelling off, copies on"
                                                          : "spelling on, copies on";
            std::printf("| %12s | %s | %14.1f | %14.1f | %16.2f |\n", label.c_str(), name,
                        Median(p50), Median(p99), Median(cpu));
            std::fflush(stdout);
        }
    }
    return 0;
}
