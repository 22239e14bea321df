// The table of the control words the reader acts on, looked up by name.
#include "rtf/rtf_control_words.h"

#include "platform/richedit.h"
#include "rtf/rtf_format.h"

#include <unordered_map>

namespace {

const std::unordered_map<std::string_view, CRtfControlWords::Entry>& Table() {
    using Entry = CRtfControlWords::Entry;
    using Op = CRtfControlWords::Op;
    static const std::unordered_map<std::string_view, Entry> table = [] {
        std::unordered_map<std::string_view, Entry> t;
        for (const char* word : {"author",     "buptim",     "colorschememapping",
                                 "comment",    "creatim",    "datastore",
                                 "do",         "doccomm",    "docvar",
                                 "filetbl",    "fldinst",    "footer",
                                 "footerf",    "footerl",    "footerr",
                                 "footnote",   "ftncn",      "ftnsep",
                                 "ftnsepc",    "aftncn",     "aftnsep",
                                 "aftnsepc",   "generator",  "header",
                                 "headerf",    "headerl",    "headerr",
                                 "info",       "keywords",   "latentstyles",
                                 "listtable",  "listtext",   "listoverridetable",
                                 "mmathPr",    "nonshppict", "objdata",
                                 "objclass",   "objname",    "operator",
                                 "pgdsctbl",   "pn",         "pntext",
                                 "pntxta",     "pntxtb",     "printim",
                                 "private",    "revtbl",     "revtim",
                                 "rsidtbl",    "rxe",        "shpinst",
                                 "shptxt",     "stylesheet", "subject",
                                 "tc",         "template",   "themedata",
                                 "title",      "txe",        "upr",
                                 "userprops",  "xe",         "xmlnstbl",
                                 "annotation", "atnid",      "atnauthor",
                                 "bkmkstart",  "bkmkend",    "wgrffmtfilter"})
            t.emplace(word, Entry{Op::DestSkip, 0});
        for (const char* word :
             {"shppict", "field", "fldrslt", "object", "result", "shp", "shprslt", "ud"})
            t.emplace(word, Entry{Op::DestBody, 0});
        t.emplace("fonttbl", Entry{Op::DestFontTable, 0});
        t.emplace("colortbl", Entry{Op::DestColorTable, 0});
        t.emplace("pict", Entry{Op::DestPicture, 0});

        t.emplace("ansi", Entry{Op::CodePage, 1252});
        t.emplace("mac", Entry{Op::CodePage, 10000});
        t.emplace("pc", Entry{Op::CodePage, 437});
        t.emplace("pca", Entry{Op::CodePage, 850});
        t.emplace("ansicpg", Entry{Op::AnsiCodePage, 0});
        t.emplace("deff", Entry{Op::DefaultFont, 0});

        t.emplace("f", Entry{Op::Font, 0});
        t.emplace("fnil", Entry{Op::FontFamily, rtf::kFamilyDontCare});
        t.emplace("froman", Entry{Op::FontFamily, rtf::kFamilyRoman});
        t.emplace("fswiss", Entry{Op::FontFamily, rtf::kFamilySwiss});
        t.emplace("fmodern", Entry{Op::FontFamily, rtf::kFamilyModern});
        t.emplace("fscript", Entry{Op::FontFamily, rtf::kFamilyScript});
        t.emplace("fdecor", Entry{Op::FontFamily, rtf::kFamilyDecorative});
        t.emplace("ftech", Entry{Op::FontFamily, rtf::kFamilyDecorative});
        t.emplace("fcharset", Entry{Op::FontCharSet, 0});
        t.emplace("fprq", Entry{Op::FontPitch, 0});
        t.emplace("cpg", Entry{Op::FontCodePage, 0});

        t.emplace("red", Entry{Op::Red, 0});
        t.emplace("green", Entry{Op::Green, 0});
        t.emplace("blue", Entry{Op::Blue, 0});

        t.emplace("plain", Entry{Op::Plain, 0});
        t.emplace("b", Entry{Op::Effect, static_cast<int>(CFE_BOLD)});
        t.emplace("i", Entry{Op::Effect, static_cast<int>(CFE_ITALIC)});
        t.emplace("strike", Entry{Op::Effect, static_cast<int>(CFE_STRIKEOUT)});
        t.emplace("striked", Entry{Op::Effect, static_cast<int>(CFE_STRIKEOUT)});
        for (const char* word : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                 "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.emplace(word, Entry{Op::Effect, static_cast<int>(CFE_UNDERLINE)});
        t.emplace("ulnone", Entry{Op::UnderlineOff, 0});
        t.emplace("v", Entry{Op::Hidden, 0});
        t.emplace("fs", Entry{Op::FontSize, 0});
        t.emplace("cf", Entry{Op::Color, 0});
        t.emplace("uc", Entry{Op::UnicodeSkip, 0});
        t.emplace("u", Entry{Op::Unicode, 0});

        t.emplace("tab", Entry{Op::Character, '\t'});
        t.emplace("cell", Entry{Op::Character, '\t'});
        t.emplace("nestcell", Entry{Op::Character, '\t'});
        t.emplace("line", Entry{Op::Character, 0x2028});
        t.emplace("emdash", Entry{Op::Character, 0x2014});
        t.emplace("endash", Entry{Op::Character, 0x2013});
        t.emplace("emspace", Entry{Op::Character, 0x2003});
        t.emplace("enspace", Entry{Op::Character, 0x2002});
        t.emplace("qmspace", Entry{Op::Character, 0x2005});
        t.emplace("bullet", Entry{Op::Character, 0x2022});
        t.emplace("lquote", Entry{Op::Character, 0x2018});
        t.emplace("rquote", Entry{Op::Character, 0x2019});
        t.emplace("ldblquote", Entry{Op::Character, 0x201C});
        t.emplace("rdblquote", Entry{Op::Character, 0x201D});
        t.emplace("zwj", Entry{Op::Character, 0x200D});
        t.emplace("zwnj", Entry{Op::Character, 0x200C});
        t.emplace("zwbo", Entry{Op::Character, 0x200B});
        t.emplace("ltrmark", Entry{Op::Character, 0x200E});
        t.emplace("rtlmark", Entry{Op::Character, 0x200F});

        t.emplace("pard", Entry{Op::Pard, 0});
        t.emplace("par", Entry{Op::Par, 0});
        t.emplace("row", Entry{Op::Par, 0});
        t.emplace("nestrow", Entry{Op::Par, 0});
        t.emplace("ql", Entry{Op::Align, PFA_LEFT});
        t.emplace("qr", Entry{Op::Align, PFA_RIGHT});
        t.emplace("qc", Entry{Op::Align, PFA_CENTER});
        t.emplace("qj", Entry{Op::Align, PFA_JUSTIFY});
        t.emplace("qd", Entry{Op::Align, PFA_JUSTIFY});
        t.emplace("li", Entry{Op::LeftIndent, 0});
        t.emplace("lin", Entry{Op::LeftIndent, 0});
        t.emplace("fi", Entry{Op::FirstIndent, 0});
        t.emplace("ri", Entry{Op::RightIndent, 0});
        t.emplace("rin", Entry{Op::RightIndent, 0});

        t.emplace("pngblip", Entry{Op::PictureKind, static_cast<int>(RtfPictureKind::Png)});
        t.emplace("jpegblip", Entry{Op::PictureKind, static_cast<int>(RtfPictureKind::Jpeg)});
        for (const char* word :
             {"emfblip", "wmetafile", "dibitmap", "wbitmap", "macpict", "pmmetafile"})
            t.emplace(word, Entry{Op::PictureKind, -1});
        t.emplace("picw", Entry{Op::PictureWidth, 0});
        t.emplace("pich", Entry{Op::PictureHeight, 0});
        t.emplace("picwgoal", Entry{Op::PictureGoalWidth, 0});
        t.emplace("pichgoal", Entry{Op::PictureGoalHeight, 0});
        t.emplace("picscalex", Entry{Op::PictureScaleX, 0});
        t.emplace("picscaley", Entry{Op::PictureScaleY, 0});
        return t;
    }();
    return table;
}

} // namespace

const CRtfControlWords::Entry* CRtfControlWords::Find(std::string_view word) {
    const auto& table = Table();
    const auto found = table.find(word);
    return found == table.end() ? nullptr : &found->second;
}

bool CRtfControlWords::IsDestination(Op op) {
    return op == Op::DestSkip || op == Op::DestBody || op == Op::DestFontTable ||
           op == Op::DestColorTable || op == Op::DestPicture;
}
