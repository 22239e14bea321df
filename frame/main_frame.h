// The program's main window: the editor view in its client area, the standard toolbar, the
// script bar and the status bar. It opens 535 by 450 pixels at x 50, y 50 (y 0 on a screen
// whose free height is under 600 pixels).
#pragma once

#include "frame/script_bar.h"
#include "platform/qt/frame_wnd.h"

class QStatusBar;
class QToolBar;

// The window's first place and size, as PreCreateWindow decides them.
struct CREATESTRUCT {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

class CMainFrame : public CFrameWnd {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // Places and sizes the window, then builds the menu, accelerators and bars (OnCreate).
    BOOL LoadFrame(UINT nIDResource) override;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Builds the toolbar, the script bar and the status bar and docks the bars; -1 when a bar
    // cannot be built.
    int OnCreate();
    // Builds the script bar and fills its lists; 0 on failure.
    BOOL CreateScriptBar();

    void OnViewScriptBar();
    void OnUpdateViewScriptBar(CCmdUI* pCmdUI);

    // Members, public: the view reads the script bar's lists through the frame.
    CScriptBar m_wndScriptBar;
    int m_bScriptBarVisible = 0;
    QStatusBar* m_wndStatusBar = nullptr; // the window's own status bar, once its panes are set
    QToolBar* m_wndToolBar = nullptr;     // the standard toolbar

    // The status bar's panes, in order.
    static const UINT kIndicators[4];
};
