#include "app/shown_name.h"

#include <cstdio>

namespace cli {
namespace {

// How many bytes from `i` form one character that the terminal shows as it is; 0 for a byte
// that is to be escaped.
std::size_t PlainLength(const std::string& s, std::size_t i) {
    const auto byte = [&s](std::size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char b = byte(i);
    if (b < 0x20 || b == 0x7F)
        return 0;
    if (b < 0x80)
        return 1;
    const std::size_t length = b >= 0xC2 && b <= 0xDF   ? 2
                               : b >= 0xE0 && b <= 0xEF ? 3
                               : b >= 0xF0 && b <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    // U+0080 to U+009F are the second set of control characters.
    if (b == 0xC2 && byte(i + 1) <= 0x9F)
        return 0;
    return length;
}

void AppendEscaped(std::string& out, unsigned char b) {
    // \a \b \t \n \v \f \r are the bytes 7 to 13; every other byte in octal.
    if (b >= 7 && b <= 13) {
        out += '\\';
        out += "abtnvfr"[b - 7];
        return;
    }
    char octal[8];
    std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(b));
    out += octal;
}

} // namespace

std::string ShownName(const std::string& name) {
    bool plain = true;
    for (std::size_t i = 0; i < name.size() && plain;) {
        const std::size_t n = PlainLength(name, i);
        plain = n > 0;
        i += n;
    }
    if (plain)
        return name;
    std::string out;
    bool quoted = false;  // inside '...'
    bool escaped = false; // inside $'...'
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = PlainLength(name, i);
        if (n == 0) {
            if (quoted)
                out += '\'';
            quoted = false;
            if (!escaped)
                out += "$'";
            escaped = true;
            AppendEscaped(out, static_cast<unsigned char>(name[i]));
            ++i;
            continue;
        }
        if (escaped)
            out += '\'';
        escaped = false;
        if (!quoted)
            out += '\'';
        quoted = true;
        if (name[i] == '\'')
            out += "'\\''";
        else
            out.append(name, i, n);
        i += n;
    }
    if (quoted || escaped)
        out += '\'';
    return out;
}

} // namespace cli
