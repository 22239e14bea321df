// One QAction per command identifier, shared by the menu bar and the toolbars. Each action
// takes its status-bar text and tooltip from the command's string (split at "\n"), its keys
// from the accelerator table, and hands its command to `route` when triggered.
#pragma once

#include "platform/resource_tables.h"

#include <QPixmap>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

class CCommandActions {
public:
    using Router = std::function<void(UINT nID)>;
    using MenuHook = std::function<void(QMenu* menu)>;

    // Actions are children of `owner`; `onMenuShow` runs whenever a built menu opens.
    CCommandActions(QWidget* owner, Router route, MenuHook onMenuShow);

    // The command's action, made on first use.
    QAction* Action(UINT nID);
    // nullptr when the command has no action yet.
    QAction* Find(UINT nID) const;
    const std::map<UINT, QAction*>& All() const { return m_actions; }

    // Gives each command of the table its keys (several keys of one command all work; the
    // first is the one menus show).
    void LoadAccelerators(const CAccelTable& table);
    void BuildMenuBar(QMenuBar* bar, const CMenuResource& menu);
    // A pop-up sharing the commands' actions.
    QMenu* BuildMenu(const CMenuEntry& popup, QWidget* parent);
    // A pop-up with actions of its own, so its texts may differ from the menu bar's (a context
    // menu); each action's data is its command identifier and triggering does nothing.
    QMenu* BuildDetachedMenu(const CMenuResource& entries, QWidget* parent);
    // Buttons in order, ID_SEPARATOR as a gap. `images` is a strip of 16 x 15 pictures, one per
    // button, in the order of the buttons; a null pixmap leaves the buttons without pictures.
    void BuildToolBar(QToolBar* toolBar, const CToolBarResource& buttons,
                      const QPixmap& images = {});

private:
    void FillMenu(QMenu* menu, const std::vector<CMenuEntry>& entries, bool detached);

    QWidget* m_owner;
    Router m_route;
    MenuHook m_onMenuShow;
    std::map<UINT, QAction*> m_actions;
};
