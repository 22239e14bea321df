#include "platform/qt/recent_file_list.h"

#include "platform/qt/settings_store.h"

#include <algorithm>

namespace {

std::string EntryName(std::size_t i) {
    return QString::fromLatin1(CSettingsStore::kRecentFileEntry).arg(i + 1).toStdString();
}

} // namespace

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_nSize == 0)
        return;
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_nSize)
        m_files.resize(m_nSize);
}

void CRecentFileList::Remove(std::size_t nIndex) {
    if (nIndex < m_files.size())
        m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(nIndex));
}

std::string CRecentFileList::GetDisplayName(std::size_t nIndex) const {
    std::string shown;
    for (char c : m_files.at(nIndex)) {
        if (c == '&')
            shown += '&';
        shown += c;
    }
    return "&" + std::to_string(nIndex + 1) + " " + shown;
}

void CRecentFileList::ReadList(const CSettingsStore& store) {
    m_files.clear();
    for (std::size_t i = 0; i < m_nSize; ++i) {
        const std::string path =
            store.GetProfileString(CSettingsStore::kRecentFileSection, EntryName(i));
        if (!path.empty())
            m_files.push_back(path);
    }
}

void CRecentFileList::WriteList(CSettingsStore& store) const {
    for (std::size_t i = 0; i < m_nSize; ++i) {
        if (i < m_files.size())
            store.WriteProfileString(CSettingsStore::kRecentFileSection, EntryName(i), m_files[i]);
        else
            store.RemoveProfileEntry(CSettingsStore::kRecentFileSection, EntryName(i));
    }
}
