// Pages written all or nothing, many at a time, each flushed to the disk before it takes its
// name.
#pragma once

#include "app/page_target.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace cli {

mode_t CurrentUmask();

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
std::size_t FlushGroupSize();

} // namespace cli

// Writes `data` to `path` all or nothing: the old file stays whole when anything fails, and
// nothing is left behind. A symbolic link is followed and its target replaced only when it is the
// user's own in a folder no one else can write (see MayFollowLink); a target that is not a
// regular file is refused. The new file keeps the permissions of the one it replaces,
// without set-user or set-group bits. Returns false with the reason.
bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error);
