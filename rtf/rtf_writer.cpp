// The RTF writer: the header with its font and colour tables, then paragraphs and runs that
// state every format they have, in the form the message compiler reads.
#include "rtf/rtf_writer.h"

#include "rtf/rtf_codepage.h"

#include <cstdint>

namespace {

const char kHex[] = "0123456789abcdef";

void AppendNumber(std::string& out, long long n) {
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    const bool negative = n < 0;
    unsigned long long u =
        negative ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative)
        *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

// Text bytes that stand for themselves in RTF.
struct PlainTable {
    bool plain[128] = {};
    constexpr PlainTable() {
        for (int c = 0x20; c < 0x80; ++c)
            plain[c] = c != '\\' && c != '{' && c != '}';
    }
};
constexpr PlainTable kPlain;

inline bool IsPlain(char16_t unit) {
    return unit < 0x80 && kPlain.plain[unit];
}

void AppendControl(std::string& out, const char* word, long long n) {
    out += word;
    AppendNumber(out, n);
}

// One UTF-16 unit of text. Characters that the font's code page cannot carry are written as
// \uN with '?' for readers that do not know \u.
void AppendUnit(std::string& out, char16_t unit, bool ansi) {
    if (unit >= 0x20 && unit < 0x80) {
        if (unit == '\\' || unit == '{' || unit == '}')
            out += '\\';
        out += static_cast<char>(unit);
        return;
    }
    if (unit == u'\t') {
        out += "\\tab ";
        return;
    }
    if (unit == 0x2028) {
        out += "\\line ";
        return;
    }
    const int byte = unit < 0x20 ? unit : (ansi ? CRtfCodePage::UnicodeToCp1252(unit) : -1);
    if (byte >= 0) {
        out += "\\'";
        out += kHex[(byte >> 4) & 0xF];
        out += kHex[byte & 0xF];
        return;
    }
    out += "\\u";
    AppendNumber(out, static_cast<std::int16_t>(unit));
    out += '?';
}

const char* FamilyWord(BYTE pitchAndFamily) {
    switch (pitchAndFamily & rtf::kFamilyMask) {
    case rtf::kFamilyRoman:
        return "\\froman";
    case rtf::kFamilySwiss:
        return "\\fswiss";
    case rtf::kFamilyModern:
        return "\\fmodern";
    case rtf::kFamilyScript:
        return "\\fscript";
    case rtf::kFamilyDecorative:
        return "\\fdecor";
    default:
        return "\\fnil";
    }
}

} // namespace

CRtfWriter::CRtfWriter() = default;

std::size_t CRtfWriter::FontHash::operator()(const RtfFont& font) const {
    return std::hash<std::u16string>()(font.face) * 31u + font.charSet * 257u + font.pitchAndFamily;
}

CRtfWriter::Run CRtfWriter::MakeRun(const RtfCharFormat& format) {
    Run run;
    const auto font =
        m_fontNumbers.emplace(format.font, static_cast<int>(m_fonts.size())).first->second;
    if (font == static_cast<int>(m_fonts.size()))
        m_fonts.push_back(format.font);
    run.font = font;
    // Automatic colour has no entry of its own in a table of this form; it is written black.
    const COLORREF color = (format.effects & CFE_AUTOCOLOR) ? 0 : format.color & 0xFFFFFFu;
    const auto number = m_colorNumbers.emplace(color, static_cast<int>(m_colors.size())).first;
    if (number->second == static_cast<int>(m_colors.size()))
        m_colors.push_back(color);
    run.color = number->second;
    run.halfPoints = static_cast<int>((format.twips + 5) / 10);
    run.effects = format.effects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT);
    run.ansi = CRtfCodePage::FromCharSet(format.font.charSet, 1252) == 1252;
    return run;
}

void CRtfWriter::BeginParagraph(const RtfParaFormat& format) {
    m_anyParagraph = true;
    m_inRun = false;
    m_body += "\\pard";
    switch (format.alignment) {
    case PFA_CENTER:
        m_body += "\\qc";
        break;
    case PFA_RIGHT:
        m_body += "\\qr";
        break;
    case PFA_JUSTIFY:
        m_body += "\\qj";
        break;
    default:
        break;
    }
    // RTF counts the left indent for all lines and the first line relative to it.
    const long long left = static_cast<long long>(format.startIndent) + format.offset;
    if (left != 0)
        AppendControl(m_body, "\\li", left);
    if (format.offset != 0)
        AppendControl(m_body, "\\fi", -static_cast<long long>(format.offset));
    if (format.rightIndent != 0)
        AppendControl(m_body, "\\ri", format.rightIndent);
}

