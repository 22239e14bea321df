// The compile of generated messages of 10 KB, 1 MB and 10 MB, beside a plain one-pass copy of the
// same bytes: the copy is the ceiling that any one-pass compile can approach.
#include "document/parl_doc.h"
#include "platform/raw_rtf_ctrl.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

// Ordinary text in paragraphs of several runs (plain, bold, coloured, italic), a centred or
// indented paragraph now and then, and a tag every few paragraphs.
std::string GenerateMessage(std::size_t size) {
    std::string rtf = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
                      "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss Arial;}{\\f3\\froman Times "
                      "New Roman;}}\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
                      "\\red0\\green0\\blue128;}\r\n\\deflang1033";
    const char* words = "The quick brown fox jumps over the lazy dog while the message is read "
                        "aloud to the recipient, who smiles at the little show. ";
    const char* tags[] = {"<genie Speak Hello there, and welcome to this message.>",
                          "<genie Play Wave>", "<merlin Move Lower Right>",
                          "<merlin Speak I can talk as well.>"};
    for (int p = 0; rtf.size() < size; ++p) {
        rtf += (p % 7 == 3) ? "\\pard\\qc" : (p % 5 == 2) ? "\\pard\\li750" : "\\pard";
        rtf += "\\plain\\f2\\fs24\\cf0 ";
        rtf += words;
        rtf += "\\plain\\f2\\fs24\\b\\cf0 bold words\\plain\\f2\\fs24\\cf2  and ";
        rtf += words;
        rtf += "\\plain\\f3\\fs28\\i\\cf0 caf\\'e9 au lait\\plain\\f2\\fs24\\cf0  ";
        if (p % 4 == 0) {
            rtf += "\\plain\\f2\\fs24\\cf1 ";
            rtf += tags[(p / 4) % 4];
        }
        rtf += "\r\n\\par ";
    }
    rtf += "}";
    return rtf;
}

void BM_BuildHtml(benchmark::State& state) {
    const std::string rtf = GenerateMessage(static_cast<std::size_t>(state.range(0)));
    CRawRtfCtrl ctrl(rtf, 4096);
    CParlDoc doc;
    doc.ResetMessageSettings();
    doc.SetView(&ctrl);
    for (auto _ : state) {
        doc.BuildHtml();
        benchmark::DoNotOptimize(doc.m_strHtml.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rtf.size()));
    // What the compile keeps beside the control's own copy of the text, per byte of input.
    const double held = static_cast<double>(doc.m_strRtf.capacity() + doc.m_strHtmlBody.capacity() +
                                            doc.m_strScript.capacity() + doc.m_strHtml.capacity());
    state.counters["held_per_input"] = held / static_cast<double>(rtf.size());
    state.counters["input_MB"] = static_cast<double>(rtf.size()) / 1e6;
}

// A short message around one PNG picture of the given size (random bytes after a real header;
// the compile reads only the header), written as the editor writes pictures.
std::string GeneratePictureMessage(std::size_t pictureBytes) {
    static const char kHeader[] = "89504e470d0a1a0a0000000d49484452000003e8000002ee0802000000";
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n{\\colortbl"
                      "\\red0\\green0\\blue0;}\r\n\\deflang1033\\pard\\plain\\f0\\fs24\\cf0 "
                      "before {\\pict\\pngblip\\picw1000\\pich750\\picwgoal15000\\pichgoal11250 ";
    rtf += kHeader;
    static const char kHex[] = "0123456789abcdef";
    std::uint32_t x = 12345;
    for (std::size_t i = (sizeof kHeader - 1) / 2; i < pictureBytes; ++i) {
        x = x * 1103515245u + 12345u;
        rtf += kHex[(x >> 16) & 15];
        rtf += kHex[(x >> 24) & 15];
    }
    rtf += "} after\r\n\\par }";
    return rtf;
}

void BM_BuildHtmlPicture(benchmark::State& state) {
    const std::string rtf = GeneratePictureMessage(static_cast<std::size_t>(state.range(0)));
    CRawRtfCtrl ctrl(rtf, 4096);
    CParlDoc doc;
    doc.ResetMessageSettings();
    doc.SetView(&ctrl);
    for (auto _ : state) {
        doc.BuildHtml();
        benchmark::DoNotOptimize(doc.m_strHtml.data());
    }
    if (doc.m_strHtml.find("<IMG") == std::string::npos)
        state.SkipWithError("the picture did not reach the page");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rtf.size()));
}

void BM_OnePassCopy(benchmark::State& state) {
    const std::string rtf = GenerateMessage(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string out;
        out.reserve(rtf.size());
        for (char c : rtf)
            out.push_back(c);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rtf.size()));
}

} // namespace

BENCHMARK(BM_BuildHtml)->Arg(10 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildHtmlPicture)->Arg(5 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePassCopy)
    ->Arg(10 << 10)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
