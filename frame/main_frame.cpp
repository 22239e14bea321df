#include "frame/main_frame.h"

#include "platform/qt/system_metrics.h"
#include "res/images.h"
#include "res/resource.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

const UINT CMainFrame::kIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                         ID_INDICATOR_SCRL};

CMainFrame::CMainFrame(QWidget* pParent) : CFrameWnd(pParent) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(AppIcon());
    OnCommand(ID_VIEW_SCRIPTBAR, [this] { OnViewScriptBar(); });
    OnUpdateCommandUI(ID_VIEW_SCRIPTBAR, [this](CCmdUI* pCmdUI) { OnUpdateViewScriptBar(pCmdUI); });
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.x = 50;
    cs.y = GetSystemMetrics(SM_CYFULLSCREEN) >= 600 ? 50 : 0;
    cs.cx = 535;
    cs.cy = 450;
    return TRUE;
}

BOOL CMainFrame::LoadFrame(UINT nIDResource) {
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return FALSE;
    move(cs.x, cs.y);
    resize(cs.cx, cs.cy);
    if (!CFrameWnd::LoadFrame(nIDResource))
        return FALSE;
    if (OnCreate() != 0)
        return FALSE;
    // Lists widened for the desktop's font would push the last buttons of the script bar out
    // of sight: the window starts wide enough for the whole bar.
    for (QToolBar* bar : {m_wndToolBar, m_wndScriptBar.GetSafeHwnd()}) {
        const int needed = bar->sizeHint().width() + 2 * bar->x();
        if (width() < needed)
            resize(needed, height());
    }
    return TRUE;
}

int CMainFrame::OnCreate() {
    m_wndToolBar = CreateToolBar(AFX_IDW_TOOLBAR, IDR_MAINFRAME, LoadToolBarBitmap(IDB_MAINFRAME));
    if (m_wndToolBar == nullptr)
        return -1;
    if (!CreateScriptBar())
        return -1;
    m_bScriptBarVisible = 1;
    if (!SetIndicators(std::vector<UINT>(std::begin(kIndicators), std::end(kIndicators))))
        return -1;
    m_wndStatusBar = statusBar();
    // The toolkit cannot tell whether Caps, Num or Scroll Lock is on: panes that always looked
    // "on" would mislead, so they stay out of sight.
    for (UINT nID : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        if (QLabel* pane = GetPane(nID))
            pane->hide();
    }
    // Tooltips, fly-by prompts in the status bar and a bar that may float are what a Qt toolbar
    // gives every button; docking is allowed on every side.
    EnableDocking(Qt::AllToolBarAreas);
    DockControlBar(m_wndToolBar);
    DockControlBar(m_wndScriptBar.GetSafeHwnd());
    return 0;
}

void CMainFrame::OnViewScriptBar() {
    if (m_bScriptBarVisible) {
        ShowControlBar(m_wndScriptBar.GetSafeHwnd(), FALSE, FALSE);
        m_bScriptBarVisible = 0;
    } else {
        ShowControlBar(m_wndScriptBar.GetSafeHwnd(), TRUE, FALSE);
        m_bScriptBarVisible = 1;
    }
}

void CMainFrame::OnUpdateViewScriptBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bScriptBarVisible ? 1 : 0);
    pCmdUI->Enable(TRUE);
}
