// Splitting the RTF into its header and its body, and reading the font and colour tables.
#include "compiler/rtf_number.h"
#include "document/parl_doc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Split {
    std::size_t headerEnd; // one past the header's last byte
    std::size_t bodyEnd;   // one past the body's last byte
};

// Moves past the control word or symbol at rtf[i] (a backslash). Sets addsText when it stands
// for a character of the text.
std::size_t SkipControl(const std::string& rtf, std::size_t i, bool& addsText, bool& isPard) {
    const std::size_t n = rtf.size();
    addsText = false;
    isPard = false;
    if (i + 1 >= n)
        return n;
    const char c = rtf[i + 1];
    if (IsLetter(c)) {
        std::size_t j = i + 1;
        while (j < n && IsLetter(rtf[j]))
            ++j;
        const std::size_t letters = j - (i + 1);
        isPard = letters == 4 && rtf.compare(i + 1, 4, "pard") == 0;
        const bool isUnicode = letters == 1 && c == 'u';
        const bool isBin = letters == 3 && rtf.compare(i + 1, 3, "bin") == 0;
        std::size_t numberStart = j;
        if (j < n && rtf[j] == '-')
            ++j;
        const bool hasNumber = j < n && IsDigit(rtf[j]);
        while (j < n && IsDigit(rtf[j]))
            ++j;
        if (!hasNumber)
            j = numberStart;
        if (isPard && j != numberStart)
            isPard = false;
        addsText = isUnicode && hasNumber;
        if (j < n && rtf[j] == ' ')
            ++j;
        if (isBin && hasNumber) {
            const int count = rtf::ReadNumber(rtf.data() + numberStart, rtf.data() + j);
            if (count > 0)
                j += std::min<std::size_t>(static_cast<std::size_t>(count), n - j);
        }
        return j;
    }
    if (c == '\'') {
        addsText = true;
        std::size_t j = i + 2;
        for (int k = 0; k < 2 && j < n && std::isxdigit(static_cast<unsigned char>(rtf[j])); ++k)
            ++j;
        return j;
    }
    addsText = c == '\\' || c == '{' || c == '}' || c == '~' || c == '_';
    return i + 2;
}

// The header ends at the closing brace of the last top-level group before the body starts; the
// body starts at the first top-level \pard or text, and runs to the document's closing brace.
Split FindSplit(const std::string& rtf) {
    const std::size_t n = rtf.size();
    std::size_t i = 0;
    while (i < n && (rtf[i] == ' ' || rtf[i] == '\r' || rtf[i] == '\n'))
        ++i;
    if (i >= n || rtf[i] != '{')
        return {0, n}; // not RTF as the control writes it: all of it is body
    std::size_t headerEnd = i + 1;
    bool inBody = false;
    int depth = 0;
    std::size_t bodyEnd = n;
    while (i < n) {
        if (inBody) {
            // Past the header only the braces matter: skip to the next one or backslash.
            while (i < n && rtf[i] != '{' && rtf[i] != '}' && rtf[i] != '\\')
                ++i;
            if (i >= n)
                break;
            if (rtf[i] == '\\' && i + 1 < n && rtf[i + 1] != 'b') {
                i += 2; // an escaped brace or backslash, or the start of a word
                continue;
            }
        }
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
        } else if (c == '}') {
            --depth;
            if (depth == 1 && !inBody)
                headerEnd = i + 1;
            if (depth <= 0) {
                bodyEnd = i;
                break;
            }
            ++i;
        } else if (c == '\\') {
            bool addsText = false;
            bool isPard = false;
            const std::size_t next = SkipControl(rtf, i, addsText, isPard);
            if (depth == 1 && (addsText || isPard))
                inBody = true;
            i = next;
        } else {
            if (depth == 1 && c != ' ' && c != '\r' && c != '\n')
                inBody = true;
            ++i;
        }
    }
    if (bodyEnd < headerEnd)
        bodyEnd = headerEnd;
    // The blank of "\par }" belongs to the closing brace, not to the text.
    if (bodyEnd >= headerEnd + 5 && rtf.compare(bodyEnd - 5, 5, "\\par ") == 0)
        --bodyEnd;
    return {headerEnd, bodyEnd};
}