void CRtfWriter::StartRun(const Run& run) {
    if (m_inRun && run == m_current)
        return;
    m_inRun = true;
    m_current = run;
    AppendControl(m_body, "\\plain\\f", run.font);
    AppendControl(m_body, "\\fs", run.halfPoints);
    if (run.effects & CFE_BOLD)
        m_body += "\\b";
    if (run.effects & CFE_ITALIC)
        m_body += "\\i";
    if (run.effects & CFE_UNDERLINE)
        m_body += "\\ul";
    if (run.effects & CFE_STRIKEOUT)
        m_body += "\\strike";
    AppendControl(m_body, "\\cf", run.color);
    m_body += ' ';
}

void CRtfWriter::Text(const Run& run, std::u16string_view text) {
    if (text.empty())
        return;
    StartRun(run);
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    while (p < end) {
        const char16_t* plainEnd = p;
        while (plainEnd < end && IsPlain(*plainEnd))
            ++plainEnd;
        if (plainEnd > p) {
            const std::size_t at = m_body.size();
            m_body.resize(at + static_cast<std::size_t>(plainEnd - p));
            char* out = &m_body[at];
            while (p < plainEnd)
                *out++ = static_cast<char>(*p++);
        }
        if (p < end)
            AppendUnit(m_body, *p++, run.ansi);
    }
}

void CRtfWriter::Picture(const Run& run, RtfPictureKind kind, std::string_view data,
                         int widthPixels, int heightPixels, int goalWidthTwips,
                         int goalHeightTwips) {
    StartRun(run);
    m_body += kind == RtfPictureKind::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    AppendControl(m_body, "\\picw", widthPixels);
    AppendControl(m_body, "\\pich", heightPixels);
    AppendControl(m_body, "\\picwgoal", goalWidthTwips);
    AppendControl(m_body, "\\pichgoal", goalHeightTwips);
    m_body += ' ';
    const std::size_t at = m_body.size();
    m_body.resize(at + 2 * data.size());
    char* out = &m_body[at];
    for (char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = kHex[byte >> 4];
        *out++ = kHex[byte & 0xF];
    }
    m_body += '}';
}

void CRtfWriter::EndParagraph(const Run& markRun) {
    if (!m_inRun)
        StartRun(markRun);
    m_body += "\r\n\\par ";
    m_inRun = false;
}

std::string CRtfWriter::Finish() {
    if (!m_anyParagraph) {
        BeginParagraph(RtfParaFormat{});
        EndParagraph(MakeRun(RtfCharFormat{}));
    }
    std::string out;
    out.reserve(m_body.size() + 256 + 48 * (m_fonts.size() + m_colors.size()));
    out += "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl";
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        const RtfFont& font = m_fonts[i];
        AppendControl(out, "{\\f", static_cast<long long>(i));
        out += FamilyWord(font.pitchAndFamily);
        if (font.charSet != 0)
            AppendControl(out, "\\fcharset", font.charSet);
        if ((font.pitchAndFamily & rtf::kPitchMask) != 0)
            AppendControl(out, "\\fprq", font.pitchAndFamily & rtf::kPitchMask);
        out += ' ';
        const bool ansi = CRtfCodePage::FromCharSet(font.charSet, 1252) == 1252;
        for (char16_t unit : font.face) {
            if (unit != u';')
                AppendUnit(out, unit, ansi);
        }
        out += ";}";
    }
    out += "}\r\n{\\colortbl";
    for (COLORREF color : m_colors) {
        AppendControl(out, "\\red", GetRValue(color));
        AppendControl(out, "\\green", GetGValue(color));
        AppendControl(out, "\\blue", GetBValue(color));
        out += ';';
    }
    out += "}\r\n\\deflang1033";
    out += m_body;
    out += '}';
    m_body.clear();
    return out;
}
