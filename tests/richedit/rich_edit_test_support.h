// Helpers of the rich-edit tests: streaming through the control's messages as the document and
// the compiler do, and records filled the way the program fills them.
#pragma once

#include "platform/qt/rich_edit_ctrl.h"
#include "platform/richedit.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace richedit_test {

// The header the control writes when Arial and black are its only font and colour.
inline const std::string kArialBlackHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
    "{\\colortbl\\red0\\green0\\blue0;}\r\n\\deflang1033";

struct OutSink {
    std::string bytes;
    LONG chunkLimit = 0; // takes at most this many bytes a call when non-zero
    int calls = 0;
};

inline DWORD TakeChunk(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    auto* sink = reinterpret_cast<OutSink*>(cookie);
    ++sink->calls;
    const LONG n = sink->chunkLimit > 0 && cb > sink->chunkLimit ? sink->chunkLimit : cb;
    sink->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
    *pcb = n;
    return 0;
}

inline std::string StreamOut(IRichEditCtrl& ctrl, WPARAM format = SF_RTF) {
    OutSink sink;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&sink), 0, &TakeChunk};
    ctrl.SendMessage(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
    return sink.bytes;
}

struct InSource {
    const std::string* bytes;
    std::size_t position = 0;
};

inline DWORD GiveChunk(DWORD_PTR cookie, BYTE* buffer, LONG cb, LONG* pcb) {
    auto* source = reinterpret_cast<InSource*>(cookie);
    const std::size_t left = source->bytes->size() - source->position;
    const std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(cb));
    std::memcpy(buffer, source->bytes->data() + source->position, n);
    source->position += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

inline void StreamIn(IRichEditCtrl& ctrl, const std::string& bytes, WPARAM format = SF_RTF) {
    InSource source{&bytes};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, &GiveChunk};
    ctrl.SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
}

inline CHARFORMAT CharRecord(DWORD mask = 0) {
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = mask;
    return cf;
}

inline PARAFORMAT ParaRecord(DWORD mask = 0) {
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = mask;
    return pf;
}

inline CHARFORMAT GetCharFormat(IRichEditCtrl& ctrl, WPARAM scope = SCF_SELECTION) {
    CHARFORMAT cf = CharRecord();
    ctrl.SendMessage(EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

inline void SetCharFormat(IRichEditCtrl& ctrl, CHARFORMAT cf, WPARAM scope = SCF_SELECTION) {
    ctrl.SendMessage(EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
}

inline PARAFORMAT GetParaFormat(IRichEditCtrl& ctrl) {
    PARAFORMAT pf = ParaRecord();
    ctrl.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf;
}

inline void SetParaFormat(IRichEditCtrl& ctrl, PARAFORMAT pf) {
    ctrl.SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

inline void Select(IRichEditCtrl& ctrl, LONG cpMin, LONG cpMax) {
    CHARRANGE range{cpMin, cpMax};
    ctrl.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

inline CHARRANGE Selection(IRichEditCtrl& ctrl) {
    CHARRANGE range{-7, -7};
    ctrl.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

inline void Replace(IRichEditCtrl& ctrl, const char* text, bool canUndo = true) {
    ctrl.SendMessage(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
}

// What the program's view does for a new message: Arial 12 points black as the default,
// a start indent of 50 twips, left aligned.
inline void ApplyProgramDefaults(IRichEditCtrl& ctrl) {
    CHARFORMAT cf = CharRecord(CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD |
                               CFM_ITALIC | CFM_UNDERLINE);
    cf.yHeight = 240;
    std::strcpy(cf.szFaceName, "Arial");
    SetCharFormat(ctrl, cf, SCF_DEFAULT);
    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_ALIGNMENT | PFM_NUMBERING);
    pf.dxStartIndent = 50;
    pf.wAlignment = PFA_LEFT;
    SetParaFormat(ctrl, pf);
    ctrl.SendMessage(EM_SETMODIFY, FALSE, 0);
}

// Sets the selection's character attributes named by `mask`.
inline void Format(IRichEditCtrl& ctrl, LONG cpMin, LONG cpMax, DWORD mask, DWORD effects,
                   COLORREF color = 0, LONG twips = 240, const char* face = "Arial") {
    Select(ctrl, cpMin, cpMax);
    CHARFORMAT cf = CharRecord(mask);
    cf.dwEffects = effects;
    cf.crTextColor = color;
    cf.yHeight = twips;
    std::strncpy(cf.szFaceName, face, sizeof cf.szFaceName - 1);
    SetCharFormat(ctrl, cf);
}

inline std::string ReadDataFile(const std::string& name) {
    std::ifstream in(std::string(PARL_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace richedit_test

#include "platform/qt/rich_edit_format.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace richedit_test {

// The text of the control, paragraphs joined by "\n"; unlike toPlainText it keeps the
// no-break spaces.
inline QString PlainText(const CRichEditCtrl& ctrl) {
    QString text = ctrl.document()->toRawText();
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    return text;
}

inline std::string Describe(const RtfCharFormat& f) {
    std::ostringstream out;
    out << QString::fromStdU16String(f.font.face).toStdString() << '/' << int(f.font.charSet) << '/'
        << int(f.font.pitchAndFamily) << ' ' << f.twips << "tw";
    if (f.effects & CFE_AUTOCOLOR)
        out << " auto";
    else
        out << " #" << std::hex << f.color << std::dec;
    if (f.effects & CFE_BOLD)
        out << " b";
    if (f.effects & CFE_ITALIC)
        out << " i";
    if (f.effects & CFE_UNDERLINE)
        out << " ul";
    if (f.effects & CFE_STRIKEOUT)
        out << " strike";
    return out.str();
}

// What the editor shows, one line per paragraph: its formats, then each run with its formats
// and text (pictures by size); an empty paragraph with the format of its mark.
inline std::string Describe(const CRichEditCtrl& ctrl) {
    std::ostringstream out;
    const QTextDocument& doc = *ctrl.document();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const RtfParaFormat p = CRichEditFormat::FromQt(block.blockFormat(), ctrl.Dpi());
        out << "[start " << p.startIndent << " offset " << p.offset << " right " << p.rightIndent
            << " align " << p.alignment << "]";
        if (block.length() == 1)
            out << " mark{"
                << Describe(CRichEditFormat::FromQt(block.charFormat(), ctrl.DefaultCharFormat()))
                << "}";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            out << " {" << Describe(CRichEditFormat::FromQt(format, ctrl.DefaultCharFormat()))
                << "}";
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                out << "<picture " << image.width() << "x" << image.height() << " "
                    << format.property(CRichEditFormat::PictureData).toByteArray().size()
                    << " bytes>";
            } else {
                QString text = fragment.text();
                text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
                text.replace(QChar(QChar::LineSeparator), QLatin1String("\\line "));
                out << '"' << text.toStdString() << '"';
            }
        }
        out << '\n';
    }
    return out.str();
}

} // namespace richedit_test
