// Writes rich text as RTF in the form the message compiler reads: a header holding the font
// table and the colour table, then a body in which every paragraph starts with \pard and its
// formats, every run with \plain and all of its character formats, and every paragraph mark is
// CR LF then "\par ". The body holds no brace of its own unless the text has one (escaped) or a
// picture is embedded. The whole ends with "\par }".
//
// Fonts and colours are numbered from 0 in order of first use. The body is written first and
// the header put in front of it at the end, so one pass over the text is enough.
#pragma once

#include "rtf/rtf_format.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CRtfWriter {
public:
    // A run's formats as the body states them: numbers into the two tables.
    struct Run {
        int font = 0;
        int halfPoints = 24;
        int color = 0;
        DWORD effects = 0;
        bool ansi = true; // the font reads \'hh as Windows-1252

        bool operator==(const Run& other) const {
            return font == other.font && halfPoints == other.halfPoints && color == other.color &&
                   effects == other.effects && ansi == other.ansi;
        }
        bool operator!=(const Run& other) const { return !(*this == other); }
    };

    CRtfWriter();

    // Makes room for a body of about `bytes` bytes.
    void Reserve(std::size_t bytes) { m_body.reserve(bytes); }

    // Enters the run's font and colour in the tables; the result can be kept and reused for
    // every run of the same format.
    Run MakeRun(const RtfCharFormat& format);

    void BeginParagraph(const RtfParaFormat& format);
    // Text of the current paragraph in `run`'s format; no paragraph marks in it.
    void Text(const Run& run, std::u16string_view text);
    void Picture(const Run& run, RtfPictureKind kind, std::string_view data, int widthPixels,
                 int heightPixels, int goalWidthTwips, int goalHeightTwips);
    // Whether the current paragraph has a run yet; one without states its mark's format.
    bool ParagraphHasRun() const { return m_inRun; }
    // Ends the paragraph; `markRun` is the format of the mark of a paragraph without runs.
    void EndParagraph(const Run& markRun);

    // The whole RTF. The writer is spent afterwards.
    std::string Finish();

private:
    void StartRun(const Run& run);

    std::string m_body;
    struct FontHash {
        std::size_t operator()(const RtfFont& font) const;
    };

    std::vector<RtfFont> m_fonts;
    std::vector<COLORREF> m_colors;
    // Each entry's number, so that a text in thousands of fonts is written in linear time.
    std::unordered_map<RtfFont, int, FontHash> m_fontNumbers;
    std::unordered_map<COLORREF, int> m_colorNumbers;
    Run m_current;
    bool m_inRun = false;
    bool m_anyParagraph = false;
};
