// Splits RTF bytes into tokens, pulled one at a time: group start and end, control words with
// their optional numbers, control symbols, \'hh bytes, runs of text and \bin data. The tokenizer
// keeps no state beyond its position, so a reader can skip a whole group without looking at it.
#pragma once

#include <cstddef>
#include <string_view>

class CRtfTokenizer {
public:
    enum class Type {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // name in `text`; `number` valid when `hasNumber`
        ControlSymbol, // the byte after the backslash in `symbol`; a line break gives '\n'
        HexByte,       // \'hh: the byte in `symbol`
        Text,          // bytes in `text`: no backslash, brace, CR, LF or NUL among them
        Binary,        // the bytes of \binN in `text`
    };

    struct Token {
        Type type = Type::End;
        std::string_view text;
        int number = 0;
        bool hasNumber = false;
        unsigned char symbol = 0;
    };

    CRtfTokenizer(const char* data, std::size_t size) : m_p(data), m_end(data + size) {}

    // Reads the next token into `token`; false, with type End, once the input is used up.
    bool Next(Token& token);

    // Skips the rest of the group whose start was the last group token read, through its
    // closing brace or to the end of the input. Nested groups and \bin data are skipped whole.
    void SkipGroup();

    std::size_t Remaining() const { return static_cast<std::size_t>(m_end - m_p); }

private:
    void ReadControl(Token& token);

    const char* m_p;
    const char* m_end;
};
