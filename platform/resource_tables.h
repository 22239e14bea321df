// The program's resources as data: menus, accelerator tables, toolbar layouts and the string
// table, each keyed by the numeric identifier the program's code names them by. res/ fills the
// tables at start-up; the frame and the context menu build their widgets from them.
#pragma once

#include "platform/string_table.h"

#include <map>
#include <string>
#include <vector>

// One entry of a menu: a command, a separator or a pop-up holding further entries. Texts carry
// "&" before the mnemonic and, for commands, "\t" before the shown accelerator ("&Save\tCtrl+S").
struct CMenuEntry {
    enum Kind { Command, Separator, Popup };

    Kind kind = Command;
    UINT nID = 0;
    std::string text;
    std::vector<CMenuEntry> entries; // of a pop-up
    bool verbatim = false;           // text shown as it is, never translated (a word, a name)

    static CMenuEntry Item(std::string text, UINT nID) {
        return {Command, nID, std::move(text), {}};
    }
    static CMenuEntry Verbatim(std::string text, UINT nID) {
        return {Command, nID, std::move(text), {}, true};
    }
    static CMenuEntry Sep() { return {Separator, 0, {}, {}}; }
    static CMenuEntry Sub(std::string text, std::vector<CMenuEntry> entries) {
        return {Popup, 0, std::move(text), std::move(entries)};
    }
};

// A menu bar, or a context menu's single untitled pop-up: its top-level entries.
using CMenuResource = std::vector<CMenuEntry>;

// One key of an accelerator table, written as Qt reads key sequences ("Ctrl+S", "Alt+Backspace",
// "Shift+F6"). A command may have several keys.
struct CAccelEntry {
    std::string keys;
    UINT nID = 0;
};
using CAccelTable = std::vector<CAccelEntry>;

// A toolbar: its buttons' command identifiers in order, ID_SEPARATOR (0) for a gap.
using CToolBarResource = std::vector<UINT>;

class CResourceTables {
public:
    // The tables of the running program.
    static CResourceTables& App();

    CStringTable& Strings() { return m_strings; }
    const CStringTable& Strings() const { return m_strings; }

    void SetMenu(UINT nID, CMenuResource menu) { m_menus[nID] = std::move(menu); }
    void SetAccelerators(UINT nID, CAccelTable table) { m_accels[nID] = std::move(table); }
    void SetToolBar(UINT nID, CToolBarResource buttons) { m_toolBars[nID] = std::move(buttons); }

    // nullptr when no table of that identifier exists.
    const CMenuResource* FindMenu(UINT nID) const;
    const CAccelTable* FindAccelerators(UINT nID) const;
    const CToolBarResource* FindToolBar(UINT nID) const;

    void Clear();

private:
    CStringTable m_strings;
    std::map<UINT, CMenuResource> m_menus;
    std::map<UINT, CAccelTable> m_accels;
    std::map<UINT, CToolBarResource> m_toolBars;
};

// The string `nID` of the running program's table; `fallback` when it has none.
inline std::string AfxLoadString(UINT nID, const std::string& fallback = {}) {
    return CResourceTables::App().Strings().Load(nID, fallback);
}