// The first position of each "\f" followed by N in decimal, for every N the header names.
std::unordered_map<int, std::size_t> FontWords(const std::string& header) {
    std::unordered_map<int, std::size_t> first;
    const std::size_t n = header.size();
    for (std::size_t pos = header.find("\\f"); pos != std::string::npos;
         pos = header.find("\\f", pos + 2)) {
        std::size_t j = pos + 2;
        long long value = 0;
        // "\f1" also stands at the start of "\f12": every prefix of the digits names a font.
        for (int k = 0; j < n && IsDigit(header[j]) && k < 9; ++j, ++k) {
            if (k == 1 && value == 0)
                break; // "\f0" followed by more digits names no other font
            value = value * 10 + (header[j] - '0');
            first.emplace(static_cast<int>(value), pos);
        }
    }
    return first;
}

void ReadFonts(const std::string& header, std::vector<std::string>& fonts) {
    const auto first = FontWords(header);
    std::vector<std::size_t> blanks;
    std::vector<std::size_t> semicolons;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (header[i] == ' ')
            blanks.push_back(i);
        else if (header[i] == ';')
            semicolons.push_back(i);
    }
    for (int number = 0;; ++number) {
        const auto found = first.find(number);
        if (found == first.end())
            break;
        std::string face;
        const auto blank = std::lower_bound(blanks.begin(), blanks.end(), found->second);
        if (blank != blanks.end()) {
            const std::size_t start = *blank + 1;
            const auto semi = std::lower_bound(semicolons.begin(), semicolons.end(), start);
            const std::size_t stop = semi != semicolons.end() ? *semi : header.size();
            face = header.substr(start, stop - start);
        }
        if (fonts.size() <= static_cast<std::size_t>(number))
            fonts.resize(static_cast<std::size_t>(number) + 1);
        fonts[static_cast<std::size_t>(number)] = std::move(face);
    }
}

void ReadColors(const std::string& header, std::vector<std::string>& colors) {
    const std::size_t keyword = header.find("\\colortbl");
    if (keyword == std::string::npos)
        return;
    const std::size_t n = header.size();
    std::size_t p = keyword + 9;
    int red = 0;
    int green = 0;
    int blue = 0;
    std::size_t entry = 0;
    while (p < n && header[p] != '}') {
        // Each step moves past one byte and reads the word up to the next backslash or ";".
        while (p < n && header[p] != ';') {
            ++p;
            const std::size_t start = p;
            while (p < n && header[p] != '\\' && header[p] != ';')
                ++p;
            if (p >= n)
                return; // the entry lacks its ";": the table ends here
            const char* word = header.data() + start;
            const char* end = header.data() + p;
            const std::size_t len = p - start;
            if (len >= 3 && header.compare(start, 3, "red") == 0)
                red = rtf::ReadNumber(word + 3, end);
            else if (len >= 5 && header.compare(start, 5, "green") == 0)
                green = rtf::ReadNumber(word + 5, end);
            else
                blue = len > 4 ? rtf::ReadNumber(word + 4, end) : 0;
        }
        if (p >= n)
            return;
        char hex[40];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", static_cast<unsigned>(red),
                      static_cast<unsigned>(green), static_cast<unsigned>(blue));
        if (colors.size() <= entry)
            colors.resize(entry + 1);
        colors[entry] = hex;
        ++entry;
        ++p; // past the ";"
    }
}

} // namespace

void CParlDoc::ReadRtfHeader() {
    const Split split = FindSplit(m_strRtf);
    const std::string header = m_strRtf.substr(0, split.headerEnd);
    // In place: the body can be large, the header never is.
    m_strRtf.erase(split.bodyEnd);
    m_strRtf.erase(0, split.headerEnd);
    ReadFonts(header, m_arrFonts);
    ReadColors(header, m_arrColors);
}
