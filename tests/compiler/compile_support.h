// Helpers shared by the compiler's tests: a document wired to a stand-in control that streams a
// literal RTF text, and RTF written in the form the editor's control writes.
#pragma once

#include "document/parl_doc.h"
#include "platform/raw_rtf_ctrl.h"
#include "support/page_parts.h"

#include <functional>
#include <memory>
#include <string>

namespace testing_support {

// The header the control writes: three fonts (Arial is font 2) and black, red, navy.
inline const char* kHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans "
    "Serif;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\fswiss Arial;}}\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
    "\\red0\\green0\\blue128;}\r\n\\deflang1033";

// A whole RTF text around a body that ends its last paragraph with "\r\n\par }".
inline std::string Rtf(const std::string& body) {
    return kHeader + body + "\r\n\\par }";
}

// A document as New leaves it, reading from the stand-in control.
struct Compiled {
    std::unique_ptr<CRawRtfCtrl> ctrl;
    std::unique_ptr<CParlDoc> doc;
    const std::string& html() const { return doc->m_strHtml; }
};

inline Compiled Compile(const std::string& rtf, const std::function<void(CParlDoc&)>& setup = {},
                        LONG chunk = 4096) {
    Compiled c{std::make_unique<CRawRtfCtrl>(rtf, chunk), std::make_unique<CParlDoc>()};
    c.doc->ResetMessageSettings();
    c.doc->SetView(c.ctrl.get());
    if (setup)
        setup(*c.doc);
    c.doc->BuildHtml();
    return c;
}

// The message text of a page: what stands between the body tag (or the agent object) and the
// end of the body.
inline std::string PageText(const std::string& html) {
    std::size_t start = html.find("<BODY");
    start = html.find(">\r\n", start) + 3;
    const std::size_t object = html.find("</OBJECT>", start);
    if (object != std::string::npos)
        start = object + 9;
    return html.substr(start, html.find("</BODY>\r\n") - start);
}

// The script lines that tags and read text add: after the last character's Show line, up to
// the Hide lines.
inline std::string ScriptLines(const Compiled& c) {
    const std::string& html = c.html();
    const std::string lastShow = c.doc->m_arrCharacters.back() + ".Show\r\n";
    const std::size_t start = html.find(lastShow) + lastShow.size();
    const std::string firstHide = "\r\n" + c.doc->m_arrCharacters.front() + ".Hide\r\n";
    const std::size_t end = html.rfind(firstHide) + 2;
    return html.substr(start, end - start);
}

} // namespace testing_support
