// The framework's frame window: a main window with the menu bar, accelerators, toolbars and
// status bar built from the resource tables, one QAction per command, and command routing.
//
// A command chosen from a menu, a button or a key goes to the active view, then the active
// document, then the frame itself, then the application: the first whose message map has the
// command handles it. Update handlers are found the same way; a command whose update handler
// does not decide its enabled state (or that has none) is enabled exactly when some target
// handles it. They run when a menu
// opens, after every command, when the window is shown or activated, and whenever
// UpdateCommandUI is called (the view calls it when the selection or the text changes, so
// toolbar buttons follow the caret). A disabled action ignores its keys, so a target that maps
// a command after it was attached calls UpdateCommandUI too.
//
// The title reads "<document title> - <window title>", with an asterisk while the document is
// modified. Files dropped on the frame are opened by the application.
#pragma once

#include "platform/cmd_target.h"
#include "platform/qt/command_actions.h"

#include <QMainWindow>
#include <map>
#include <string>
#include <vector>

class CDocument;
class QLabel;

class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT

public:
    explicit CFrameWnd(QWidget* pParent = nullptr);
    ~CFrameWnd() override;

    // Takes the menu and accelerators of `nIDResource` and the window title from the first
    // "\n"-separated field of its string. FALSE when the resource has no menu.
    virtual BOOL LoadFrame(UINT nIDResource);

    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
    // Runs a command as if it were chosen from the menu, then brings every command's state up
    // to date.
    void SendCommand(UINT nID);
    void UpdateCommandUI();

    // The view gets the keyboard: when it becomes the active view and after every command.
    void SetActiveView(QWidget* pView);
    void FocusView();
    QWidget* GetActiveView() const { return m_pView; }
    void SetActiveDocument(CDocument* pDoc);
    CDocument* GetActiveDocument() const { return m_pDoc; }

    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_strTitle; }
    void OnUpdateFrameTitle();

    // Bars. A toolbar takes its buttons from the toolbar resource `nIDResource` (or the list
    // given) and is known afterwards by `nIDBar`, which View menu commands of the same
    // identifier show and hide.
    QToolBar* CreateToolBar(UINT nIDBar, UINT nIDResource, const QPixmap& images = {});
    QToolBar* CreateToolBar(UINT nIDBar, const CToolBarResource& buttons,
                            const QPixmap& images = {});
    void EnableDocking(Qt::ToolBarAreas areas = Qt::AllToolBarAreas);
    // Docks the bar at the top, in a row of its own below the bars docked before.
    void DockControlBar(QToolBar* pBar);
    void ShowControlBar(QWidget* pBar, BOOL bShow, BOOL bDelay = FALSE);
    QWidget* GetControlBar(UINT nID) const;

    // The status bar: the message pane (ID_SEPARATOR) first, then indicator panes whose texts
    // come from their strings.
    BOOL SetIndicators(const std::vector<UINT>& panes);
    QLabel* GetPane(UINT nID) const;
    // Shows `text` in the message pane; an empty text shows the idle message again.
    void SetMessageText(const std::string& text);

    // Shows a context menu built from `menu` (texts of its own, states from the update
    // handlers) at `globalPos` through the modal seam, and routes the chosen command. Returns
    // the command chosen, 0 for none.
    UINT TrackPopupMenu(const CMenuResource& menu, const QPoint& globalPos);

    void DragAcceptFiles(BOOL bAccept = TRUE) { setAcceptDrops(bAccept != FALSE); }

    CCommandActions& Actions() { return m_actions; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::vector<CCmdTarget*> Targets();
    // Runs the update handlers of `nID` and applies what they set to `action`.
    void UpdateAction(QAction* action, UINT nID);
    void ToggleBar(UINT nID);

    CCommandActions m_actions;
    QWidget* m_pView = nullptr;
    CDocument* m_pDoc = nullptr;
    std::string m_strTitle;
    std::map<UINT, QWidget*> m_bars;
    std::map<UINT, QLabel*> m_panes;
    QLabel* m_pIdleLabel = nullptr;
};
