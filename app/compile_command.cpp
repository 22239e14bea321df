#include "app/compile_command.h"

#include "compiler/tag.h"
#include "document/parl_doc.h"
#include "platform/rich_edit_doc.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

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

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string PageName(const std::string& input) {
    const std::size_t slash = input.rfind('/');
    const std::size_t dot = input.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1))
        return input.substr(0, dot) + ".htm";
    return input + ".htm";
}

// One name for a place in the file system however a path spells its folder: the folder's
// identity and the file's own name.
std::string PlaceOf(const std::string& path) {
    struct stat st {};
    const std::string folder = FolderOf(path);
    if (::stat(folder.c_str(), &st) != 0)
        return path;
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + "/" +
           path.substr(path.rfind('/') + 1);
}

std::string Reason(int error) {
    return std::strerror(error);
}

// A file's identity, whatever name reaches it.
struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator<(const FileId& o) const { return dev != o.dev ? dev < o.dev : ino < o.ino; }
    bool operator==(const FileId& o) const { return dev == o.dev && ino == o.ino; }
};

// Where a page goes once symbolic links are followed, and what is there now.
struct OutputTarget {
    std::string path; // the file to replace or create
    bool exists = false;
    struct stat st {}; // when it exists
};

// Follows the symbolic links that `path` names to the file they end at, which need not exist
// yet; refuses anything there that is not a regular file. Links inside the folders on the way
// are the system's to follow.
bool ResolveOutput(const std::string& path, OutputTarget& target, std::string& error) {
    std::string at = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                error = Reason(errno);
                return false;
            }
            break; // a new file (a missing folder shows when the file is made)
        }
        if (!S_ISLNK(st.st_mode))
            break;
        if (hops == 40) {
            error = Reason(ELOOP);
            return false;
        }
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(at.c_str(), &link[0], link.size());
        if (n < 0) {
            error = Reason(errno);
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        at = (!link.empty() && link[0] == '/') ? link : FolderOf(at) + "/" + link;
    }
    target.path = at;
    target.exists = false;
    struct stat st {};
    // The system's own view of the name decides what is there, links of every kind followed.
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            error = S_ISDIR(st.st_mode) ? "it is a folder, not a file"
                                        : "it is not a regular file (a device, a pipe or a socket)"
                                          " and is left alone";
            return false;
        }
        target.exists = true;
        target.st = st;
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Pages saved all or nothing, many at a time. Each page is written into an unnamed file in its
// folder (a named hidden one where the file system has no unnamed files); the file system is
// flushed once for every page pending, and only then does each page take its name, so a page
// that has a name is whole on the disk, and a run that is killed leaves nothing behind.
class PageSaver {
public:
    struct Done {
        std::string path;  // as the caller named it
        std::string error; // empty: saved
    };

    PageSaver() : m_umask(CurrentUmask()) {}
    ~PageSaver() {
        for (Pending& p : m_pending)
            Discard(p);
    }
    PageSaver(const PageSaver&) = delete;
    PageSaver& operator=(const PageSaver&) = delete;

    std::size_t PendingCount() const { return m_pending.size(); }

    // Writes the page (`data`, then `tail`) into a new file that will replace `target`.
    bool Add(const std::string& name, const OutputTarget& target, const char* data,
             std::size_t size, const char* tail, std::size_t tailSize, std::string& error) {
        Pending p;
        p.name = name;
        p.target = target.path;
        p.folder = FolderOf(target.path);
        p.replaces = target.exists;
        if (target.exists) {
            // The permissions of the page it replaces, never its set-user or set-group bits.
            p.mode = target.st.st_mode & 0777;
            p.uid = target.st.st_uid;
            p.gid = target.st.st_gid;
        } else {
            p.mode = 0666 & ~m_umask;
        }
        p.fd = ::open(p.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (p.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
            std::string temp = p.folder + "/.parlino-XXXXXX";
            p.fd = ::mkostemp(&temp[0], O_CLOEXEC);
            if (p.fd >= 0)
                p.tempPath = temp;
        }
        if (p.fd < 0) {
            error = Reason(errno);
            return false;
        }
        iovec parts[2] = {{const_cast<char*>(data), size}, {const_cast<char*>(tail), tailSize}};
        int count = 2;
        iovec* next = parts;
        while (count > 0) {
            const ssize_t n = ::writev(p.fd, next, count);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error = Reason(errno);
                Discard(p);
                return false;
            }
            std::size_t left = static_cast<std::size_t>(n);
            while (count > 0 && left >= next->iov_len) {
                left -= next->iov_len;
                ++next;
                --count;
            }
            if (count > 0) {
                next->iov_base = static_cast<char*>(next->iov_base) + left;
                next->iov_len -= left;
            }
        }
        if (p.replaces && ::geteuid() == 0)
            (void)::fchown(p.fd, p.uid, p.gid); // best effort: the page keeps its owner
        if (::fchmod(p.fd, p.mode) != 0) {
            error = Reason(errno);
            Discard(p);
            return false;
        }
        m_pending.push_back(std::move(p));
        return true;
    }

