// The font family (\\froman, \\fswiss ...) that RTF states for a face, from a table of faces
// known by name.
#include "rtf/rtf_format.h"

namespace rtf {

namespace {

struct KnownFace {
    const char* prefix; // lower case
    BYTE family;
};

// Faces found on the systems our messages travel between. A prefix covers a face's variants
// ("Arial Black", "Courier New", "DejaVu Sans Mono" is listed before "DejaVu Sans").
const KnownFace kKnownFaces[] = {
    {"arial", kFamilySwiss},
    {"helvetica", kFamilySwiss},
    {"verdana", kFamilySwiss},
    {"tahoma", kFamilySwiss},
    {"ms sans serif", kFamilySwiss},
    {"microsoft sans serif", kFamilySwiss},
    {"segoe ui", kFamilySwiss},
    {"calibri", kFamilySwiss},
    {"trebuchet", kFamilySwiss},
    {"century gothic", kFamilySwiss},
    {"franklin gothic", kFamilySwiss},
    {"lucida sans", kFamilySwiss},
    {"liberation sans", kFamilySwiss},
    {"dejavu sans mono", kFamilyModern},
    {"dejavu sans", kFamilySwiss},
    {"noto sans mono", kFamilyModern},
    {"noto sans", kFamilySwiss},
    {"free sans", kFamilySwiss},
    {"freesans", kFamilySwiss},
    {"sans", kFamilySwiss},
    {"times", kFamilyRoman},
    {"georgia", kFamilyRoman},
    {"garamond", kFamilyRoman},
    {"book antiqua", kFamilyRoman},
    {"palatino", kFamilyRoman},
    {"cambria", kFamilyRoman},
    {"century schoolbook", kFamilyRoman},
    {"ms serif", kFamilyRoman},
    {"liberation serif", kFamilyRoman},
    {"dejavu serif", kFamilyRoman},
    {"noto serif", kFamilyRoman},
    {"free serif", kFamilyRoman},
    {"freeserif", kFamilyRoman},
    {"serif", kFamilyRoman},
    {"courier", kFamilyModern},
    {"consolas", kFamilyModern},
    {"lucida console", kFamilyModern},
    {"fixedsys", kFamilyModern},
    {"terminal", kFamilyModern},
    {"liberation mono", kFamilyModern},
    {"monospace", kFamilyModern},
    {"comic sans", kFamilyScript},
    {"script", kFamilyScript},
    {"brush script", kFamilyScript},
    {"symbol", kFamilyDecorative},
    {"wingdings", kFamilyDecorative},
    {"webdings", kFamilyDecorative},
};

bool StartsWith(std::u16string_view face, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= face.size())
            return false;
        char16_t c = face[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

BYTE FamilyOfFace(std::u16string_view face) {
    for (const KnownFace& known : kKnownFaces) {
        if (StartsWith(face, known.prefix))
            return known.family;
    }
    return kFamilyDontCare;
}

} // namespace rtf
