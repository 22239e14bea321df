// Stream-out and stream-in of large messages through the rich-edit control, in bytes of RTF
// per second, beside a one-pass walk over the same RTF of the kind the message compiler makes.
#include "platform/qt/rich_edit_ctrl.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <string>

namespace {

// A message as the program writes them: paragraphs of text with bold and italic words, tags
// in the command colour, some centred and some indented paragraphs, in the control's form.
std::string GenerateMessage(std::size_t bytes) {
    static const char* const kWords[] = {"the",   "character", "reads",   "every", "message",
                                         "aloud", "while",     "walking", "about", "screen"};
    std::string body;
    body.reserve(bytes + 1024);
    for (unsigned paragraph = 0; body.size() < bytes; ++paragraph) {
        body += "\\pard";
        if (paragraph % 7 == 3)
            body += "\\qc";
        if (paragraph % 5 == 2)
            body += "\\li800";
        for (unsigned run = 0; run < 6; ++run) {
            switch ((paragraph + run) % 4) {
            case 0:
                body += "\\plain\\f0\\fs24\\cf0 ";
                break;
            case 1:
                body += "\\plain\\f0\\fs24\\b\\cf0 ";
                break;
            case 2:
                body += "\\plain\\f0\\fs24\\cf1 <genie Speak Hello there> ";
                break;
            default:
                body += "\\plain\\f1\\fs28\\i\\cf0 ";
                break;
            }
            for (unsigned word = 0; word < 8; ++word) {
                body += kWords[(paragraph * 3 + run * 5 + word) % 10];
                body += ' ';
            }
        }
        body += "\r\n\\par ";
    }
    return "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
           "Roman;}}\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
           "\\deflang1033" +
           body + "}";
}

DWORD Take(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(cb));
    *pcb = cb;
    return 0;
}

struct Source {
    const std::string* bytes;
    std::size_t position;
};

DWORD Give(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(cb),
                                                source->bytes->size() - source->position);
    std::memcpy(buffer, source->bytes->data() + source->position, n);
    source->position += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

std::string StreamOut(CRichEditCtrl& ctrl, std::size_t reserve) {
    std::string out;
    out.reserve(reserve);
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, &Take};
    ctrl.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return out;
}

void StreamIn(CRichEditCtrl& ctrl, const std::string& rtf) {
    Source source{&rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, &Give};
    ctrl.SendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

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