    // Makes every pending page durable and gives it its name.
    std::vector<Done> Commit() {
        Flush();
        std::set<std::string> folders;
        for (Pending& p : m_pending) {
            if (p.error.empty() && !Place(p))
                Discard(p);
            else
                CloseOnly(p);
            if (p.error.empty())
                folders.insert(p.folder);
        }
        // The new names themselves reach the disk with their folder.
        std::map<std::string, std::string> folderErrors;
        for (const std::string& folder : folders) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0 || ::fsync(fd) != 0)
                folderErrors[folder] = Reason(errno);
            if (fd >= 0)
                ::close(fd);
        }
        std::vector<Done> done;
        done.reserve(m_pending.size());
        for (Pending& p : m_pending) {
            auto failed = folderErrors.find(p.folder);
            if (p.error.empty() && failed != folderErrors.end())
                p.error = failed->second;
            done.push_back({p.name, p.error});
        }
        m_pending.clear();
        return done;
    }

private:
    struct Pending {
        std::string name;
        std::string target;
        std::string folder;
        std::string tempPath; // the named temporary file, where there is one
        std::string error;
        int fd = -1;
        bool replaces = false;
        mode_t mode = 0;
        uid_t uid = 0;
        gid_t gid = 0;
    };

    // One page alone is flushed by itself; many are flushed with one flush of their file system,
    // which costs about what flushing one of them costs.
    void Flush() {
        if (m_pending.size() == 1) {
            Pending& p = m_pending.front();
            if (::fdatasync(p.fd) != 0)
                p.error = Reason(errno);
            return;
        }
        std::map<dev_t, std::vector<Pending*>> byDevice;
        for (Pending& p : m_pending) {
            struct stat st {};
            ::fstat(p.fd, &st);
            byDevice[st.st_dev].push_back(&p);
        }
        for (auto& [device, pages] : byDevice) {
            (void)device;
            if (::syncfs(pages.front()->fd) == 0)
                continue;
            // The file system reported a failed write: find out which pages it was.
            for (Pending* p : pages) {
                if (::fdatasync(p->fd) != 0)
                    p->error = Reason(errno);
            }
        }
    }

    // Gives the flushed file its name: linked straight in as a new file, or linked under a
    // hidden name and renamed over the page it replaces.
    bool Place(Pending& p) {
        if (!p.tempPath.empty()) {
            if (::rename(p.tempPath.c_str(), p.target.c_str()) != 0) {
                p.error = Reason(errno);
                return false;
            }
            p.tempPath.clear();
            return true;
        }
        if (!p.replaces) {
            if (Link(p.fd, p.target))
                return true;
            if (errno != EEXIST) {
                p.error = Reason(errno);
                return false;
            }
        }
        static std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 100; ++attempt) {
            char hidden[32];
            std::snprintf(hidden, sizeof hidden, "/.parlino-%08x", static_cast<unsigned>(random()));
            const std::string temp = p.folder + hidden;
            if (!Link(p.fd, temp)) {
                if (errno == EEXIST)
                    continue;
                p.error = Reason(errno);
                return false;
            }
            if (::rename(temp.c_str(), p.target.c_str()) != 0) {
                p.error = Reason(errno);
                ::unlink(temp.c_str());
                return false;
            }
            return true;
        }
        p.error = Reason(EEXIST);
        return false;
    }

    static bool Link(int fd, const std::string& path) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
        if (::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != ENOENT)
            return false;
        // Without /proc: the direct form, which needs more privilege.
        return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
    }

    static void CloseOnly(Pending& p) {
        if (p.fd >= 0)
            ::close(p.fd);
        p.fd = -1;
        if (!p.tempPath.empty())
            ::unlink(p.tempPath.c_str());
        p.tempPath.clear();
    }
    static void Discard(Pending& p) { CloseOnly(p); }

    mode_t m_umask;
    std::vector<Pending> m_pending;
};

// How many pages may wait for one flush: each holds an open file.
std::size_t FlushGroupSize() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max &&
        limit.rlim_cur < 4096) {
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    const rlim_t room = limit.rlim_cur > 64 ? limit.rlim_cur - 64 : 1;
    return static_cast<std::size_t>(std::min<rlim_t>(room, 2048));
}

