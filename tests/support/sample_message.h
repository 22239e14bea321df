// Messages in the form the rich-edit control writes, and the streaming of RTF into and out of
// the control, shared by the tests and the benchmarks.
#pragma once

#include "platform/richedit.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

namespace sample {

// The whole file in one piece (so a process's peak after it is the input and nothing more), or
// the empty string when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return in ? bytes : std::string();
}

// A message of about `bytes` bytes of RTF as the program writes them: paragraphs of text with
// bold, italic and coloured runs and tags in the command colour, some centred and some
// indented. With `accented`, one word in eleven is written with an escaped accented letter.
inline std::string GenerateMessage(std::size_t bytes, bool accented = false) {
    static const char* const kWords[] = {"the",     "character", "reads",   "every",
                                         "message", "aloud",     "while",   "walking",
                                         "about",   "screen",    "caf\\'e9"};
    const unsigned wordCount = accented ? 11 : 10;
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
                body += kWords[(paragraph * 3 + run * 5 + word) % wordCount];
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

namespace detail {

inline DWORD Take(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(cb));
    *pcb = cb;
    return 0;
}

struct Source {
    const std::string* bytes;
    std::size_t position;
};

inline DWORD Give(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(cb),
                                                source->bytes->size() - source->position);
    std::memcpy(buffer, source->bytes->data() + source->position, n);
    source->position += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

} // namespace detail

// The control's text as RTF; `reserve` bytes are set aside for it first.
inline std::string StreamOut(IRichEditCtrl& ctrl, std::size_t reserve = 0) {
    std::string out;
    out.reserve(reserve);
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, &detail::Take};
    ctrl.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return out;
}

// Replaces the control's text with `rtf`.
inline void StreamIn(IRichEditCtrl& ctrl, const std::string& rtf) {
    detail::Source source{&rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, &detail::Give};
    ctrl.SendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

} // namespace sample
