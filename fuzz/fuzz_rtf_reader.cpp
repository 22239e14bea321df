// Any bytes streamed into the rich-edit control as RTF must load without a fault, leave the
// control usable, and stream out again as one whole RTF group that the control reads back.
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/richedit.h"

#include <QApplication>
#include <cstdint>
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
    StreamIn(ctrl, data, size);

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
