#include "document/project_settings.h"

#include "compiler/playback.h"
#include "document/parl_doc.h"

#include <cstdint>
#include <limits>

namespace {

// One setting of the group: its key (letters only, it is written as a control word) and the
// document field it keeps. A new setting is one more row of kSettings.
struct Setting {
    enum class Kind { Text, Number, Flag, Color };
    const char* key;
    Kind kind;
    std::string CParlDoc::*text = nullptr;
    LONG CParlDoc::*number = nullptr;
    int CParlDoc::*flag = nullptr;
    COLORREF CParlDoc::*color = nullptr;
};

constexpr Setting Text(const char* key, std::string CParlDoc::*field) {
    return {key, Setting::Kind::Text, field, nullptr, nullptr, nullptr};
}
constexpr Setting Number(const char* key, LONG CParlDoc::*field) {
    return {key, Setting::Kind::Number, nullptr, field, nullptr, nullptr};
}
constexpr Setting Flag(const char* key, int CParlDoc::*field) {
    return {key, Setting::Kind::Flag, nullptr, nullptr, field, nullptr};
}
constexpr Setting Color(const char* key, COLORREF CParlDoc::*field) {
    return {key, Setting::Kind::Color, nullptr, nullptr, nullptr, field};
}

const Setting kSettings[] = {
    Text("defaultcharacter", &CParlDoc::m_strDefaultCharacter),
    Text("characterlocation", &CParlDoc::m_strCharacterLocation),
    Text("backgroundpicture", &CParlDoc::m_strBackgroundPicture),
    Color("backgroundcolor", &CParlDoc::m_crBackground),
    Number("screenwidth", &CParlDoc::m_nScreenWidth),
    Number("screenheight", &CParlDoc::m_nScreenHeight),
    Flag("recipienthasagent", &CParlDoc::m_bRecipientHasAgent),
    Color("commandcolor", &CParlDoc::m_crCommand),
    Flag("playinbrowsers", &CParlDoc::m_bPlayInBrowsers),
    Text("language", &CParlDoc::m_strLanguage),
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Any bytes as RTF text: the three RTF specials escaped, everything outside printable ASCII as
// a hexadecimal escape, so no reader's code page or line handling can change a byte.
void AppendEscaped(std::string& out, const std::string& value) {
    static const char kHex[] = "0123456789abcdef";
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
}

std::string ValueOf(const CParlDoc& doc, const Setting& s) {
    switch (s.kind) {
    case Setting::Kind::Text:
        return doc.*s.text;
    case Setting::Kind::Number:
        return std::to_string(doc.*s.number);
    case Setting::Kind::Flag:
        return doc.*s.flag != 0 ? "1" : "0";
    case Setting::Kind::Color:
        return std::to_string(doc.*s.color);
    }
    return {};
}

// A whole decimal number within [low, high], nothing before or after it.
bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    if (i >= text.size() || text.size() - i > 10)
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        v = v * 10 + (text[i] - '0');
    }
    if (negative)
        v = -v;
    if (v < low || v > high)
        return false;
    value = v;
    return true;
}

void Apply(CParlDoc& doc, const Setting& s, const std::string& text) {
    long long v = 0;
    switch (s.kind) {
    case Setting::Kind::Text:
        // The language reaches the page: only a language tag is taken.
        if (s.text != &CParlDoc::m_strLanguage || playback::LanguageTag(text) == text)
            doc.*s.text = text;
        break;
    case Setting::Kind::Number:
        if (ParseNumber(text, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max(),
                        v))
            doc.*s.number = static_cast<LONG>(v);
        break;
    case Setting::Kind::Flag:
        if (text == "0" || text == "1")
            doc.*s.flag = text == "1" ? 1 : 0;
        break;
    case Setting::Kind::Color:
        if (ParseNumber(text, 0, std::numeric_limits<COLORREF>::max(), v))
            doc.*s.color = static_cast<COLORREF>(v);
        break;
    }
}

// Moves past the group opened at rtf[i] ("{"); escaped braces and \binN bytes are no structure.
std::size_t SkipGroup(std::string_view rtf, std::size_t i) {
    int depth = 0;
    const std::size_t n = rtf.size();
    while (i < n) {
        const char c = rtf[i];
        if (c == '\\') {
            if (rtf.compare(i, 4, "\\bin") == 0 && i + 4 < n && rtf[i + 4] >= '0' &&
                rtf[i + 4] <= '9') {
                std::size_t j = i + 4;
                std::size_t count = 0;
                while (j < n && rtf[j] >= '0' && rtf[j] <= '9' && count < n)
                    count = count * 10 + static_cast<std::size_t>(rtf[j++] - '0');
                if (j < n && rtf[j] == ' ')
                    ++j;
                i = j + std::min(count, n - j);
                continue;
            }
            i += 2;
            continue;
        }
        ++i;
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i;
        }
    }
    return n;
}

// The header of a project: the top-level groups after "{\rtf1" and its words, up to the first
// top-level \pard or text, where the body starts.
struct Header {
    bool isRtf = false;
    std::size_t lastGroupEnd = 0;             // one past the last group's closing brace
    std::size_t settings = std::string::npos; // where the settings group opens
};

