// Which file a page's name leads to: a link is followed only when no one else could have planted
// it, and never to a message of the same run. The program runs as a user runs it, in folders that
// another user owns or shares, and every file's bytes are checked afterwards.
#include "support/page_parts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iostream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\r\n{\\colortbl\\red0"
                         "\\green0\\blue0;}\r\n\\pard\\plain\\f0\\fs24\\cf0 Hi there\r\n\\par }";

// The user that another account stands for: the one with no files of its own.
constexpr uid_t kNobody = 65534;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool IsPage(const std::string& path) {
    const std::string file = ReadFile(path);
    return !file.empty() && file.back() == '\0' &&
           testing_support::EndsAsAPage(file.substr(0, file.size() - 1)) &&
           file.find("Hi there") != std::string::npos;
}

enum Who { kUser, kSomeoneElse };

// The folder of one case, the user who runs the program in it, and the other user. Files are
// made by the test as root and given to their owners; without root, a case that needs two users
// cannot be set up and says so.
struct World {
    std::string dir;
    uid_t user = 0;
    uid_t other = 0;
    bool root = false;
    std::string missing; // why the case cannot be set up here

    std::string At(const std::string& rel) const { return dir + "/" + rel; }
    void Own(const std::string& rel, Who who) {
        const uid_t owner = who == kUser ? user : other;
        if (owner == ::geteuid())
            return;
        if (!root) {
            missing = "giving a file to another user needs root";
            return;
        }
        ASSERT_EQ(::lchown(At(rel).c_str(), owner, owner), 0) << rel;
    }
    void Folder(const std::string& rel, mode_t mode, Who who) {
        ASSERT_EQ(::mkdir(At(rel).c_str(), 0700), 0) << rel;
        ASSERT_EQ(::chmod(At(rel).c_str(), mode), 0) << rel;
        Own(rel, who);
    }
    void File(const std::string& rel, const std::string& bytes, Who who) {
        std::ofstream(At(rel), std::ios::binary) << bytes;
        ASSERT_EQ(::chmod(At(rel).c_str(), 0644), 0) << rel;
        Own(rel, who);
    }
    void Link(const std::string& rel, const std::string& target, Who who) {
        ASSERT_EQ(::symlink(target.c_str(), At(rel).c_str()), 0) << rel;
        Own(rel, who);
    }
};

// Everything under `dir`: each name with its kind, owner, and bytes or link target.
void Snapshot(const std::string& dir, const std::string& rel,
              std::map<std::string, std::string>& into) {
    DIR* d = ::opendir((dir + rel).c_str());
    if (d == nullptr)
        return;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string r = rel + "/" + name;
        struct stat st {};
        ::lstat((dir + r).c_str(), &st);
        std::string what = std::to_string(st.st_uid) + " " + std::to_string(st.st_mode) + " ";
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink((dir + r).c_str(), target, sizeof target);
            what += "-> " + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
        } else if (S_ISREG(st.st_mode)) {
            // Small files by their bytes, a page by its size and a hash of them.
            const std::string bytes = ReadFile(dir + r);
            what += bytes.size() < 200 ? bytes
                                       : std::to_string(bytes.size()) + " bytes, hash " +
                                             std::to_string(std::hash<std::string>()(bytes));
        }
        into[r.substr(1)] = what;
        if (S_ISDIR(st.st_mode))
            Snapshot(dir, r, into);
    }
    ::closedir(d);
}

struct Outcome {
    int code = -1;
    std::string err;
};

// Exit codes of the child that runs the program: it could not become the other user, or could
// not start the program as that user.
constexpr int kCannotSwitch = 125;
constexpr int kCannotStart = 126;

// Runs the program as `uid` (this process's own user, or another one when this is root).
Outcome RunAs(uid_t uid, const std::string& logDir, std::vector<std::string> args) {
    const std::string errPath = logDir + "/stderr";
    const int out = ::open((logDir + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), PARL_BINARY_DIR "/parlino");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (uid != ::geteuid() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0))
            ::_exit(kCannotSwitch);
        ::execv(argv[0], argv.data());
        ::_exit(kCannotStart);
    }
    ::close(out);
    ::close(err);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(errPath)};
}

} // namespace

