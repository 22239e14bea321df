// One pass over the body of the message's RTF. The scanner separates what the author typed from
// the RTF around it: plain text is gathered into runs, command tags are read as the text the
// author typed, braces are structure, and every control word goes to the sink, which decides
// what it means. The same scanner serves the name collection and the compile, so both find
// exactly the same tags.
//
// A run has two texts. The page's is HTML already: characters outside the code page stand as
// entities, a "<" that opens no tag as "&lt;", and line breaks and pictures as BR and IMG
// elements, so it is written to the page as it is. The speech's is what the reader says: the
// characters themselves, a blank for a line break, nothing for a picture.
//
// A Sink provides:
//   static constexpr bool kCollectsText;   // false: runs are not built at all
//   void OnRun(std::string& page, std::string& speech);  // a run is flushed (page never empty)
//   void OnControlWord(const char* word, std::size_t length);  // word starts at its backslash
//   void OnTag(std::string& tag);  // "<", the tag's plain text, ">"
// and, where kCollectsText is true,
//   void OnWide(const WideChars& wide);  // before OnRun or OnTag, when the text holds any
#pragma once

#include "compiler/picture.h"
#include "compiler/rtf_number.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

// A character that the RTF gave by its Unicode number (\uN): the 8-bit text holds the reader's
// fallback for it, `length` bytes at `offset`.
struct WideChar {
    std::size_t offset;
    std::size_t length;
    char32_t code;
};
using WideChars = std::vector<WideChar>;

// A group that holds no text for the reader: destinations, tables, pictures, objects.
bool IsHiddenDestination(const char* word, std::size_t length);

