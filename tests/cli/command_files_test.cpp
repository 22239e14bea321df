// The command line run as a user runs it, on files that a careless run could destroy: inputs
// and outputs that are the same file, links, devices, pipes, a full device, and many files at
// once with some of them failing.
#include "support/page_parts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

const std::string kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\r\n{\\colortbl\\red0"
                         "\\green0\\blue0;}\r\n\\pard\\plain\\f0\\fs24\\cf0 Hi there\r\n\\par }";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

// A whole page as an e-mail save writes it: the page, its player when it has one, one zero byte.
bool IsPage(const std::string& path) {
    const std::string file = ReadFile(path);
    return !file.empty() && file.back() == '\0' &&
           testing_support::EndsAsAPage(file.substr(0, file.size() - 1)) &&
           file.find("Hi there") != std::string::npos;
}

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
    bool timedOut = false;
};

// Runs the installed form of the program, the front that becomes the toolkit half for
// projects, with standard output going to `stdoutPath` (a file of the test when empty).
Outcome Parlino(const std::string& folder, std::vector<std::string> args,
                const std::string& stdoutPath = {}) {
    const std::string outPath = stdoutPath.empty() ? folder + "/.stdout" : stdoutPath;
    const std::string errPath = folder + "/.stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(),
                                     stdoutPath.empty() ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    args.insert(args.begin(), PARL_BINARY_DIR "/parlino");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    Outcome run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return run;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            run.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (stdoutPath.empty())
        run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    ::unlink(errPath.c_str());
    if (stdoutPath.empty())
        ::unlink(outPath.c_str());
    return run;
}

// Names in the folder that a save might have left behind.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> names;
    for (const QString& name : QDir(QString::fromStdString(folder))
                                   .entryList(QDir::Hidden | QDir::Files | QDir::System)) {
        if (name.startsWith(QStringLiteral(".parlino")))
            names.push_back(name.toStdString());
    }
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