bool IsGroupOf(std::string_view rtf, std::size_t i, std::string_view word) {
    if (rtf.compare(i, 3, "{\\*") != 0 || i + 3 >= rtf.size() || rtf[i + 3] != '\\')
        return false;
    const std::size_t w = i + 4;
    return rtf.compare(w, word.size(), word) == 0 &&
           (w + word.size() >= rtf.size() || !IsLetter(rtf[w + word.size()]));
}

Header ReadHeader(std::string_view rtf) {
    Header h;
    const std::size_t n = rtf.size();
    std::size_t i = 0;
    while (i < n && (rtf[i] == ' ' || rtf[i] == '\r' || rtf[i] == '\n'))
        ++i;
    if (rtf.compare(i, 5, "{\\rtf") != 0)
        return h;
    h.isRtf = true;
    i += 1;
    h.lastGroupEnd = i;
    bool sawGroup = false;
    while (i < n) {
        const char c = rtf[i];
        if (c == '\r' || c == '\n') {
            ++i;
        } else if (c == '{') {
            if (h.settings == std::string::npos && IsGroupOf(rtf, i, CProjectSettings::kGroupWord))
                h.settings = i;
            i = SkipGroup(rtf, i);
            h.lastGroupEnd = i;
            sawGroup = true;
        } else if (c == '\\' && i + 1 < n && IsLetter(rtf[i + 1])) {
            std::size_t j = i + 1;
            while (j < n && IsLetter(rtf[j]))
                ++j;
            const std::string_view word = rtf.substr(i + 1, j - i - 1);
            if (word == "pard" || word == "par" || word == "u" || word == "bin")
                return h;
            if (j < n && rtf[j] == '-')
                ++j;
            while (j < n && rtf[j] >= '0' && rtf[j] <= '9')
                ++j;
            if (j < n && rtf[j] == ' ')
                ++j;
            if (!sawGroup)
                h.lastGroupEnd = j; // the words of "{\rtf1" before its first group
            i = j;
        } else {
            return h; // text, a symbol or the document's end: the body
        }
    }
    return h;
}

// The value inside "{\key value}" from just after the key's delimiter to the closing brace.
std::string Unescape(std::string_view rtf, std::size_t& i) {
    std::string value;
    const std::size_t n = rtf.size();
    while (i < n && rtf[i] != '}') {
        const char c = rtf[i];
        if (c == '{') {
            i = SkipGroup(rtf, i);
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            value += c;
            ++i;
        } else if (i + 1 >= n) {
            ++i;
        } else if (rtf[i + 1] == '\'') {
            const int hi = i + 2 < n ? HexValue(rtf[i + 2]) : -1;
            const int lo = i + 3 < n ? HexValue(rtf[i + 3]) : -1;
            if (hi >= 0 && lo >= 0) {
                value += static_cast<char>(hi << 4 | lo);
                i += 4;
            } else {
                i += 2;
            }
        } else if (IsLetter(rtf[i + 1])) {
            // A word has no place in a value: it and its delimiter are left out.
            std::size_t j = i + 1;
            while (j < n && (IsLetter(rtf[j]) || rtf[j] == '-' || (rtf[j] >= '0' && rtf[j] <= '9')))
                ++j;
            if (j < n && rtf[j] == ' ')
                ++j;
            i = j;
        } else {
            value += rtf[i + 1];
            i += 2;
        }
    }
    if (i < n)
        ++i; // the closing brace
    return value;
}

} // namespace

std::string CProjectSettings::Group(const CParlDoc& doc) {
    std::string out = "{\\*\\";
    out += kGroupWord;
    for (const Setting& s : kSettings) {
        out += "{\\";
        out += s.key;
        out += ' ';
        AppendEscaped(out, ValueOf(doc, s));
        out += '}';
    }
    out += '}';
    return out;
}

void CProjectSettings::Insert(std::string& rtf, const CParlDoc& doc) {
    const Header h = ReadHeader(rtf);
    if (!h.isRtf)
        return;
    rtf.insert(h.lastGroupEnd, Group(doc));
}

bool CProjectSettings::Read(std::string_view rtf, CParlDoc& doc) {
    const Header h = ReadHeader(rtf);
    if (h.settings == std::string::npos)
        return false;
    const std::size_t end = SkipGroup(rtf, h.settings);
    std::size_t i = h.settings + 4 + kGroupWord.size();
    while (i < end) {
        if (rtf[i] != '{' || i + 1 >= end || rtf[i + 1] != '\\') {
            ++i;
            continue;
        }
        std::size_t j = i + 2;
        while (j < end && IsLetter(rtf[j]))
            ++j;
        const std::string_view key = rtf.substr(i + 2, j - i - 2);
        if (j < end && rtf[j] == ' ')
            ++j;
        const Setting* setting = nullptr;
        for (const Setting& s : kSettings) {
            if (key == s.key)
                setting = &s;
        }
        if (setting == nullptr) {
            i = SkipGroup(rtf, i); // a setting of a later version
            continue;
        }
        i = j;
        Apply(doc, *setting, Unescape(rtf.substr(0, end), i));
    }
    return true;
}