template <class Sink> class BodyScanner {
public:
    BodyScanner(const std::string& body, Sink& sink)
        : m_begin(body.data()), m_p(body.data()), m_end(body.data() + body.size()), m_sink(sink) {
        // A "<" opens a tag only when a ">" follows somewhere after it.
        const void* gt = FindLast(m_begin, m_end, '>');
        m_lastGt = gt ? static_cast<const char*>(gt) : nullptr;
    }

    void Run() {
        while (m_p < m_end) {
            const char* q = m_p;
            while (q < m_end && !IsSpecial(*q))
                ++q;
            if (q > m_p) {
                AddPlain(m_p, static_cast<std::size_t>(q - m_p));
                m_p = q;
                continue;
            }
            switch (*m_p) {
            case '\r':
            case '\n':
            case '}':
                ++m_p;
                break;
            case '{':
                OpenGroup(false);
                break;
            case '<':
                if (m_lastGt != nullptr && m_lastGt > m_p && ReadTag())
                    break;
                // No ">" ends it: the "<" is text.
                ++m_p;
                AddText("&lt;", "<");
                break;
            default: // backslash
                Backslash();
                break;
            }
        }
    }

private:
    static const void* FindLast(const char* begin, const char* end, char c) {
        for (const char* p = end; p > begin;) {
            if (*--p == c)
                return p;
        }
        return nullptr;
    }

    static bool IsSpecial(char c) {
        return c == '\\' || c == '<' || c == '{' || c == '}' || c == '\r' || c == '\n';
    }

    static bool IsHex(char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    static int HexValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return c - 'A' + 10;
    }

    // --- text of the current run -----------------------------------------------------------

    void AddPlain(const char* s, std::size_t n) {
        if constexpr (Sink::kCollectsText) {
            m_run.append(s, n);
            if (m_diverged)
                m_speech.append(s, n);
        } else {
            (void)s;
            (void)n;
        }
    }

    // Text that the page writes one way and the speech hears another.
    void AddText(std::string_view page, std::string_view speech) {
        if constexpr (Sink::kCollectsText) {
            if (!m_diverged && page != speech) {
                m_speech = m_run;
                m_diverged = true;
            }
            m_run += page;
            if (m_diverged)
                m_speech += speech;
        } else {
            (void)page;
            (void)speech;
        }
    }

    // A byte of the text written as an escape. A "<" that reaches the page would open markup
    // there, so the page has it as "&lt;", as it has a lone typed "<"; the speech hears "<".
    void AddByte(char b) {
        if (b == '<')
            AddText("&lt;", "<");
        else
            AddPlain(&b, 1);
    }

    void Flush() {
        if constexpr (Sink::kCollectsText) {
            if (m_run.empty())
                return;
            if (!m_runWide.empty())
                m_sink.OnWide(m_runWide);
            if (m_diverged)
                m_sink.OnRun(m_run, m_speech);
            else
                m_sink.OnRun(m_run, m_run);
            m_run.clear();
            m_speech.clear();
            m_runWide.clear();
            m_diverged = false;
        }
    }

    // --- escapes ---------------------------------------------------------------------------

    struct Escape {
        enum Kind { None, Byte, Nothing, Unicode } kind = None;
        unsigned char byte = 0;
        int code = 0;
    };

    // Reads an escape at m_p (a backslash) when there is one and moves past it.
    Escape ReadEscape() {
        Escape e;
        if (m_p + 1 >= m_end)
            return e;
        const char c = m_p[1];
        switch (c) {
        case '\'': {
            const char* q = m_p + 2;
            int value = 0;
            int digits = 0;
            while (digits < 2 && q < m_end && IsHex(*q)) {
                value = value * 16 + HexValue(*q);
                ++q;
                ++digits;
            }
            m_p = q;
            if (digits == 0) {
                e.kind = Escape::Nothing;
            } else {
                e.kind = Escape::Byte;
                e.byte = static_cast<unsigned char>(value);
            }
            return e;
        }
        case '\\':
        case '{':
        case '}':
            e.kind = Escape::Byte;
            e.byte = static_cast<unsigned char>(c);
            m_p += 2;
            return e;
        case '~':
            e.kind = Escape::Byte;
            e.byte = 0xA0;
            m_p += 2;
            return e;
        case '_':
            e.kind = Escape::Byte;
            e.byte = '-';
            m_p += 2;
            return e;
        case '-':
            e.kind = Escape::Nothing;
            m_p += 2;
            return e;
        case 'u': {
            const char* q = m_p + 2;
            if (q < m_end && *q == '-')
                ++q;
            if (q >= m_end || *q < '0' || *q > '9')
                return e; // \ul, \uc1 and the like are control words
            const char* digitsEnd = q;
            while (digitsEnd < m_end && *digitsEnd >= '0' && *digitsEnd <= '9')
                ++digitsEnd;
            int code = ReadNumber(m_p + 2, digitsEnd);
            if (code < 0)
                code += 65536;
            if (code < 0)
                code = 0;
            m_p = digitsEnd;
            if (m_p < m_end && *m_p == ' ')
                ++m_p;
            e.kind = Escape::Unicode;
            e.code = code;
            return e;
        }
        default:
            return e;
        }
    }

    // The characters that stand in for a \uN character in readers that lack it.
    std::string ReadFallback() {
        std::string fallback;
        int left = m_uc;
        while (left > 0 && m_p < m_end) {
            const char c = *m_p;
            if (c == '\r' || c == '\n') {
                ++m_p;
                continue;
            }
            if (c == '{' || c == '}' || c == '<' || c == '>')
                break;
            if (c == '\\') {
                const char* before = m_p;
                Escape e = ReadEscape();
                if (e.kind == Escape::Byte) {
                    fallback += static_cast<char>(e.byte);
                } else if (e.kind == Escape::None || e.kind == Escape::Unicode) {
                    m_p = before; // a control word or another character ends the fallback
                    break;
                }
            } else {
                fallback += c;
                ++m_p;
            }
            --left;
        }
        return fallback;
    }

    // The character of the \uN just read, with its fallback appended to `fallback`: a high
    // surrogate joins the low one of the \uN that follows it into one character, and a half
    // without its other half is the replacement character.
    char32_t ReadWide(int code, std::string& fallback) {
        fallback += ReadFallback();
        if (code >= 0xDC00 && code <= 0xDFFF)
            return 0xFFFD;
        if (code < 0xD800 || code > 0xDBFF)
            return static_cast<char32_t>(code);
        const char* before = m_p;
        if (m_p < m_end && *m_p == '\\') {
            Escape low = ReadEscape();
            if (low.kind == Escape::Unicode && low.code >= 0xDC00 && low.code <= 0xDFFF) {
                fallback += ReadFallback();
                return 0x10000 + ((static_cast<char32_t>(code) - 0xD800) << 10) +
                       (static_cast<char32_t>(low.code) - 0xDC00);
            }
        }
        m_p = before;
        return 0xFFFD;
    }

    // Handles the escape at m_p in text; false when m_p holds no escape.
    bool TextEscape() {
        Escape e = ReadEscape();
        switch (e.kind) {
        case Escape::None:
            return false;
        case Escape::Nothing:
            return true;
        case Escape::Byte:
            AddByte(static_cast<char>(e.byte));
            return true;
        case Escape::Unicode: {
            if constexpr (Sink::kCollectsText) {
                const std::size_t at = m_diverged ? m_speech.size() : m_run.size();
                if (e.code < 256) {
                    ReadFallback();
                    AddByte(static_cast<char>(e.code));
                    if (e.code >= 128)
                        m_runWide.push_back({at, 1, static_cast<char32_t>(e.code)});
                } else {
                    std::string fallback;
                    const char32_t code = ReadWide(e.code, fallback);
                    const std::string entity = "&#" + std::to_string(code) + ";";
                    AddText(entity, fallback);
                    m_runWide.push_back({at, fallback.size(), code});
                }
            } else {
                ReadFallback();
            }
            return true;
        }
        }
        return true;
    }

    // --- control words ---------------------------------------------------------------------

    // The end of the control word at m_p: the backslash, the byte after it whatever it is, and
    // everything up to a blank, a backslash, a line end, a brace (or, inside a tag, a ">").
    const char* WordEnd(bool inTag) const {
        const char* q = m_p + 1;
        if (q < m_end)
            ++q;
        while (q < m_end) {
            const char c = *q;
            if (c == ' ' || c == '\\' || c == '\r' || c == '\n' || c == '{' || c == '}' ||
                (inTag && c == '>'))
                break;
            ++q;
        }
        return q;
    }

    void NoteUnicodeSkip(const char* word, std::size_t n) {
        if (n >= 3 && word[1] == 'u' && word[2] == 'c') {
            const int uc = ReadNumber(word + 3, word + n);
            m_uc = uc < 0 ? 0 : (uc > 16 ? 16 : uc);
        }
    }

    void Backslash() {
        // Most backslashes start a control word; only a few symbols and \uN stand for text.
        const char next = m_p + 1 < m_end ? m_p[1] : '\0';
        const bool plainWord = next >= 'a' && next <= 'z' && next != 'u';
        if (!plainWord && TextEscape())
            return;
        if (next == 'l' && LineBreak())
            return;
        Flush();
        if (m_p + 1 < m_end && m_p[1] == ' ') {
            m_p += 2; // a backslash and a blank: nothing to read
            return;
        }
        const char* word = m_p;
        const char* end = WordEnd(false);
        const std::size_t n = static_cast<std::size_t>(end - word);
        m_p = end;
        if (m_p < m_end && *m_p == ' ')
            ++m_p; // the blank belongs to the control word
        NoteUnicodeSkip(word, n);
        if (n == 4 && std::memcmp(word, "\\tab", 4) == 0) {
            AddPlain("    ", 4);
            return;
        }
        if (n > 4 && std::memcmp(word, "\\bin", 4) == 0 && word[4] >= '0' && word[4] <= '9') {
            SkipBinary(word, n);
            return;
        }
        m_sink.OnControlWord(word, n);
    }

    // A line break inside the paragraph: a break on the page, a blank in the speech. It ends
    // no run, so the words on either side are read as one sentence.
    bool LineBreak() {
        if (m_end - m_p < 5 || std::memcmp(m_p, "\\line", 5) != 0)
            return false;
        const char* after = m_p + 5;
        if (after < m_end) {
            const char c = *after;
            if (c != ' ' && c != '\\' && c != '\r' && c != '\n' && c != '{' && c != '}')
                return false;
        }
        m_p = after < m_end && *after == ' ' ? after + 1 : after;
        AddText("<BR>", " ");
        return true;
    }

    void SkipBinary(const char* word, std::size_t n) {
        const int count = ReadNumber(word + 4, word + n);
        if (count > 0)
            m_p += count < m_end - m_p ? count : m_end - m_p;
    }

    // --- groups ----------------------------------------------------------------------------

    // At a "{": a group that holds no visible text is skipped whole; any other brace is only
    // structure, and the words inside act as they do outside. A picture outside a tag reaches
    // the page where it stands, and so does one inside "\*\shppict", which the editor shows.
    void OpenGroup(bool inTag) {
        ++m_p;
        const char* q = m_p;
        while (q < m_end && (*q == '\r' || *q == '\n'))
            ++q;
        if (q + 1 < m_end && *q == '\\') {
            if (q[1] == '*') {
                if (Sink::kCollectsText && !inTag && m_end - q >= 10 &&
                    std::memcmp(q + 2, "\\shppict", 8) == 0 &&
                    (m_end - q == 10 || !IsLetter(q[10]))) {
                    // The destination's words are no format: they end no run.
                    m_p = q + 10;
                    if (m_p < m_end && *m_p == ' ')
                        ++m_p;
                } else {
                    SkipGroup();
                }
                return;
            }
            const char* w = q + 1;
            const char* e = w;
            while (e < m_end && IsLetter(*e))
                ++e;
            if constexpr (Sink::kCollectsText) {
                if (!inTag && e - w == 4 && std::memcmp(w, "pict", 4) == 0) {
                    Picture(q);
                    return;
                }
            }
            if (IsHiddenDestination(w, static_cast<std::size_t>(e - w))) {
                SkipGroup();
                return;
            }
        }
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    // The picture group whose first word starts at `word`; what the editor cannot show is left
    // out as any hidden group is.
    void Picture(const char* word) {
        SkipGroup();
        const char* end = m_p > word && m_p[-1] == '}' ? m_p - 1 : m_p;
        m_picture.clear();
        if (AppendPicture(word, end, m_picture))
            AddText(m_picture, std::string_view());
    }

    // Skips to the brace that closes the group opened just before m_p.
    void SkipGroup() {
        int depth = 1;
        while (m_p < m_end) {
            const char c = *m_p;
            if (c == '\\') {
                if (m_p + 4 < m_end && std::memcmp(m_p, "\\bin", 4) == 0 && m_p[4] >= '0' &&
                    m_p[4] <= '9') {
                    const char* end = m_p + 4;
                    while (end < m_end && *end >= '0' && *end <= '9')
                        ++end;
                    const char* word = m_p;
                    m_p = end;
                    if (m_p < m_end && *m_p == ' ')
                        ++m_p;
                    SkipBinary(word, static_cast<std::size_t>(end - word));
                    continue;
                }
                m_p += (m_p + 1 < m_end) ? 2 : 1;
                continue;
            }
            ++m_p;
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0)
                    return;
            }
        }
    }

    // --- tags ------------------------------------------------------------------------------

    // Reads the tag at m_p as the author typed it. Returns false, leaving m_p unchanged, when
    // no ">" closes it before the end of the body.
    bool ReadTag() {
        const char* start = m_p;
        m_tag.assign(1, '<');
        m_tagWide.clear();
        ++m_p;
        while (m_p < m_end) {
            const char* q = m_p;
            while (q < m_end && !IsSpecial(*q) && *q != '>')
                ++q;
            if (q > m_p) {
                m_tag.append(m_p, static_cast<std::size_t>(q - m_p));
                m_p = q;
                continue;
            }
            switch (*m_p) {
            case '>':
                ++m_p;
                m_tag += '>';
                if constexpr (Sink::kCollectsText) {
                    if (!m_tagWide.empty())
                        m_sink.OnWide(m_tagWide);
                }
                m_sink.OnTag(m_tag);
                return true;
            case '\r':
            case '\n':
            case '}':
            case '<':
                if (*m_p == '<')
                    m_tag += '<';
                ++m_p;
                break;
            case '{':
                OpenGroup(true);
                break;
            default:
                TagBackslash();
                break;
            }
        }
        // Nothing closes this tag, and so nothing closes a later one either.
        m_p = start;
        m_lastGt = nullptr;
        return false;
    }

    void TagBackslash() {
        Escape e = ReadEscape();
        switch (e.kind) {
        case Escape::Nothing:
            return;
        case Escape::Byte:
            m_tag += static_cast<char>(e.byte);
            return;
        case Escape::Unicode: {
            const std::size_t at = m_tag.size();
            char32_t code = static_cast<char32_t>(e.code);
            if (e.code < 256) {
                ReadFallback();
                m_tag += static_cast<char>(e.code);
            } else {
                code = ReadWide(e.code, m_tag);
            }
            if constexpr (Sink::kCollectsText) {
                if (code >= 128)
                    m_tagWide.push_back({at, m_tag.size() - at, code});
            }
            return;
        }
        case Escape::None:
            break;
        }
        if (m_p + 1 < m_end && m_p[1] == ' ') {
            m_p += 2;
            return;
        }
        const char* word = m_p;
        const char* end = WordEnd(true);
        const std::size_t n = static_cast<std::size_t>(end - word);
        m_p = end;
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        NoteUnicodeSkip(word, n);
        if ((n == 4 &&
             (std::memcmp(word, "\\par", 4) == 0 || std::memcmp(word, "\\tab", 4) == 0)) ||
            (n == 5 && std::memcmp(word, "\\line", 5) == 0))
            m_tag += ' ';
        else if (n > 4 && std::memcmp(word, "\\bin", 4) == 0 && word[4] >= '0' && word[4] <= '9')
            SkipBinary(word, n);
    }

    const char* m_begin;
    const char* m_p;
    const char* m_end;
    const char* m_lastGt = nullptr;
    Sink& m_sink;
    std::string m_run;
    std::string m_speech;
    bool m_diverged = false;
    std::string m_tag;
    std::string m_picture;
    WideChars m_runWide;
    WideChars m_tagWide;
    int m_uc = 1;
};

} // namespace rtf
