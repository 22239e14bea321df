#include "platform/file_find.h"

#include "platform/file_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool NameLess(const std::string& a, const std::string& b) {
    const auto fa = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                 [](char x, char y) { return Fold(x) < Fold(y); });
    const auto fb = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                 [](char x, char y) { return Fold(x) < Fold(y); });
    if (fa != fb)
        return fa;
    return a < b;
}

} // namespace

bool CFileFind::MatchesPattern(const std::string& pattern, const std::string& name) {
    // Iterative wildcard match with one backtrack point for the last '*'.
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

BOOL CFileFind::FindFile(const std::string& pattern) {
    Close();
    m_folder = PathFolder(pattern);
    const std::string wildcard = PathFileName(pattern);
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(m_folder.empty() ? fs::path(".") : fs::path(m_folder), ec);
    if (ec)
        return FALSE;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (MatchesPattern(wildcard, name))
            m_found.push_back({name, it->is_directory(ec)});
    }
    std::sort(m_found.begin(), m_found.end(),
              [](const Found& a, const Found& b) { return NameLess(a.name, b.name); });
    return m_found.empty() ? FALSE : TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_next >= m_found.size())
        return FALSE;
    m_current = m_next++;
    m_hasCurrent = true;
    return m_next < m_found.size() ? TRUE : FALSE;
}

void CFileFind::Close() {
    m_folder.clear();
    m_found.clear();
    m_next = 0;
    m_current = 0;
    m_hasCurrent = false;
}

std::string CFileFind::GetFileName() const {
    return m_hasCurrent ? m_found[m_current].name : std::string();
}

std::string CFileFind::GetFileTitle() const {
    return PathFileTitle(GetFileName());
}

std::string CFileFind::GetFilePath() const {
    return m_hasCurrent ? m_folder + GetFileName() : "";
}

BOOL CFileFind::IsDirectory() const {
    return m_hasCurrent && m_found[m_current].directory ? TRUE : FALSE;
}
