// The program's string table: texts by numeric identifier. A command's string is its prompt:
// the status-bar text, then optionally "\n" and the tooltip.
#pragma once

#include "platform/richedit.h"

#include <map>
#include <string>

// The two halves of a command prompt.
struct CPrompt {
    std::string status;  // before the first "\n"
    std::string tooltip; // after it; empty when the prompt has no "\n"
};

CPrompt SplitPrompt(const std::string& text);

class CStringTable {
public:
    void Set(UINT nID, std::string text) { m_strings[nID] = std::move(text); }
    void Clear() { m_strings.clear(); }

    // The text of `nID`, or nullptr when the table has none.
    const std::string* Find(UINT nID) const;

    // The text of `nID`; `fallback` when the table has none.
    std::string Load(UINT nID, const std::string& fallback = {}) const;

    CPrompt Prompt(UINT nID) const { return SplitPrompt(Load(nID)); }

private:
    std::map<UINT, std::string> m_strings;
};
