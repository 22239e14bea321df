#include "platform/string_table.h"

CPrompt SplitPrompt(const std::string& text) {
    const auto nl = text.find('\n');
    if (nl == std::string::npos)
        return {text, {}};
    return {text.substr(0, nl), text.substr(nl + 1)};
}

const std::string* CStringTable::Find(UINT nID) const {
    const auto it = m_strings.find(nID);
    return it == m_strings.end() ? nullptr : &it->second;
}

std::string CStringTable::Load(UINT nID, const std::string& fallback) const {
    const std::string* text = Find(nID);
    return text != nullptr ? *text : fallback;
}
