#include "platform/file_path.h"

#include <filesystem>
#include <system_error>

std::string PathFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string PathFileName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string PathFileTitle(const std::string& path) {
    std::string name = PathFileName(path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string PathExtension(const std::string& path) {
    const std::string name = PathFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    if (ec)
        return path;
    return abs.lexically_normal().string();
}
