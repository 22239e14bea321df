// Paths of the user's files, '/' separated. The program keeps folders with their trailing '/'.
#pragma once

#include <string>

// Everything up to and including the last '/'; empty when there is none.
std::string PathFolder(const std::string& path);
// The part after the last '/'; all of it when there is none.
std::string PathFileName(const std::string& path);
// The file name without its extension (from the last '.' of the file name on).
std::string PathFileTitle(const std::string& path);
// The extension of the file name without its '.'; empty when it has none.
std::string PathExtension(const std::string& path);
// The path made absolute against the current folder; an empty path stays empty.
std::string AbsolutePath(const std::string& path);
