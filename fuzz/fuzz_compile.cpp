// Any bytes, streamed out by the stand-in control in a size the input picks, must compile into a
// whole page: the classic page, followed by nothing or by one whole player block.
#include "document/parl_doc.h"
#include "platform/raw_rtf_ctrl.h"
#include "tests/support/page_parts.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LONG chunk = size > 0 ? 1 + data[0] % 64 : 1;
    CRawRtfCtrl ctrl(std::string(reinterpret_cast<const char*>(data), size), chunk);
    CParlDoc doc;
    doc.ResetMessageSettings();
    if (size > 1 && (data[1] & 1))
        doc.m_bRecipientHasAgent = 1;
    doc.SetView(&ctrl);
    doc.BuildHtml();
    const std::string& html = doc.m_strHtml;
    if (!testing_support::EndsAsAPage(html) || html.compare(0, 17, "<META HTTP-EQUIV=") != 0)
        std::abort();
    return 0;
}
