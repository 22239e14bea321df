#include "compiler/playback.h"

#include "rtf/rtf_codepage.h"

#include <algorithm>
#include <cstdlib>

namespace playback {
namespace {

std::string Folded(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

void AppendNumber(std::string& out, long long n) {
    out += std::to_string(n);
}

// Bytes that stand for themselves inside a JSON string of the page.
bool IsPlain(unsigned char c) {
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&' &&
           c != '\'';
}

void AppendEscape(std::string& out, char16_t unit) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u";
    out += kHex[(unit >> 12) & 0xF];
    out += kHex[(unit >> 8) & 0xF];
    out += kHex[(unit >> 4) & 0xF];
    out += kHex[unit & 0xF];
}

} // namespace

void AppendJsonString(std::string& out, const std::u16string& text) {
    out += '"';
    for (char16_t unit : text) {
        if (unit < 0x80 && IsPlain(static_cast<unsigned char>(unit)))
            out += static_cast<char>(unit);
        else
            AppendEscape(out, unit);
    }
    out += '"';
}

std::string LanguageTag(const std::string& text) {
    std::string tag;
    std::size_t part = 0; // letters or digits in the current part
    bool first = true;    // the language itself: letters only, two or three of them
    if (text.size() > 35)
        return {};
    for (char c : text) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (c == '-' || c == '_') {
            if (part < 2 || (first && part > 3))
                return {};
            first = false;
            part = 0;
            tag += '-';
        } else if (letter || (digit && !first)) {
            if (++part > 8)
                return {};
            tag += c;
        } else {
            return {};
        }
    }
    if (part < 2 || (first && part > 3))
        return {};
    return tag;
}

std::string DesktopLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0')
            continue;
        std::string locale = value;
        // "de_DE.UTF-8", "sr_RS@latin": the language and territory come first.
        locale = locale.substr(0, locale.find_first_of(".@"));
        return LanguageTag(locale);
    }
    return {};
}

int DocumentCodePage(const std::string& rtf) {
    // The word stands in the first group, before the font table.
    const std::size_t end = std::min<std::size_t>(rtf.find("{\\fonttbl"), rtf.size());
    const std::size_t at = rtf.find("\\ansicpg");
    if (at == std::string::npos || at > end)
        return 1252;
    int codePage = 0;
    for (std::size_t i = at + 8; i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9'; ++i) {
        codePage = codePage * 10 + (rtf[i] - '0');
        if (codePage > 65535)
            return 1252;
    }
    return codePage > 0 ? codePage : 1252;
}

Recorder::Recorder() : m_codePage(std::make_unique<CRtfCodePage>(1252)) {}
Recorder::~Recorder() = default;

void Recorder::Begin(const std::vector<std::string>& characters, long width, long height,
                     int codePage) {
    if (m_codePage->CodePage() != codePage)
        m_codePage = std::make_unique<CRtfCodePage>(codePage);
    m_names = characters;
    m_index.clear();
    m_characters.clear();
    m_json.clear();
    m_steps = 0;
    m_actions = 0;
    m_lastRequest = 0;
    m_requests = 0;
    m_width = width;
    m_height = height;
    m_source = nullptr;
    m_wide = nullptr;
    // The start spots of the page's loading code: each character 126 pixels right of and 20
    // below the one before.
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        m_index.emplace(Folded(m_names[i]), static_cast<int>(i));
        if (i > 0)
            m_characters += ',';
        m_characters += '[';
        AppendText(m_characters, m_names[i]);
        m_characters += ',';
        AppendNumber(m_characters, 10 + 126 * static_cast<long long>(i));
        m_characters += ',';
        AppendNumber(m_characters, 10 + 20 * static_cast<long long>(i));
        m_characters += ']';
    }
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        StepStart(static_cast<int>(i), "show");
        m_json += ']';
    }
}

void Recorder::SetSource(const std::string* text, const rtf::WideChars* wide) {
    m_source = text;
    m_wide = wide;
}

int Recorder::CharacterIndex(const std::string& name) const {
    const auto it = m_index.find(Folded(name));
    return it == m_index.end() ? -1 : it->second;
}

void Recorder::StepStart(int character, const char* verb) {
    if (m_steps > 0)
        m_json += ",\r\n";
    ++m_steps;
    m_json += '[';
    AppendNumber(m_json, character);
    m_json += ",\"";
    m_json += verb;
    m_json += '"';
}

