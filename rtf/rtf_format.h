// Character and paragraph formats as RTF carries them, in the units of the control's records:
// heights and indents in twips, colours 0x00BBGGRR, effects as CFE_ bits. Plain C++, shared by
// the writer, the reader and the control.
#pragma once

#include "platform/richedit.h"

#include <string>
#include <string_view>

namespace rtf {

// Font families and pitches of a font's pitch-and-family byte.
constexpr BYTE kFamilyMask = 0xF0;
constexpr BYTE kFamilyDontCare = 0x00;
constexpr BYTE kFamilyRoman = 0x10;
constexpr BYTE kFamilySwiss = 0x20;
constexpr BYTE kFamilyModern = 0x30;
constexpr BYTE kFamilyScript = 0x40;
constexpr BYTE kFamilyDecorative = 0x50;
constexpr BYTE kPitchMask = 0x03;

// The family of a well-known face, or kFamilyDontCare.
BYTE FamilyOfFace(std::u16string_view face);

} // namespace rtf

struct RtfFont {
    std::u16string face;
    BYTE charSet = 0;
    BYTE pitchAndFamily = 0;

    bool operator==(const RtfFont& other) const {
        return face == other.face && charSet == other.charSet &&
               pitchAndFamily == other.pitchAndFamily;
    }
};

struct RtfCharFormat {
    RtfFont font;
    LONG twips = 240;
    COLORREF color = 0;
    DWORD effects = 0; // CFE_BOLD, CFE_ITALIC, CFE_UNDERLINE, CFE_STRIKEOUT, CFE_AUTOCOLOR

    bool operator==(const RtfCharFormat& other) const {
        return font == other.font && twips == other.twips && color == other.color &&
               effects == other.effects;
    }
};

struct RtfParaFormat {
    LONG startIndent = 0; // first line, from the left edge
    LONG offset = 0;      // other lines, from the first line's indent
    LONG rightIndent = 0;
    WORD alignment = PFA_LEFT;
    WORD numbering = 0;

    bool operator==(const RtfParaFormat& other) const {
        return startIndent == other.startIndent && offset == other.offset &&
               rightIndent == other.rightIndent && alignment == other.alignment &&
               numbering == other.numbering;
    }
};

enum class RtfPictureKind { Png, Jpeg };
