// One phase of the work on a message file, timed and measured in a process of its own, for
// bench/run.sh:
//   bench_phases generate BYTES OUT   writes a message of about BYTES in the form the control
//                                     writes (generated, streamed into the control and out)
//   bench_phases PHASE FILE [REPEATS] runs PHASE on the file REPEATS times (default 3) and
//                                     prints "seconds extra_kb peak_kb": the best run's wall
//                                     time, the memory the phase took beyond what was held
//                                     before it started, and the process's peak
// Phases: compile (BuildHtml), streamout, streamin (through the control, until its first
// screenful is laid out), copy (a one-pass copy of the bytes, the ceiling of any one-pass work).
#include "document/parl_doc.h"
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/raw_rtf_ctrl.h"
#include "platform/richedit.h"
#include "tests/support/sample_message.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

using sample::GenerateMessage;
using sample::StreamIn;
using sample::StreamOut;

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Read in one piece, so the process's peak before a phase is the input and nothing more.
std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

template <typename Work> void Measure(int repeats, Work work) {
    const long before = PeakKb();
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    const long peak = PeakKb();
    std::printf("%.6f %ld %ld\n", best, peak - before, peak);
}

int Usage() {
    std::cerr << "usage: bench_phases generate BYTES OUT | compile|streamout|streamin|copy FILE "
                 "[REPEATS]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 && !(argc == 3 && std::strcmp(argv[1], "generate") != 0))
        return Usage();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string phase = argv[1];
    if (phase == "generate") {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, GenerateMessage(std::stoul(argv[2]), true));
        std::ofstream(argv[3], std::ios::binary) << StreamOut(ctrl);
        return 0;
    }
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string rtf = ReadAll(argv[2]);
    if (rtf.empty())
        return Usage();
    if (phase == "compile") {
        CRawRtfCtrl ctrl(rtf, 4096);
        CParlDoc doc;
        doc.ResetMessageSettings();
        doc.SetView(&ctrl);
        Measure(repeats, [&] { doc.BuildHtml(); });
    } else if (phase == "streamout") {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, rtf);
        Measure(repeats, [&] { StreamOut(ctrl); });
    } else if (phase == "streamin") {
        CRichEditCtrl ctrl; // shown, as in the program, so the load includes the first layout
        ctrl.resize(800, 600);
        ctrl.show();
        QCoreApplication::processEvents();
        Measure(repeats, [&] {
            StreamIn(ctrl, rtf);
            QCoreApplication::processEvents();
        });
    } else if (phase == "copy") {
        Measure(repeats, [&] {
            std::string out;
            out.reserve(rtf.size());
            for (char c : rtf)
                out.push_back(c);
            if (out.size() != rtf.size())
                std::abort();
        });
    } else {
        return Usage();
    }
    return 0;
}
