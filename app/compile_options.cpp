#include "app/compile_options.h"

#include "app/shown_name.h"

#include "compiler/playback.h"
#include "compiler/tag.h"
#include "document/parl_doc.h"

namespace {

// A word of the command line in an error message: in single quotes, or quoted as a shell would
// read it back when it holds control characters.
std::string Quoted(const std::string& word) {
    const std::string shown = cli::ShownName(word);
    return shown == word ? "'" + word + "'" : shown;
}

bool ParsePositive(const std::string& text, LONG& value) {
    if (text.empty() || text.size() > 6)
        return false;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v <= 0)
        return false;
    value = static_cast<LONG>(v);
    return true;
}

bool ParseColor(const std::string& text, COLORREF& color) {
    std::string hex = text;
    if (!hex.empty() && hex[0] == '#')
        hex.erase(0, 1);
    if (hex.size() != 6)
        return false;
    unsigned value = 0;
    for (char c : hex) {
        value <<= 4;
        if (c >= '0' && c <= '9')
            value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    color = RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    return true;
}

} // namespace

std::string CompileUsage() {
    return "usage: parlino --compile FILE... [--raw] [-o OUT | -d DIR]\n"
           "                [--default-character NAME] [--character-location LOC]\n"
           "                [--background-picture LOC] [--background-color RRGGBB]\n"
           "                [--screen WxH] [--recipient-has-agent] [--classic]\n"
           "                [--language TAG]\n"
           "Compiles each FILE as an e-mail save does and writes the page and one zero byte\n"
           "beside it, as FILE with the extension .htm; -d DIR writes the pages into DIR\n"
           "instead. For one FILE, -o OUT names the page ('-' writes the page alone to\n"
           "standard output). With --raw the bytes of each FILE are taken as the message's\n"
           "RTF; without it each FILE is opened as a project. The settings apply to every\n"
           "FILE. With --classic the page is written without the player that lets it play\n"
           "in browsers without the character control. Exit code: 0 all written, 1 a file\n"
           "could not be read or written (the others are still compiled), 2 a bad command\n"
           "line.\n";
}

bool ParseCompileOptions(const std::vector<std::string>& args, CompileOptions& options,
                         std::string& error) {
    bool haveOutput = false;
    bool compile = false;
    bool filesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            v = args[++i];
            return true;
        };
        std::string v;
        if (filesOnly || a.empty() || a[0] != '-') {
            options.inputPaths.push_back(a);
        } else if (a == "--") {
            filesOnly = true;
        } else if (a == "--compile") {
            compile = true;
        } else if (a == "--raw") {
            options.raw = true;
        } else if (a == "-o") {
            if (!value(v))
                return false;
            if (v.empty()) {
                error = "-o needs a file name";
                return false;
            }
            options.outputPath = v;
            haveOutput = true;
        } else if (a == "-d") {
            if (!value(v))
                return false;
            if (v.empty()) {
                error = "-d needs a folder";
                return false;
            }
            options.outputFolder = v;
        } else if (a == "--default-character") {
            if (!value(v))
                return false;
            if (!tag::IsScriptName(v)) {
                error = "--default-character takes a name the page's script can use (a letter, "
                        "then letters, digits or underscores, not a word the script reserves), "
                        "not " +
                        Quoted(v);
                return false;
            }
            options.settings.push_back([v](CParlDoc& d) { d.m_strDefaultCharacter = v; });
        } else if (a == "--character-location") {
            if (!value(v))
                return false;
            options.settings.push_back([v](CParlDoc& d) { d.m_strCharacterLocation = v; });
        } else if (a == "--background-picture") {
            if (!value(v))
                return false;
            if (!tag::IsPictureLocation(v)) {
                error = "--background-picture takes a relative path or an address that begins "
                        "with http:, https:, file: or data:image/, not " +
                        Quoted(v);
                return false;
            }
            options.settings.push_back([v](CParlDoc& d) { d.m_strBackgroundPicture = v; });
        } else if (a == "--background-color") {
            if (!value(v))
                return false;
            COLORREF color = 0;
            if (!ParseColor(v, color)) {
                error = "--background-color takes six hexadecimal digits RRGGBB, not " + Quoted(v);
                return false;
            }
            options.settings.push_back([color](CParlDoc& d) { d.m_crBackground = color; });
        } else if (a == "--screen") {
            if (!value(v))
                return false;
            const std::size_t x = v.find('x');
            LONG w = 0;
            LONG h = 0;
            if (x == std::string::npos || !ParsePositive(v.substr(0, x), w) ||
                !ParsePositive(v.substr(x + 1), h)) {
                error = "--screen takes WIDTHxHEIGHT in pixels, such as 800x600, not " + Quoted(v);
                return false;
            }
            options.settings.push_back([w, h](CParlDoc& d) {
                d.m_nScreenWidth = w;
                d.m_nScreenHeight = h;
            });
        } else if (a == "--recipient-has-agent") {
            options.settings.push_back([](CParlDoc& d) { d.m_bRecipientHasAgent = 1; });
        } else if (a == "--language") {
            // The message's language reaches the page: only a language tag is taken.
            if (!value(v))
                return false;
            if (playback::LanguageTag(v) != v) {
                error = "--language takes a language tag such as en-US or de, not '" + v + "'";
                return false;
            }
            options.settings.push_back([v](CParlDoc& d) { d.m_strLanguage = v; });
        } else if (a == "--classic") {
            options.settings.push_back([](CParlDoc& d) { d.m_bPlayInBrowsers = 0; });
        } else {
            error = "unknown option " + Quoted(a);
            return false;
        }
    }
    if (!compile) {
        error = "nothing to do without --compile";
        return false;
    }
    if (options.inputPaths.empty()) {
        error = "the file to compile is missing: name at least one FILE after --compile";
        return false;
    }
    if (haveOutput && options.inputPaths.size() > 1) {
        error = "-o names the page of one FILE; for several, use -d DIR or let each page go "
                "beside its FILE";
        return false;
    }
    if (haveOutput && !options.outputFolder.empty()) {
        error = "-o and -d cannot be used together";
        return false;
    }
    return true;
}
