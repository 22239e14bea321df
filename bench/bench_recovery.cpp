// Typing into a large message while recovery copies are written: keys are due at a steady rate
// (one every 15 ms) in bursts of 100 with a pause of 1.5 s after each (where the keeper takes
// its full copies), each is handled as soon as the event loop gets to it, and a key's latency
// is the time from when it was due until it was handled. Whatever else runs on the event loop
// (the copies' slices, the journal) delays the keys behind it. Runs without a keeper, then with
// one, and prints the latencies, the full copies written, the time they spent on the event
// loop in all and in how many slices, and the edits journaled.
//   bench_recovery [MB...]     message sizes, default 1 and 10
#include "document/parl_doc.h"
#include "document/qt/recovery_keeper.h"
#include "platform/qt/rich_edit_view.h"
#include "tests/support/sample_message.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Latency {
    double p50 = 0, p99 = 0, max = 0;
};

Latency Type(CRichEditView& view, int keys, int intervalMs) {
    std::vector<double> late;
    QElapsedTimer clock;
    clock.start();
    constexpr int kBurst = 100, kPauseMs = 1500;
    for (int i = 0; i < keys; ++i) {
        const qint64 due = static_cast<qint64>(i) * intervalMs + (i / kBurst) * kPauseMs;
        while (clock.elapsed() < due)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const QString text = QString(QChar('a' + i % 26));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, text);
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, text);
        QApplication::sendEvent(&view, &release);
        late.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6 - static_cast<double>(due));
    }
    std::sort(late.begin(), late.end());
    return {late[late.size() / 2], late[late.size() * 99 / 100], late.back()};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1, 10};
    constexpr int kKeys = 400, kIntervalMs = 15;
    std::printf("Typing %d keys, one every %d ms, at the end of the message.\n\n", kKeys,
                kIntervalMs);
    std::printf("| Message | Copies | Key latency p50 (ms) | p99 (ms) | max (ms) | Full copies "
                "| Last copy on the event loop (ms) | in slices | Edits journaled |\n");
    std::printf("|--------:|--------|-----:|-----:|-----:|-----:|-----:|-----:|-----:|\n");
    for (int mb : sizes) {
        for (bool keep : {false, true}) {
            QTemporaryDir dir;
            CParlDoc doc;
            CRichEditView view;
            view.resize(800, 600);
            view.show();
            doc.SetView(&view);
            const std::string rtf = sample::GenerateMessage(static_cast<std::size_t>(mb) << 20);
            view.StreamInRtf(rtf.data(), rtf.size());
            view.moveCursor(QTextCursor::End);
            QCoreApplication::processEvents();
            std::unique_ptr<CRecoveryKeeper> keeper;
            if (keep)
                keeper = std::make_unique<CRecoveryKeeper>(
                    doc, view, std::make_shared<CRecoveryStore>(dir.filePath("Recovery")));
            const Latency l = Type(view, kKeys, kIntervalMs);
            if (keeper != nullptr)
                keeper->Flush();
            const auto number = [&keeper](long long n) {
                return keeper != nullptr ? std::to_string(n) : std::string("-");
            };
            std::printf("| %d MB | %s | %.2f | %.2f | %.2f | %s | %s | %s | %s |\n", mb,
                        keep ? "on" : "off", l.p50, l.p99, l.max,
                        number(keep ? keeper->CopiesWritten() : 0).c_str(),
                        number(keep ? keeper->LastStreamOutMs() : 0).c_str(),
                        number(keep ? keeper->LastSlices() : 0).c_str(),
                        number(keep ? keeper->EditsJournaled() : 0).c_str());
            if (keeper != nullptr)
                keeper->OnExit();
        }
    }
    return 0;
}
