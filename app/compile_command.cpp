#include "app/compile_command.h"

#include "document/parl_doc.h"
#include "platform/raw_rtf_ctrl.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

std::string DefaultOutput(const std::string& input) {
    const std::size_t slash = input.rfind('/');
    const std::size_t dot = input.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1))
        return input.substr(0, dot) + ".htm";
    return input + ".htm";
}

bool ReadWholeFile(const std::string& path, std::string& data, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return false;
    }
    data = std::move(buffer).str();
    return true;
}

} // namespace

std::string CompileUsage() {
    return "usage: parlino --compile FILE [--raw] [-o OUT]\n"
           "                [--default-character NAME] [--character-location LOC]\n"
           "                [--background-picture LOC] [--background-color RRGGBB]\n"
           "                [--screen WxH] [--recipient-has-agent] [--classic]\n"
           "Compiles FILE as an e-mail save does and writes the page and one zero byte to OUT\n"
           "(default: FILE with the extension .htm; '-' writes the page alone to standard\n"
           "output). With --raw the bytes of FILE are taken as the message's RTF; without it\n"
           "FILE is opened as a project. With --classic the page is written without the\n"
           "player that lets it play in browsers without the character control.\n";
}

bool ParseCompileOptions(const std::vector<std::string>& args, CompileOptions& options,
                         std::string& error) {
    bool haveOutput = false;
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
        if (a == "--compile") {
            if (!value(v))
                return false;
            if (!options.inputPath.empty()) {
                error = "only one file can be compiled at a time";
                return false;
            }
            options.inputPath = v;
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
        } else if (a == "--default-character") {
            if (!value(v))
                return false;
            options.settings.push_back([v](CParlDoc& d) { d.m_strDefaultCharacter = v; });
        } else if (a == "--character-location") {
            if (!value(v))
                return false;
            options.settings.push_back([v](CParlDoc& d) { d.m_strCharacterLocation = v; });
        } else if (a == "--background-picture") {
            if (!value(v))
                return false;
            options.settings.push_back([v](CParlDoc& d) { d.m_strBackgroundPicture = v; });
        } else if (a == "--background-color") {
            if (!value(v))
                return false;
            COLORREF color = 0;
            if (!ParseColor(v, color)) {
                error = "--background-color takes six hexadecimal digits RRGGBB, not '" + v + "'";
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
                error = "--screen takes WIDTHxHEIGHT in pixels, such as 800x600, not '" + v + "'";
                return false;
            }
            options.settings.push_back([w, h](CParlDoc& d) {
                d.m_nScreenWidth = w;
                d.m_nScreenHeight = h;
            });
        } else if (a == "--recipient-has-agent") {
            options.settings.push_back([](CParlDoc& d) { d.m_bRecipientHasAgent = 1; });
        } else if (a == "--classic") {
            options.settings.push_back([](CParlDoc& d) { d.m_bPlayInBrowsers = 0; });
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    if (options.inputPath.empty()) {
        error = "--compile needs a file";
        return false;
    }
    if (!haveOutput)
        options.outputPath = DefaultOutput(options.inputPath);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string temp =
        (slash == std::string::npos ? std::string("./") : folder) + ".parlino-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string tempPath(name.data());
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(tempPath.c_str());
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = std::strerror(errno);
        ::unlink(tempPath.c_str());
        return false;
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(tempPath.c_str());
        return false;
    }
    return true;
}

int RunCompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const ProjectLoader& loadProject) {
    CompileOptions options;
    std::string error;
    if (!ParseCompileOptions(args, options, error)) {
        err << "parlino: " << error << "\n" << CompileUsage();
        return 2;
    }

    CParlDoc doc;
    doc.ResetMessageSettings();
    CRawRtfCtrl raw;
    if (options.raw || !loadProject) {
        std::string rtf;
        if (!ReadWholeFile(options.inputPath, rtf, error)) {
            err << "parlino: cannot read " << options.inputPath << ": " << error << "\n";
            return 1;
        }
        raw.SetRtf(std::move(rtf));
        doc.SetView(&raw);
    } else if (!loadProject(doc, options.inputPath, error)) {
        err << "parlino: cannot open " << options.inputPath << ": " << error << "\n";
        return 1;
    }
    for (const auto& apply : options.settings)
        apply(doc);

    doc.BuildHtml();
    if (options.outputPath == "-") {
        out.write(doc.m_strHtml.data(), static_cast<std::streamsize>(doc.m_strHtml.size()));
        out.flush();
        return out ? 0 : 1;
    }
    std::string file = doc.m_strHtml;
    file.push_back('\0');
    if (!WriteFileAtomically(options.outputPath, file, error)) {
        err << "parlino: cannot write " << options.outputPath << ": " << error << "\n";
        return 1;
    }
    out << "parlino: wrote " << options.outputPath << "\n";
    return 0;
}