// A message file opened for reading: a regular file, never a device or a pipe, which would
// never end or never begin.
class InputFile {
public:
    InputFile() = default;
    ~InputFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Non-blocking, so that opening a pipe with no writer returns at once to be refused.
    bool Open(const std::string& path, std::string& error) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0) {
            error = Reason(errno);
            return false;
        }
        if (::fstat(m_fd, &m_st) != 0) {
            error = Reason(errno);
            return false;
        }
        if (S_ISDIR(m_st.st_mode)) {
            error = Reason(EISDIR);
            return false;
        }
        if (!S_ISREG(m_st.st_mode)) {
            error = "it is not a regular file (a device, a pipe or a socket)";
            return false;
        }
        return true;
    }

    int Fd() const { return m_fd; }
    std::size_t Size() const { return static_cast<std::size_t>(m_st.st_size); }
    FileId Id() const { return {m_st.st_dev, m_st.st_ino}; }

private:
    int m_fd = -1;
    struct stat m_st {};
};

// The raw message as the control would stream it out: the file's bytes, read once, straight
// from the file into the compile's own RTF buffer in large chunks.
class FileRtfCtrl : public IRichEditCtrl, public IRichEditView {
public:
    FileRtfCtrl(int fd, std::size_t size) : m_fd(fd), m_size(size) {}

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        auto* es = reinterpret_cast<EDITSTREAM*>(lParam);
        if (message != EM_STREAMOUT || wParam != SF_RTF || es == nullptr ||
            es->pfnCallback == nullptr)
            return 0;
        // Big enough for the whole of a small file and its end in one read; left uninitialised,
        // since every byte handed on is read first.
        const std::size_t kChunk = std::min<std::size_t>(m_size + 1, 1 << 20);
        std::unique_ptr<BYTE[]> chunk(new BYTE[kChunk]);
        LRESULT total = 0;
        for (;;) {
            const ssize_t n = ::read(m_fd, chunk.get(), kChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_error = Reason(errno);
                break;
            }
            if (n == 0)
                break;
            LONG taken = 0;
            es->dwError = es->pfnCallback(es->dwCookie, chunk.get(), static_cast<LONG>(n), &taken);
            if (es->dwError != 0 || taken != n)
                break;
            total += n;
        }
        return total;
    }
    IRichEditCtrl& GetRichEditCtrl() override { return *this; }

    const std::string& Error() const { return m_error; }

private:
    int m_fd;
    std::size_t m_size;
    std::string m_error;
};

// "N of M" on one line of a terminal, once the run has lasted a second.
class Progress {
public:
    Progress(std::ostream& err, bool enabled, std::size_t total)
        : m_err(err), m_enabled(enabled && total > 1), m_total(total),
          m_start(std::chrono::steady_clock::now()) {}

    void Done(std::size_t count) {
        if (!m_enabled)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_start < std::chrono::seconds(1) ||
            (m_shown && now - m_last < std::chrono::milliseconds(100) && count < m_total))
            return;
        m_last = now;
        m_err << "\rparlino: " << count << " of " << m_total << " files compiled" << std::flush;
        m_shown = true;
    }
    // Takes the line away before a message, or at the end.
    void Clear() {
        if (m_shown)
            m_err << "\r\033[K" << std::flush;
        m_shown = false;
    }

private:
    std::ostream& m_err;
    bool m_enabled;
    std::size_t m_total;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
    bool m_shown = false;
};

bool WriteAllTo(int fd, const char* data, std::size_t size, std::string& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = Reason(errno);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
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
                        "not '" +
                        v + "'";
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
            error = "unknown option '" + a + "'";
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

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error) {
    OutputTarget target;
    if (!ResolveOutput(path, target, error))
        return false;
    PageSaver saver;
    if (!saver.Add(path, target, data.data(), data.size(), nullptr, 0, error))
        return false;
    const std::vector<PageSaver::Done> done = saver.Commit();
    error = done.front().error;
    return error.empty();
}

int RunCompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const ProjectLoader& loadProject) {
    return RunCompileCommand(args, CompileConsole{out, err}, loadProject);
}

