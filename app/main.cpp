// The program's front: small and without the toolkit, so that a command-line compile of raw RTF,
// --help and --version start at once. Everything with a window, and opening projects through
// the editor's RTF reader, is the toolkit half (parlino-qt), which the front becomes by exec.
#include "app/compile_command.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool Has(const std::vector<std::string>& args, const char* word) {
    for (const std::string& a : args) {
        if (a == "--")
            return false;
        if (a == word)
            return true;
    }
    return false;
}

// The toolkit's own options of a window, written with one dash (some take a value after them).
bool IsToolkitOption(const std::string& arg) {
    static const char* const kOptions[] = {"-platform",
                                           "-platformpluginpath",
                                           "-platformtheme",
                                           "-plugin",
                                           "-qwindowgeometry",
                                           "-qwindowicon",
                                           "-qwindowtitle",
                                           "-reverse",
                                           "-session",
                                           "-style",
                                           "-stylesheet",
                                           "-widgetcount",
                                           "-display",
                                           "-geometry",
                                           "-title",
                                           "-name",
                                           "-nograb",
                                           "-dograb",
                                           "-sync"};
    for (const char* option : kOptions) {
        if (arg == option)
            return true;
    }
    return false;
}

// The first word before "--" that looks like an option and is none the window knows; empty
// when there is none. A file whose name starts with a dash comes after "--".
std::string UnknownOption(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--")
            break;
        if (a.size() > 1 && a[0] == '-' && (a[1] == '-' || !IsToolkitOption(a)))
            return a;
    }
    return {};
}

constexpr const char* kWindowUsage =
    "usage: parlino [FILE]\n"
    "Opens the composer, with FILE (a project) in it when given.\n\n";

std::string FolderOfThisProgram() {
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return ".";
    const std::string path(self, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/'));
}

// Runs the toolkit half in this process's place: beside the front in a build, in the library
// folder of an installation.
int RunToolkitHalf(char** argv) {
    const std::string folder = FolderOfThisProgram();
    const std::string candidates[] = {folder + "/parlino-qt",
                                      folder + "/" PARL_QT_PROGRAM_FROM_BIN};
    int why = ENOENT;
    for (const std::string& program : candidates) {
        ::execv(program.c_str(), argv);
        if (errno != ENOENT)
            why = errno;
    }
    std::cerr << "parlino: cannot start " << candidates[1] << ": " << std::strerror(why) << "\n";
    return 1;
}

// A large message is compiled in buffers of many megabytes, and filling fresh memory a page at a
// time costs the system a fault per 4 KB: half of the run for 10 MB. The C library backs its
// large blocks with huge pages when told so, but only at a program's start, so for a large
// input the front starts itself once more with that setting.
void UseHugePagesForLargeMessages(const std::vector<std::string>& args, char** argv) {
    constexpr long long kLarge = 4LL << 20;
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const std::string current = tunables != nullptr ? tunables : "";
    if (current.find("glibc.malloc.hugetlb") != std::string::npos)
        return;
    CompileOptions options;
    std::string error;
    if (!ParseCompileOptions(args, options, error))
        return;
    long long largest = 0;
    for (const std::string& path : options.inputPaths) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > largest)
            largest = st.st_size;
    }
    if (largest < kLarge)
        return;
    const std::string setting = (current.empty() ? "" : current + ":") + "glibc.malloc.hugetlb=1";
    ::setenv("GLIBC_TUNABLES", setting.c_str(), 1);
    ::execv("/proc/self/exe", argv); // on failure, simply go on without
}

} // namespace

// With --compile the program compiles message files and exits; otherwise it opens its window
// (a file named on the command line is opened in it).
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (Has(args, "--compile")) {
        // Raw RTF needs nothing of the toolkit; projects are read by the editor's reader.
        if (!Has(args, "--raw"))
            return RunToolkitHalf(argv);
        UseHugePagesForLargeMessages(args, argv);
        return RunCompileCommand(args, CompileConsole{std::cout, std::cerr, STDOUT_FILENO,
                                                      ::isatty(STDERR_FILENO) == 1});
    }
    if (Has(args, "--help") || Has(args, "-h")) {
        std::cout << kWindowUsage << CompileUsage();
        return 0;
    }
    if (Has(args, "--version")) {
        std::cout << "parlino " << PARL_VERSION << "\n";
        return 0;
    }
    // An option the program does not know is no file to open.
    if (const std::string unknown = UnknownOption(args); !unknown.empty()) {
        std::cerr << "parlino: unknown option " << unknown << "\n"
                  << kWindowUsage << CompileUsage();
        return 2;
    }
    return RunToolkitHalf(argv);
}