// Appends the 8-bit `text` as a JSON string, read through the code page, with the characters
// that the source gave by number in place of their fallbacks.
void Recorder::AppendText(std::string& out, const std::string& text) {
    std::size_t base = std::string::npos;
    if (m_source != nullptr && m_wide != nullptr && !m_wide->empty()) {
        // The text is the whole source (a run) or its tail before the closing ">" (a tag's
        // argument).
        if (*m_source == text) {
            base = 0;
        } else if (m_source->size() > text.size() && m_source->back() == '>') {
            const std::size_t at = m_source->size() - 1 - text.size();
            if (m_source->compare(at, text.size(), text) == 0)
                base = at;
        }
    }
    bool plain = base == std::string::npos;
    if (plain) {
        for (char c : text) {
            if (!IsPlain(static_cast<unsigned char>(c))) {
                plain = false;
                break;
            }
        }
        if (plain) {
            out += '"';
            out += text;
            out += '"';
            return;
        }
    }
    std::u16string unicode;
    unicode.reserve(text.size());
    auto decode = [&](std::size_t from, std::size_t to) {
        if (from >= to)
            return;
        if (m_codePage->IsCp1252()) {
            for (std::size_t i = from; i < to; ++i)
                unicode += CRtfCodePage::Cp1252ToUnicode(static_cast<unsigned char>(text[i]));
        } else {
            m_codePage->Decode(text.data() + from, to - from, unicode);
        }
    };
    std::size_t pos = 0;
    if (base != std::string::npos) {
        for (const rtf::WideChar& w : *m_wide) {
            if (w.offset < base + pos || w.offset + w.length > base + text.size())
                continue;
            decode(pos, w.offset - base);
            if (w.code > 0xFFFF) {
                unicode += static_cast<char16_t>(0xD7C0 + (w.code >> 10));
                unicode += static_cast<char16_t>(0xDC00 + (w.code & 0x3FF));
            } else {
                unicode += static_cast<char16_t>(w.code);
            }
            pos = w.offset - base + w.length;
        }
    }
    decode(pos, text.size());
    AppendJsonString(out, unicode);
}

void Recorder::Play(const std::string& name, const std::string& animation) {
    const int c = CharacterIndex(name);
    if (c < 0)
        return;
    StepStart(c, "play");
    m_json += ',';
    AppendText(m_json, animation);
    m_json += ']';
    ++m_actions;
}

void Recorder::MoveTo(const std::string& name, long x, long y) {
    const int c = CharacterIndex(name);
    if (c < 0)
        return;
    StepStart(c, "move");
    m_json += ',';
    AppendNumber(m_json, x);
    m_json += ',';
    AppendNumber(m_json, y);
    m_json += ']';
    ++m_actions;
}

void Recorder::Speak(const std::string& name, const std::string& text, bool read, bool wait,
                     bool store) {
    const int c = CharacterIndex(name);
    if (c < 0)
        return;
    if (wait && m_lastRequest > 0) {
        StepStart(c, "wait");
        m_json += ',';
        AppendNumber(m_json, m_lastRequest);
        m_json += ']';
    }
    StepStart(c, read ? "read" : "say");
    m_json += ',';
    AppendText(m_json, text);
    if (store) {
        m_lastRequest = ++m_requests;
        m_json += ',';
        AppendNumber(m_json, m_lastRequest);
    }
    m_json += ']';
    ++m_actions;
}

void Recorder::Hide(const std::string& name) {
    const int c = CharacterIndex(name);
    if (c < 0)
        return;
    StepStart(c, "hide");
    m_json += ']';
}

std::string Recorder::Json() const {
    std::string out;
    out.reserve(m_characters.size() + m_json.size() + 64);
    out += "{\"w\":";
    AppendNumber(out, m_width);
    out += ",\"h\":";
    AppendNumber(out, m_height);
    if (!m_language.empty()) {
        // A tag holds only letters, digits and hyphens.
        out += ",\"l\":\"";
        out += m_language;
        out += '"';
    }
    out += ",\"c\":[";
    out += m_characters;
    out += "],\r\n\"s\":[";
    out += m_json;
    out += "]}";
    return out;
}

} // namespace playback
