// Any bytes streamed into the rich-edit control as RTF must load without a fault and in time
// that grows with their size alone, leave the control usable, and stream out again as one whole
// RTF group that the control reads back.
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/richedit.h"

#include <QApplication>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Source {
    const uint8_t* data;
    size_t size;
    size_t position;
};

DWORD Give(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const size_t n = std::min<size_t>(static_cast<size_t>(cb), source->size - source->position);
    if (n > 0)
        std::memcpy(buffer, source->data + source->position, n);
    source->position += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

DWORD Take(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

void StreamIn(CRichEditCtrl& ctrl, const uint8_t* data, size_t size, WPARAM format = SF_RTF) {
    Source source{data, size, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, &Give};
    ctrl.SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
}

std::string StreamOut(CRichEditCtrl& ctrl) {
    std::string out;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, &Take};
    ctrl.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return out;
}

// The time the reader may take for `size` bytes. A release build opens 2 MB in well under a
// second; the sanitizers make it about four times slower and a shared machine slower again, so
// the limit is a second plus eight seconds a megabyte (three seconds for the largest input
// that fuzz/run.sh gives, as its -timeout). PARL_FUZZ_MS_PER_MB changes the eight seconds.
// Unlike -timeout, which is one limit for every input (and twenty minutes when the target is
// run by hand), this one grows with the input, so a large file given by hand is held to it.
double ReadLimitMs(size_t size) {
    static const double perMegabyte = [] {
        const char* value = std::getenv("PARL_FUZZ_MS_PER_MB");
        const double ms = value != nullptr ? std::atof(value) : 0;
        return ms > 0 ? ms : 8000.0;
    }();
    return 1000.0 + perMegabyte * static_cast<double>(size) / (1024.0 * 1024.0);
}

bool IsWholeRtf(const std::string& rtf) {
    return rtf.compare(0, 6, "{\\rtf1") == 0 && !rtf.empty() && rtf.back() == '}';
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRichEditCtrl ctrl;
    const auto start = std::chrono::steady_clock::now();
    StreamIn(ctrl, data, size);
    const double readMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // A slow input is a fault: time that grows with the square of some count in the file
    // shows itself here long before a file of that kind takes minutes.
    if (readMs > ReadLimitMs(size)) {
        std::fprintf(stderr,
                     "slow input: %zu bytes took %.0f ms to read, over the limit of %.0f ms\n",
                     size, readMs, ReadLimitMs(size));
        std::abort();
    }

    // The control stays usable: typing at the end lands in its text.
    CHARRANGE all{0, -1};
    ctrl.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    ctrl.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARRANGE end{all.cpMax, all.cpMax};
    ctrl.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    ctrl.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("typed"));
    const std::string once = StreamOut(ctrl);
    if (!IsWholeRtf(once))
        std::abort();

    // What the control wrote, it reads back.
    CRichEditCtrl again;
    StreamIn(again, reinterpret_cast<const uint8_t*>(once.data()), once.size());
    if (!IsWholeRtf(StreamOut(again)))
        std::abort();

    // The same bytes pasted over a few characters inside it, as a paste of rich text does.
    CHARRANGE inside{1, 3};
    again.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&inside));
    StreamIn(again, data, size, SF_RTF | CRichEditCtrl::SFF_SELECTION);
    if (!IsWholeRtf(StreamOut(again)))
        std::abort();
    return 0;
}
