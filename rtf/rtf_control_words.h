// The control words that the RTF reader acts on: for each, what it does and a fixed argument
// (the effect bit of \\b, the character of \\emdash, the family of \\froman). A word missing
// here is ignored, or skipped with its group when \\* marks the group as optional.
#pragma once

#include <string_view>

class CRtfControlWords {
public:
    enum class Op : unsigned char {
        // Destinations: what the group holds.
        DestSkip,
        DestBody, // read as text: field results, shape fallbacks, objects' results
        DestFontTable,
        DestColorTable,
        DestPicture,
        // Document.
        CodePage,
        AnsiCodePage,
        DefaultFont,
        // Font table.
        Font,
        FontFamily,
        FontCharSet,
        FontPitch,
        FontCodePage,
        // Colour table.
        Red,
        Green,
        Blue,
        // Characters.
        Plain,
        Effect,
        UnderlineOff,
        Hidden,
        FontSize,
        Color,
        UnicodeSkip,
        Unicode,
        Character,
        // Paragraphs.
        Pard,
        Par,
        Align,
        LeftIndent,
        FirstIndent,
        RightIndent,
        // Pictures.
        PictureKind,
        PictureWidth,
        PictureHeight,
        PictureGoalWidth,
        PictureGoalHeight,
        PictureScaleX,
        PictureScaleY,
    };

    struct Entry {
        Op op;
        int arg;
    };

    // The entry of a word, or nullptr for a word the reader does not know.
    static const Entry* Find(std::string_view word);
    // Whether the word names what its group holds rather than a property.
    static bool IsDestination(Op op);
};
