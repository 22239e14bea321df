// Stream-out and stream-in of large messages through the rich-edit control, in bytes of RTF
// per second, beside a one-pass walk over the same RTF of the kind the message compiler makes.
#include "platform/qt/rich_edit_ctrl.h"
#include "tests/support/sample_message.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using sample::GenerateMessage;
using sample::StreamIn;
using sample::StreamOut;

void BM_StreamOut(benchmark::State& state) {
    CRichEditCtrl ctrl;
    StreamIn(ctrl, GenerateMessage(static_cast<std::size_t>(state.range(0))));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string rtf = StreamOut(ctrl, size + 4096);
        size = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_StreamIn(benchmark::State& state) {
    CRichEditCtrl ctrl; // shown, as in the program, so the load includes the first layout
    ctrl.resize(800, 600);
    ctrl.show();
    StreamIn(ctrl, GenerateMessage(static_cast<std::size_t>(state.range(0))));
    const std::string rtf = StreamOut(ctrl, 0);
    // Each load counts until the control has shown its first screenful; the rest of the layout
    // goes on in the background.
    for (auto _ : state) {
        StreamIn(ctrl, rtf);
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}

// The yardstick: one pass over the body that gathers runs between control words and appends
// each with a tag around it, as the compiler's walk does.
void BM_OnePassWalk(benchmark::State& state) {
    CRichEditCtrl ctrl;
    StreamIn(ctrl, GenerateMessage(static_cast<std::size_t>(state.range(0))));
    const std::string rtf = StreamOut(ctrl, 0);
    for (auto _ : state) {
        std::string page;
        std::string run;
        std::string word;
        int bold = 0;
        for (std::size_t i = 0; i < rtf.size();) {
            const char c = rtf[i];
            if (c == '\r' || c == '\n') {
                ++i;
            } else if (c == '\\') {
                if (!run.empty()) {
                    page += bold ? "<B>" : "<FONT>";
                    page += run;
                    page += bold ? "</B>" : "</FONT>";
                    run.clear();
                }
                word.clear();
                word += c;
                ++i;
                while (i < rtf.size() && rtf[i] != ' ' && rtf[i] != '\\')
                    word += rtf[i++];
                if (word == "\\plain")
                    bold = 0;
                else if (word == "\\b")
                    bold = 1;
                else if (word == "\\par")
                    page += "</DIV>\r\n";
                if (i < rtf.size() && rtf[i] == ' ')
                    ++i;
            } else {
                run += c;
                ++i;
            }
        }
        benchmark::DoNotOptimize(page.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}

constexpr int64_t kOneMb = 1 << 20;

BENCHMARK(BM_OnePassWalk)->Arg(kOneMb)->Arg(10 * kOneMb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamOut)->Arg(kOneMb)->Arg(10 * kOneMb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamIn)->Arg(kOneMb)->Arg(10 * kOneMb)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