// Each row runs through both roads of the command line: raw RTF, and a project opened through
// the editor's reader.
TEST(CommandLineFiles, neverDestroysAFileItWasNotAskedToWriteAndSaysWhy) {
    struct Row {
        const char* what;
        std::function<void(const std::string& dir)> setUp;
        std::vector<std::string> args; // "@" is replaced by the test's folder
        int code;
        std::string said; // in the error output
        std::function<void(const std::string& dir)> check;
        bool rawOnly = false;
        std::string stdoutPath;
    };
    const std::vector<Row> rows = {
        {"the output is the input under another spelling",
         nullptr,
         {"--compile", "@/m.rtf", "-o", "@/./m.rtf"},
         1,
         "itself",
         [](const std::string& d) { EXPECT_EQ(ReadFile(d + "/m.rtf"), kRtf); },
         false,
         {}},
        {"the output is a hard link to the input",
         [](const std::string& d) {
             ASSERT_EQ(::link((d + "/m.rtf").c_str(), (d + "/hard.htm").c_str()), 0);
         },
         {"--compile", "@/m.rtf", "-o", "@/hard.htm"},
         1,
         "itself",
         [](const std::string& d) {
             EXPECT_EQ(ReadFile(d + "/m.rtf"), kRtf);
             EXPECT_EQ(ReadFile(d + "/hard.htm"), kRtf);
         },
         false,
         {}},
        {"an input already named .htm would be its own page",
         [](const std::string& d) { WriteFile(d + "/msg.htm", kRtf); },
         {"--compile", "@/msg.htm"},
         1,
         "itself",
         [](const std::string& d) { EXPECT_EQ(ReadFile(d + "/msg.htm"), kRtf); },
         false,
         {}},
        {"a symbolic link is followed and its target replaced",
         [](const std::string& d) {
             WriteFile(d + "/target.htm", "old");
             ASSERT_EQ(::symlink("target.htm", (d + "/link.htm").c_str()), 0);
         },
         {"--compile", "@/m.rtf", "-o", "@/link.htm"},
         0,
         "",
         [](const std::string& d) {
             EXPECT_TRUE(S_ISLNK(ModeOf(d + "/link.htm")));
             EXPECT_TRUE(IsPage(d + "/target.htm"));
         },
         false,
         {}},
        {"a link to a target not yet there makes the target",
         [](const std::string& d) {
             ASSERT_EQ(::symlink("new.htm", (d + "/dangling.htm").c_str()), 0);
         },
         {"--compile", "@/m.rtf", "-o", "@/dangling.htm"},
         0,
         "",
         [](const std::string& d) {
             EXPECT_TRUE(S_ISLNK(ModeOf(d + "/dangling.htm")));
             EXPECT_TRUE(IsPage(d + "/new.htm"));
         },
         false,
         {}},
        {"a pipe as the output is left alone",
         [](const std::string& d) { ASSERT_EQ(::mkfifo((d + "/pipe.htm").c_str(), 0644), 0); },
         {"--compile", "@/m.rtf", "-o", "@/pipe.htm"},
         1,
         "not a regular file",
         [](const std::string& d) { EXPECT_TRUE(S_ISFIFO(ModeOf(d + "/pipe.htm"))); },
         false,
         {}},
        {"a device reached through a link is left alone",
         [](const std::string& d) {
             ASSERT_EQ(::symlink("/dev/null", (d + "/null.htm").c_str()), 0);
         },
         {"--compile", "@/m.rtf", "-o", "@/null.htm"},
         1,
         "not a regular file",
         [](const std::string& d) {
             EXPECT_TRUE(S_ISLNK(ModeOf(d + "/null.htm")));
             EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));
         },
         false,
         {}},
        {"the page never takes set-user or set-group bits from the file it replaces",
         [](const std::string& d) {
             WriteFile(d + "/suid.htm", "old");
             ASSERT_EQ(::chmod((d + "/suid.htm").c_str(), 06750), 0);
         },
         {"--compile", "@/m.rtf", "-o", "@/suid.htm"},
         0,
         "",
         [](const std::string& d) {
             EXPECT_TRUE(IsPage(d + "/suid.htm"));
             EXPECT_EQ(ModeOf(d + "/suid.htm") & 07777, 0750u);
         },
         false,
         {}},
        {"a full standard output says why",
         nullptr,
         {"--compile", "@/m.rtf", "-o", "-"},
         1,
         "No space left on device",
         nullptr,
         false,
         "/dev/full"},
        {"a pipe as the input is refused, not waited on",
         [](const std::string& d) { ASSERT_EQ(::mkfifo((d + "/in.rtf").c_str(), 0644), 0); },
         {"--compile", "@/in.rtf", "-o", "-"},
         1,
         "not a regular file",
         nullptr,
         true,
         {}},
        {"an endless device as the input is refused",
         nullptr,
         {"--compile", "/dev/zero", "-o", "-"},
         1,
         "not a regular file",
         nullptr,
         true,
         {}},
        {"no file at all", nullptr, {"--compile"}, 2, "missing", nullptr, false, {}},
        {"no file but --raw, which is not a file",
         nullptr,
         {"--compile", "--raw"},
         2,
         "missing",
         nullptr,
         true,
         {}},
    };
    for (const bool raw : {true, false}) {
        for (const Row& row : rows) {
            if (row.rawOnly && !raw)
                continue;
            SCOPED_TRACE(std::string(row.what) + (raw ? " (raw)" : " (project)"));
            QTemporaryDir temp;
            const std::string dir = temp.path().toStdString();
            WriteFile(dir + "/m.rtf", kRtf);
            if (row.setUp)
                row.setUp(dir);
            std::vector<std::string> args;
            for (std::string a : row.args) {
                if (a[0] == '@')
                    a = dir + a.substr(1);
                args.push_back(a);
            }
            if (raw && args.back() != "--raw")
                args.push_back("--raw");
            const Outcome run = Parlino(dir, args, row.stdoutPath);
            ASSERT_FALSE(run.timedOut);
            EXPECT_EQ(run.code, row.code) << run.err;
            EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
            if (row.check)
                row.check(dir);
            EXPECT_TRUE(Leftovers(dir).empty());
        }
    }
}

