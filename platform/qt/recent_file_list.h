// The recent-file list: the most recently opened or saved files, newest first, kept in the
// settings under "Recent File List" / File1..FileN.
#pragma once

#include <string>
#include <vector>

class CSettingsStore;

class CRecentFileList {
public:
    explicit CRecentFileList(std::size_t nSize) : m_nSize(nSize) {}

    // Puts `path` first, removing an earlier entry of the same path and dropping the oldest
    // beyond the list's size.
    void Add(const std::string& path);
    void Remove(std::size_t nIndex);
    std::size_t GetSize() const { return m_nSize; }
    std::size_t GetCount() const { return m_files.size(); }
    const std::string& operator[](std::size_t nIndex) const { return m_files[nIndex]; }

    // "&1 /home/ann/hello.plp", with '&' in the path doubled.
    std::string GetDisplayName(std::size_t nIndex) const;

    void ReadList(const CSettingsStore& store);
    void WriteList(CSettingsStore& store) const;

private:
    std::size_t m_nSize;
    std::vector<std::string> m_files;
};
