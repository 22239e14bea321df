#include "platform/resource_tables.h"

namespace {

template <typename Map> const typename Map::mapped_type* FindIn(const Map& map, UINT nID) {
    const auto it = map.find(nID);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

CResourceTables& CResourceTables::App() {
    static CResourceTables tables;
    return tables;
}

const CMenuResource* CResourceTables::FindMenu(UINT nID) const {
    return FindIn(m_menus, nID);
}

const CAccelTable* CResourceTables::FindAccelerators(UINT nID) const {
    return FindIn(m_accels, nID);
}

const CToolBarResource* CResourceTables::FindToolBar(UINT nID) const {
    return FindIn(m_toolBars, nID);
}

void CResourceTables::Clear() {
    m_strings.Clear();
    m_menus.clear();
    m_accels.clear();
    m_toolBars.clear();
}