int RunCompileCommand(const std::vector<std::string>& args, const CompileConsole& console,
                      const ProjectLoader& loadProject) {
    std::ostream& out = console.out;
    std::ostream& err = console.err;
    CompileOptions options;
    std::string error;
    if (!ParseCompileOptions(args, options, error)) {
        err << "parlino: " << error << "\n" << CompileUsage();
        return 2;
    }
    if (!options.outputFolder.empty()) {
        struct stat st {};
        const int problem = ::stat(options.outputFolder.c_str(), &st) != 0 ? errno
                            : !S_ISDIR(st.st_mode)                         ? ENOTDIR
                                                                           : 0;
        if (problem != 0) {
            err << "parlino: cannot write into " << options.outputFolder << ": " << Reason(problem)
                << "\n";
            return 1;
        }
    }

    const bool toStdout = options.outputPath == "-";
    const std::size_t total = options.inputPaths.size();
    const std::size_t groupSize = total > 1 ? FlushGroupSize() : 1;
    Progress progress(err, console.progress, total);
    PageSaver saver;
    std::set<FileId> inputsSeen;
    std::map<std::string, std::string> outputsTaken; // page's place -> the file it came from
    std::set<FileId> outputIdsTaken;
    std::map<FileId, std::string> outputIdOwner;
    bool failed = false;

    auto fail = [&](const std::string& message) {
        progress.Clear();
        err << "parlino: " << message << "\n";
        failed = true;
    };
    auto commit = [&] {
        for (const PageSaver::Done& d : saver.Commit()) {
            if (d.error.empty()) {
                progress.Clear();
                out << "parlino: wrote " << d.path << "\n";
            } else {
                fail("cannot write " + d.path + ": " + d.error);
            }
        }
    };

    for (std::size_t index = 0; index < total; ++index) {
        progress.Done(index);
        const std::string& input = options.inputPaths[index];

        // The input: read only when it is a regular file, and compiled once however named.
        InputFile file;
        FileId inputId;
        bool known = false;
        if (options.raw || !loadProject) {
            if (!file.Open(input, error)) {
                fail("cannot read " + input + ": " + error);
                continue;
            }
            inputId = file.Id();
            known = true;
        } else {
            struct stat st {};
            if (::stat(input.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                inputId = {st.st_dev, st.st_ino};
                known = true;
            }
        }
        if (known && !inputsSeen.insert(inputId).second)
            continue; // named twice: compiled once

        // The output: never the input itself, never anything but a regular file, and never the
        // page of another input of this run.
        std::string output;
        std::string place;
        OutputTarget target;
        if (!toStdout) {
            if (!options.outputPath.empty())
                output = options.outputPath;
            else if (!options.outputFolder.empty())
                output = options.outputFolder + "/" + PageName(input.substr(input.rfind('/') + 1));
            else
                output = PageName(input);
            if (!ResolveOutput(output, target, error)) {
                fail("cannot write " + output + ": " + error);
                continue;
            }
            if (known && target.exists && FileId{target.st.st_dev, target.st.st_ino} == inputId) {
                fail("cannot write " + output + ": it is the message " + input +
                     " itself, which the page would replace; name another file with -o or -d");
                continue;
            }
            place = PlaceOf(target.path);
            auto taken = outputsTaken.find(place);
            if (taken == outputsTaken.end() && target.exists &&
                outputIdsTaken.count({target.st.st_dev, target.st.st_ino}) != 0)
                taken = outputsTaken.find(outputIdOwner[{target.st.st_dev, target.st.st_ino}]);
            if (taken != outputsTaken.end()) {
                fail("cannot write " + output + " for " + input + ": the page of " + taken->second +
                     " is written there in this run");
                continue;
            }
        }

        CParlDoc doc;
        doc.ResetMessageSettings();
        FileRtfCtrl raw(file.Fd(), file.Size());
        if (options.raw || !loadProject) {
            // The RTF lands in the compile's own buffer, sized once for the whole file (the
            // compile's reserve only ever grows a buffer).
            doc.m_strRtf.reserve(file.Size() + 1);
            doc.SetView(&raw);
        } else if (!loadProject(doc, input, error)) {
            fail("cannot open " + input + ": " + error);
            continue;
        }
        for (const auto& apply : options.settings)
            apply(doc);

        doc.BuildHtml();
        if (!raw.Error().empty()) {
            fail("cannot read " + input + ": " + raw.Error());
            continue;
        }
        // The compile's working copies are not needed to write the page.
        std::string().swap(doc.m_strRtf);
        std::string().swap(doc.m_strScript);

        if (toStdout) {
            out.flush();
            if (console.outFd >= 0) {
                if (!WriteAllTo(console.outFd, doc.m_strHtml.data(), doc.m_strHtml.size(), error))
                    fail("cannot write the page to standard output: " + error);
            } else {
                out.write(doc.m_strHtml.data(), static_cast<std::streamsize>(doc.m_strHtml.size()));
                out.flush();
                if (!out)
                    fail("cannot write the page to standard output");
            }
            continue;
        }
        static const char kZero = '\0';
        if (!saver.Add(output, target, doc.m_strHtml.data(), doc.m_strHtml.size(), &kZero, 1,
                       error)) {
            fail("cannot write " + output + ": " + error);
            continue;
        }
        outputsTaken[place] = input;
        if (target.exists) {
            outputIdsTaken.insert({target.st.st_dev, target.st.st_ino});
            outputIdOwner[{target.st.st_dev, target.st.st_ino}] = place;
        }
        if (saver.PendingCount() >= groupSize)
            commit();
    }
    commit();
    progress.Done(total);
    progress.Clear();
    return failed ? 1 : 0;
}
