#include "compiler/tag.h"

#include <cstddef>

namespace tag {
namespace {

// The inner text: the first byte ("<") and the last (">") dropped when they are brackets.
void Inner(const std::string& t, std::size_t& begin, std::size_t& end) {
    begin = 0;
    end = t.size();
    if (begin < end && t[begin] == '<')
        ++begin;
    if (end > begin && t[end - 1] == '>')
        --end;
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

Parts Split(const std::string& tagText) {
    std::size_t begin = 0;
    std::size_t end = 0;
    Inner(tagText, begin, end);
    Parts parts;
    std::string acc;
    int separators = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = tagText[i];
        if (c != ' ' || separators == 2) {
            acc += c;
        } else if (separators == 0) {
            parts.name.swap(acc);
            acc.clear();
            separators = 1;
        } else {
            parts.verb.swap(acc);
            acc.clear();
            separators = 2;
        }
    }
    if (parts.verb.empty())
        parts.verb.swap(acc);
    else
        parts.argument.swap(acc);
    return parts;
}

std::string NameOf(const std::string& tagText) {
    std::size_t begin = 0;
    std::size_t end = 0;
    Inner(tagText, begin, end);
    for (std::size_t i = begin; i < end; ++i) {
        if (tagText[i] == ' ')
            return tagText.substr(begin, i - begin);
    }
    return {};
}

bool IsScriptName(const std::string& name) {
    if (name.empty() || !IsLetter(name[0]))
        return false;
    for (char c : name) {
        if (!IsLetter(c) && !IsDigit(c) && c != '_')
            return false;
    }
    return true;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

std::string QuoteForScript(const std::string& text) {
    if (text.find('"') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out;
}

} // namespace tag