TEST(PageTarget, aPageNeverGoesThroughAPlantedLinkNorOntoAnInputOfTheRun) {
    struct Row {
        const char* what;
        bool asNobody; // run by an ordinary user, not by root
        std::function<void(World&)> setUp;
        std::vector<std::string> args; // "@" stands for the case's folder; --raw is added
        int code;
        std::string said;               // in the error output, "@" as above
        std::vector<std::string> pages; // files that become whole pages; nothing else changes
    };
    // "shared" is a sticky folder anyone can write, owned by the other user; "mine" is the
    // user's own folder that no one else can write; "mine/secret" is a file the user can write.
    const auto mine = [](World& w) {
        w.Folder("mine", 0755, kUser);
        w.File("mine/secret", "secret", kUser);
        w.File("mine/m.rtf", kRtf, kUser);
        w.File("mine/b.rtf", kRtf + " ", kUser);
    };
    const auto base = [&mine](World& w) {
        mine(w);
        w.Folder("shared", 01777, kSomeoneElse);
    };
    const std::vector<Row> rows = {
        {"a link planted in a shared folder by another user, to a file of the user's",
         true,
         [&](World& w) {
             base(w);
             w.File("shared/m.rtf", kRtf, kUser);
             w.Link("shared/m.htm", w.At("mine/secret"), kSomeoneElse);
         },
         {"--compile", "@/shared/m.rtf"},
         1,
         "belongs to another user",
         {}},
        {"the same link when root runs the command",
         false,
         [&](World& w) {
             base(w);
             w.File("shared/m.rtf", kRtf, kUser);
             w.Link("shared/m.htm", w.At("mine/secret"), kSomeoneElse);
         },
         {"--compile", "@/shared/m.rtf"},
         1,
         "belongs to another user",
         {}},
        {"the user's own link in a shared folder",
         true,
         [&](World& w) {
             base(w);
             w.File("shared/m.rtf", kRtf, kUser);
             w.Link("shared/m.htm", w.At("mine/secret"), kUser);
         },
         {"--compile", "@/shared/m.rtf"},
         1,
         "@/shared, which others can write",
         {}},
        {"a dangling link planted in a shared folder",
         true,
         [&](World& w) {
             base(w);
             w.File("shared/m.rtf", kRtf, kUser);
             w.Link("shared/m.htm", w.At("mine/new.htm"), kSomeoneElse);
         },
         {"--compile", "@/shared/m.rtf"},
         1,
         "belongs to another user",
         {}},
        {"-o naming a link planted in a shared folder",
         true,
         [&](World& w) {
             base(w);
             w.Link("shared/out.htm", w.At("mine/secret"), kSomeoneElse);
         },
         {"--compile", "@/mine/m.rtf", "-o", "@/shared/out.htm"},
         1,
         "belongs to another user",
         {}},
        {"-d into a shared folder with a planted link",
         false,
         [&](World& w) {
             base(w);
             w.Link("shared/m.htm", w.At("mine/secret"), kSomeoneElse);
         },
         {"--compile", "@/mine/m.rtf", "@/mine/b.rtf", "-d", "@/shared"},
         1,
         "cannot write @/shared/m.htm",
         {"shared/b.htm"}},
        {"another user's link in the user's own folder",
         false,
         [&](World& w) {
             base(w);
             w.Link("mine/m.htm", "secret", kSomeoneElse);
         },
         {"--compile", "@/mine/m.rtf"},
         1,
         "belongs to another user",
         {}},
        {"the user's own link in a folder the user's group can write",
         true,
         [&](World& w) {
             mine(w);
             w.Folder("group", 0775, kUser);
             w.File("group/m.rtf", kRtf, kUser);
             w.Link("group/m.htm", w.At("mine/secret"), kUser);
         },
         {"--compile", "@/group/m.rtf"},
         1,
         "which others can write",
         {}},
        {"the user's own link leading on to a link planted in a shared folder",
         true,
         [&](World& w) {
             base(w);
             w.Link("mine/m.htm", "../shared/x.htm", kUser);
             w.Link("shared/x.htm", w.At("mine/secret"), kSomeoneElse);
         },
         {"--compile", "@/mine/m.rtf"},
         1,
         "belongs to another user",
         {}},
        {"the user's own link in the user's own folder is followed",
         true,
         [&](World& w) {
             mine(w);
             w.File("mine/target.htm", "old", kUser);
             w.Link("mine/m.htm", "target.htm", kUser);
         },
         {"--compile", "@/mine/m.rtf"},
         0,
         "",
         {"mine/target.htm"}},
        {"the user's own dangling link in the user's own folder makes its target",
         true,
         [&](World& w) {
             mine(w);
             w.Link("mine/m.htm", "new.htm", kUser);
         },
         {"--compile", "@/mine/m.rtf"},
         0,
         "",
         {"mine/new.htm"}},
        {"a page's name is a link to another input of the run",
         false,
         [&](World& w) {
             mine(w);
             w.Link("mine/m.htm", "b.rtf", kUser);
         },
         {"--compile", "@/mine/m.rtf", "@/mine/b.rtf"},
         1,
         "it is the message @/mine/b.rtf, another file of this run",
         {"mine/b.htm"}},
        {"a page's name is a hard link to another input of the run",
         false,
         [&](World& w) {
             mine(w);
             ASSERT_EQ(::link(w.At("mine/b.rtf").c_str(), w.At("mine/m.htm").c_str()), 0);
         },
         {"--compile", "@/mine/m.rtf", "@/mine/b.rtf"},
         1,
         "another file of this run",
         {"mine/b.htm"}},
        {"-d puts the first page onto the second input, which is its own page",
         false,
         [&](World& w) {
             mine(w);
             w.Folder("mine/d", 0755, kUser);
             w.File("mine/d/m.htm", kRtf, kUser);
         },
         {"--compile", "@/mine/m.rtf", "@/mine/d/m.htm", "-d", "@/mine/d"},
         1,
         "it is the message @/mine/d/m.htm, another file of this run",
         {}},
    };
    const bool root = ::geteuid() == 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir temp;
        QTemporaryDir logs;
        const std::string dir = temp.path().toStdString();
        ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
        auto at = [&dir](std::string a) {
            for (std::size_t i = a.find('@'); i != std::string::npos; i = a.find('@', i))
                a.replace(i, 1, dir);
            return a;
        };
        World world;
        world.dir = dir;
        world.root = root;
        // Without root the test itself is an ordinary user, and runs the program as itself.
        world.user = row.asNobody && root ? kNobody : ::geteuid();
        world.other = world.user == kNobody ? 0 : kNobody;
        row.setUp(world);
        if (!world.missing.empty()) {
            std::cout << "[  SKIPPED ] " << row.what << ": " << world.missing << "\n";
            continue;
        }
        std::map<std::string, std::string> before;
        Snapshot(dir, "", before);

        std::vector<std::string> args;
        for (const std::string& a : row.args)
            args.push_back(at(a));
        args.push_back("--raw");
        const Outcome run = RunAs(world.user, logs.path().toStdString(), args);
        if (row.asNobody && (run.code == kCannotSwitch || run.code == kCannotStart)) {
            std::cout << "[  SKIPPED ] " << row.what
                      << ": the program or its folders are closed to another user here\n";
            continue;
        }
        EXPECT_EQ(run.code, row.code) << run.err;
        EXPECT_NE(run.err.find(at(row.said)), std::string::npos) << run.err;

        std::map<std::string, std::string> after;
        Snapshot(dir, "", after);
        for (const std::string& page : row.pages) {
            EXPECT_TRUE(IsPage(at("@/" + page))) << page;
            before.erase(page);
            after.erase(page);
        }
        EXPECT_EQ(after, before); // every other file as it was, and nothing new
    }
}
