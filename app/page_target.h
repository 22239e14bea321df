// Where a page goes: the page's name for an input, the identity of a file whatever name reaches
// it, and the symbolic links followed to the file a page replaces.
#pragma once

#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace cli {

std::string FolderOf(const std::string& path);
std::string PageName(const std::string& input);

// One name for a place in the file system however a path spells its folder: the folder's
// identity and the file's own name.
std::string PlaceOf(const std::string& path);

std::string Reason(int error);

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

// Whether the symbolic link `link` (with `linkSt` from lstat) may be followed to the file a page
// replaces: only a link of the user running the command, in a folder that no one else can write,
// so that nobody else can have planted it or changed it since. In a shared folder, even one whose
// sticky bit keeps others from replacing the user's own links, a link is not followed.
// Returns false with the reason.
bool MayFollowLink(const std::string& link, const struct stat& linkSt, std::string& error);

// Follows the symbolic links that `path` names to the file they end at, which need not exist
// yet; every link on the way must be one that MayFollowLink allows. Refuses anything at the end
// that is not a regular file. Links inside the folders on the way are the system's to follow.
bool ResolveOutput(const std::string& path, OutputTarget& target, std::string& error);

} // namespace cli