// Many files in one run: the good ones written, the bad ones named with the reason, and the
// exit code saying that something failed.
TEST(CommandLineFiles, aBatchWritesEveryPageItCanAndNamesTheRest) {
    struct Row {
        const char* what;
        std::vector<std::string> args; // "@" is replaced by the test's folder
        int code;
        std::vector<std::string> said;     // in the error output
        std::vector<std::string> pages;    // written, whole
        std::vector<std::string> notThere; // not written
        std::size_t wrote = 0;             // pages reported written
    };
    const std::vector<Row> rows = {
        {"one input missing, one a pipe, one page's place taken by a folder",
         {"--compile", "@/a.rtf", "@/gone.rtf", "@/b.rtf", "@/pipe.rtf", "@/w.rtf", "@/c.rtf"},
         1,
         {"@/gone.rtf", "@/pipe.rtf", "cannot write @/w.htm"},
         {"@/a.htm", "@/b.htm", "@/c.htm"},
         {"@/gone.htm", "@/pipe.htm"},
         3},
        {"-d writes every page into the folder",
         {"--compile", "@/a.rtf", "@/b.rtf", "-d", "@/pages"},
         0,
         {},
         {"@/pages/a.htm", "@/pages/b.htm"},
         {"@/a.htm", "@/b.htm"},
         2},
        {"-d into a missing folder",
         {"--compile", "@/a.rtf", "@/b.rtf", "-d", "@/nowhere"},
         1,
         {"@/nowhere", "No such file or directory"},
         {},
         {"@/a.htm", "@/nowhere"},
         0},
        {"-o with several files",
         {"--compile", "@/a.rtf", "@/b.rtf", "-o", "@/x.htm"},
         2,
         {"-o", "usage"},
         {},
         {"@/x.htm", "@/a.htm"},
         0},
        {"the same file named twice, once through a link, is compiled once",
         {"--compile", "@/a.rtf", "@/./a.rtf", "@/alias.rtf"},
         0,
         {},
         {"@/a.htm"},
         {"@/alias.htm"},
         1},
        {"two inputs with one page name: the second is refused",
         {"--compile", "@/a.rtf", "@/a.plp"},
         1,
         {"@/a.plp", "@/a.rtf"},
         {"@/a.htm"},
         {},
         1},
        {"a default character that is not a script name",
         {"--compile", "@/a.rtf", "--default-character", "my genie"},
         2,
         {"--default-character", "my genie"},
         {},
         {"@/a.htm"},
         0},
        {"an empty default character",
         {"--compile", "@/a.rtf", "--default-character", ""},
         2,
         {"--default-character"},
         {},
         {"@/a.htm"},
         0},
    };
    for (const bool raw : {true, false}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (raw ? " (raw)" : " (project)"));
            QTemporaryDir temp;
            const std::string dir = temp.path().toStdString();
            auto at = [&dir](std::string a) {
                const std::size_t i = a.find('@');
                return i == std::string::npos ? a : a.replace(i, 1, dir);
            };
            for (const char* name : {"a.rtf", "b.rtf", "c.rtf", "w.rtf", "a.plp"})
                WriteFile(dir + "/" + name, kRtf);
            ASSERT_EQ(::mkfifo((dir + "/pipe.rtf").c_str(), 0644), 0);
            ASSERT_EQ(::mkdir((dir + "/w.htm").c_str(), 0755), 0);
            ASSERT_EQ(::mkdir((dir + "/pages").c_str(), 0755), 0);
            ASSERT_EQ(::symlink("a.rtf", (dir + "/alias.rtf").c_str()), 0);
            std::vector<std::string> args;
            for (const std::string& a : row.args)
                args.push_back(at(a));
            if (raw)
                args.push_back("--raw");
            const Outcome run = Parlino(dir, args);
            ASSERT_FALSE(run.timedOut);
            EXPECT_EQ(run.code, row.code) << run.err;
            for (const std::string& s : row.said)
                EXPECT_NE(run.err.find(at(s)), std::string::npos) << at(s) << "\n" << run.err;
            for (const std::string& p : row.pages)
                EXPECT_TRUE(IsPage(at(p))) << at(p);
            for (const std::string& p : row.notThere)
                EXPECT_NE(::access(at(p).c_str(), F_OK), 0) << at(p);
            std::size_t wrote = 0;
            for (std::size_t i = run.out.find("wrote"); i != std::string::npos;
                 i = run.out.find("wrote", i + 1))
                ++wrote;
            EXPECT_EQ(wrote, row.wrote) << run.out;
            EXPECT_TRUE(QDir(QString::fromStdString(dir + "/w.htm")).isEmpty());
            EXPECT_TRUE(Leftovers(dir).empty());
            EXPECT_TRUE(Leftovers(dir + "/pages").empty());
        }
    }
}
