#include "platform/cmd_target.h"

void CCmdTarget::OnCommand(UINT nID, Handler handler) {
    m_commands[nID] = [h = std::move(handler)](UINT) { h(); };
}

void CCmdTarget::OnCommandRange(UINT nFirst, UINT nLast, RangeHandler handler) {
    for (UINT id = nFirst; id <= nLast; ++id)
        m_commands[id] = handler;
}

void CCmdTarget::OnUpdateCommandUI(UINT nID, UpdateHandler handler) {
    m_updates[nID] = std::move(handler);
}

void CCmdTarget::OnUpdateCommandUIRange(UINT nFirst, UINT nLast, UpdateHandler handler) {
    for (UINT id = nFirst; id <= nLast; ++id)
        m_updates[id] = handler;
}

void CCmdTarget::RemoveCommand(UINT nID) {
    m_commands.erase(nID);
    m_updates.erase(nID);
}

bool CCmdTarget::OnCmdMsg(UINT nID, CCmdUI* pCmdUI) {
    if (pCmdUI == nullptr) {
        const auto it = m_commands.find(nID);
        if (it == m_commands.end())
            return false;
        // Copy first: a handler may remap its own command.
        const RangeHandler handler = it->second;
        handler(nID);
        return true;
    }
    const auto it = m_updates.find(nID);
    if (it == m_updates.end())
        return false;
    const UpdateHandler handler = it->second;
    handler(pCmdUI);
    pCmdUI->m_bHandled = true;
    return true;
}

bool CCmdTarget::HasCommandHandler(UINT nID) const {
    return m_commands.count(nID) != 0;
}
