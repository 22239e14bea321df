// Values written into the attributes of the page's tags.
#pragma once

#include <string>

namespace html {

// The value for between double quotes: a double quote, "<" and ">" as entities, so that the
// value ends only at its closing quote. A value without them comes back unchanged.
inline std::string InQuotes(const std::string& value) {
    if (value.find_first_of("\"<>") == std::string::npos)
        return value;
    std::string out;
    out.reserve(value.size() + 16);
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// The value as written after "=": unchanged when nothing in it could end it or start another
// attribute, otherwise between double quotes as InQuotes writes it.
inline std::string AttributeValue(const std::string& value) {
    bool plain = true;
    for (char c : value) {
        // Blanks, line ends and other control bytes, quotes, angle brackets, backtick.
        if (static_cast<unsigned char>(c) <= 32 || c == '"' || c == '\'' || c == '<' || c == '>' ||
            c == '`') {
            plain = false;
            break;
        }
    }
    if (plain)
        return value;
    return "\"" + InQuotes(value) + "\"";
}

} // namespace html
