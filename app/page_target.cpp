#include "app/page_target.h"

#include "app/shown_name.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace cli {

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

bool MayFollowLink(const std::string& link, const struct stat& linkSt, std::string& error) {
    const uid_t user = ::geteuid();
    if (linkSt.st_uid != user) {
        error = "it is a symbolic link that belongs to another user, so anyone could have put it "
                "there; it is not followed, and nothing is written";
        return false;
    }
    const std::string folder = FolderOf(link);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        error = Reason(errno);
        return false;
    }
    if (st.st_uid != user || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        error = "it is a symbolic link in the folder " + ShownName(folder) +
                ", which others can write, so anyone could have put it there; it is not "
                "followed, and nothing is written";
        return false;
    }
    return true;
}

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
        if (!MayFollowLink(at, st, error))
            return false;
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
    // What is at the end of the links, taken without following any link planted there since.
    if (::lstat(at.c_str(), &st) == 0) {
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

} // namespace cli
