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

constexpr char kRequest[] = "request";

// Words of the script language, and the names that the page itself uses in its script.
const char* const kReserved[] = {
    "and",          "as",         "boolean", "byref",        "byte",       "byval",    "call",
    "case",         "class",      "const",   "currency",     "debug",      "dim",      "do",
    "double",       "each",       "else",    "elseif",       "empty",      "end",      "endif",
    "enum",         "eqv",        "event",   "exit",         "false",      "for",      "function",
    "get",          "goto",       "if",      "imp",          "implements", "in",       "integer",
    "is",           "let",        "like",    "long",         "loop",       "lset",     "me",
    "mod",          "new",        "next",    "not",          "nothing",    "null",     "on",
    "option",       "optional",   "or",      "paramarray",   "preserve",   "private",  "property",
    "public",       "raiseevent", "redim",   "rem",          "resume",     "rset",     "select",
    "set",          "shared",     "single",  "static",       "stop",       "sub",      "then",
    "to",           "true",       "type",    "typeof",       "until",      "variant",  "wend",
    "while",        "with",       "xor",     "agentcontrol", "window",     "document", "err",
    "createobject", "isobject",
};

// The page's own names, between blanks: the properties and methods of the window that the
// page's script runs in, which a variable of the same name would hide or fail to replace.
constexpr char kPageNames[] =
    " navigator location top self parent status defaultstatus name opener alert history "
    " screen frames length closed open close print focus blur confirm prompt external "
    " settimeout setinterval cleartimeout clearinterval navigate execscript showmodaldialog "
    " showmodelessdialog showhelp createpopup clipboarddata clientinformation frameelement "
    " returnvalue dialogarguments scroll scrollto scrollby moveto moveby resizeto resizeby "
    " attachevent detachevent onload onunload onerror onbeforeunload onfocus onblur onresize "
    " onscroll onhelp screenleft screentop innerwidth innerheight outerwidth outerheight "
    " pagexoffset pageyoffset scrollx scrolly menubar toolbar statusbar scrollbars "
    " locationbar personalbar localstorage sessionstorage console eval escape unescape "
    " postmessage getselection getcomputedstyle matchmedia stop find image activexobject "
    " xmlhttprequest speechsynthesis ";

bool EndsWithRequest(const std::string& name) {
    const std::size_t n = sizeof kRequest - 1;
    if (name.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (Lower(name[name.size() - n + i]) != kRequest[i])
            return false;
    }
    return true;
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
    // The page declares the name and the name followed by "Request"; the script language takes
    // identifiers of at most 255 characters.
    constexpr std::size_t kLongest = 255 - (sizeof kRequest - 1);
    if (name.empty() || name.size() > kLongest || !IsLetter(name[0]))
        return false;
    for (char c : name) {
        if (!IsLetter(c) && !IsDigit(c) && c != '_')
            return false;
    }
    // "genieRequest" would be declared twice beside "genie", and "window" or "is" cannot be
    // declared at all.
    if (EndsWithRequest(name))
        return false;
    for (const char* word : kReserved) {
        if (SameName(name, word))
            return false;
    }
    std::string lower = " ";
    for (char c : name)
        lower += Lower(c);
    lower += ' ';
    return std::string(kPageNames).find(lower) == std::string::npos;
}

bool IsPictureLocation(const std::string& location) {
    // A browser drops blanks around an address and tabs and line ends inside it, so
    // "java<tab>script:" would be a script address; control bytes are refused outright.
    for (char c : location) {
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            return false;
    }
    std::size_t begin = location.find_first_not_of(' ');
    if (begin == std::string::npos)
        return true;
    const std::string at = location.substr(begin, location.find_last_not_of(' ') + 1 - begin);
    auto startsWith = [&at](const char* prefix) {
        const std::string p = prefix;
        return at.size() >= p.size() && SameName(at.substr(0, p.size()), p);
    };
    if (startsWith("http:") || startsWith("https:") || startsWith("file:") ||
        startsWith("data:image/"))
        return true;
    auto isSlash = [](char c) { return c == '/' || c == '\\'; };
    // Another host, named without a scheme.
    if (at.size() >= 2 && isSlash(at[0]) && isSlash(at[1]))
        return false;
    // A drive path: a letter, a colon and a slash.
    if (at.size() >= 3 && IsLetter(at[0]) && at[1] == ':' && isSlash(at[2]))
        return true;
    // Anything else is a relative path only when its first part has no colon, which would make
    // it a scheme, and no "&", which the browser reads as a character reference (&colon;).
    for (char c : at) {
        if (isSlash(c) || c == '?' || c == '#')
            break;
        if (c == ':' || c == '&')
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
    bool plain = true;
    for (std::size_t i = 0; i < text.size() && plain; ++i) {
        const char c = text[i];
        plain = c != '"' && static_cast<unsigned char>(c) >= 32 &&
                !(c == '<' && i + 1 < text.size() && text[i + 1] == '/');
    }
    if (plain)
        return text;
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 32) {
            out += ' ';
        } else if (c == '"') {
            out += "\"\"";
        } else if (c == '<' && i + 1 < text.size() && text[i + 1] == '/') {
            // The browser ends the script element at "</script": the string is closed after
            // the "<" and joined to one that starts with the "/".
            out += "<\" & \"";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tag
