// A receiver of commands: its message map binds command identifiers to handlers and update
// handlers. The frame offers each command to its targets in turn (see CFrameWnd::OnCmdMsg).
#pragma once

#include "platform/cmd_ui.h"

#include <functional>
#include <map>

class CCmdTarget {
public:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(UINT nID)>;
    using UpdateHandler = std::function<void(CCmdUI* pCmdUI)>;

    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Message-map entries. A later entry for the same identifier replaces the earlier one, so a
    // derived class that maps a command in its constructor overrides its base's handler.
    void OnCommand(UINT nID, Handler handler);
    void OnCommandRange(UINT nFirst, UINT nLast, RangeHandler handler);
    void OnUpdateCommandUI(UINT nID, UpdateHandler handler);
    void OnUpdateCommandUIRange(UINT nFirst, UINT nLast, UpdateHandler handler);
    void RemoveCommand(UINT nID);

    // With pCmdUI null: runs the command's handler. Otherwise runs its update handler and marks
    // pCmdUI handled. Returns false when this target has no entry for the command.
    virtual bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI);

    bool HasCommandHandler(UINT nID) const;

private:
    std::map<UINT, RangeHandler> m_commands;
    std::map<UINT, UpdateHandler> m_updates;
};
