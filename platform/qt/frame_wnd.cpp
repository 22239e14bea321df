#include "platform/qt/frame_wnd.h"

#include "platform/afx_ids.h"
#include "platform/document.h"
#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"
#include "platform/qt/win_app.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <memory>

namespace {

std::string FirstField(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Built-in texts of the framework's indicators, for string tables that lack them.
std::string IndicatorText(UINT nID) {
    switch (nID) {
    case ID_INDICATOR_CAPS:
        return AfxLoadString(nID, "CAP");
    case ID_INDICATOR_NUM:
        return AfxLoadString(nID, "NUM");
    case ID_INDICATOR_SCRL:
        return AfxLoadString(nID, "SCRL");
    default:
        return AfxLoadString(nID);
    }
}

} // namespace

CFrameWnd::CFrameWnd(QWidget* pParent)
    : QMainWindow(pParent), m_actions(
                                this, [this](UINT nID) { SendCommand(nID); },
                                [this](QMenu* menu) {
                                    for (QAction* action : menu->actions()) {
                                        if (!action->isSeparator() && action->menu() == nullptr)
                                            UpdateAction(action, action->data().toUInt());
                                    }
                                }) {
    OnCommand(ID_VIEW_TOOLBAR, [this] { ToggleBar(ID_VIEW_TOOLBAR); });
    OnCommand(ID_VIEW_STATUS_BAR, [this] { ToggleBar(ID_VIEW_STATUS_BAR); });
    for (UINT nID : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        OnUpdateCommandUI(nID, [this, nID](CCmdUI* pCmdUI) {
            QWidget* bar = GetControlBar(nID);
            pCmdUI->Enable(bar != nullptr);
            pCmdUI->SetCheck(bar != nullptr && !bar->isHidden());
        });
    }
}

CFrameWnd::~CFrameWnd() {
    if (m_pDoc != nullptr)
        m_pDoc->SetChangeListener({});
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource) {
    const CResourceTables& res = CResourceTables::App();
    SetTitle(FirstField(res.Strings().Load(nIDResource)));
    if (const CAccelTable* accels = res.FindAccelerators(nIDResource))
        m_actions.LoadAccelerators(*accels);
    const CMenuResource* menu = res.FindMenu(nIDResource);
    if (menu == nullptr)
        return FALSE;
    m_actions.BuildMenuBar(menuBar(), *menu);
    UpdateCommandUI();
    return TRUE;
}

std::vector<CCmdTarget*> CFrameWnd::Targets() {
    std::vector<CCmdTarget*> targets;
    if (auto* view = dynamic_cast<CCmdTarget*>(m_pView))
        targets.push_back(view);
    if (m_pDoc != nullptr)
        targets.push_back(m_pDoc);
    return targets;
}

bool CFrameWnd::OnCmdMsg(UINT nID, CCmdUI* pCmdUI) {
    for (CCmdTarget* target : Targets()) {
        if (target->OnCmdMsg(nID, pCmdUI))
            return true;
    }
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, pCmdUI);
}

void CFrameWnd::SendCommand(UINT nID) {
    OnCmdMsg(nID, nullptr);
    // After New, Open or a dialog the keyboard goes back to the message, wherever it was
    // before the command.
    FocusView();
    UpdateCommandUI();
}

void CFrameWnd::FocusView() {
    if (m_pView != nullptr && m_pView->window() == this)
        m_pView->setFocus(Qt::OtherFocusReason);
}

void CFrameWnd::UpdateAction(QAction* action, UINT nID) {
    CCmdUI ui(nID);
    OnCmdMsg(nID, &ui);
    // An update handler that leaves the enabled state alone leaves it to the command handlers.
    if (!ui.Enabled()) {
        bool handled = false;
        for (CCmdTarget* target : Targets())
            handled = handled || target->HasCommandHandler(nID);
        CWinApp* app = AfxGetApp();
        handled =
            handled || HasCommandHandler(nID) || (app != nullptr && app->HasCommandHandler(nID));
        ui.Enable(handled);
    }
    if (ui.Enabled())
        action->setEnabled(*ui.Enabled());
    if (ui.Check()) {
        action->setCheckable(true);
        action->setChecked(*ui.Check() != 0);
    }
    if (ui.Text())
        action->setText(ParlTr(*ui.Text()));
    if (ui.Visible())
        action->setVisible(*ui.Visible());
}

void CFrameWnd::UpdateCommandUI() {
    for (const auto& [nID, action] : m_actions.All())
        UpdateAction(action, nID);
    OnUpdateFrameTitle();
}

void CFrameWnd::SetActiveView(QWidget* pView) {
    m_pView = pView;
    // Without a focus of its own the window would give the keyboard to the first control that
    // takes it, a list of the script bar, when it is first activated.
    FocusView();
    UpdateCommandUI();
}

void CFrameWnd::SetActiveDocument(CDocument* pDoc) {
    if (m_pDoc != nullptr)
        m_pDoc->SetChangeListener({});
    m_pDoc = pDoc;
    if (m_pDoc != nullptr)
        m_pDoc->SetChangeListener([this] { OnUpdateFrameTitle(); });
    UpdateCommandUI();
}

void CFrameWnd::SetTitle(const std::string& title) {
    m_strTitle = title;
    OnUpdateFrameTitle();
}

void CFrameWnd::OnUpdateFrameTitle() {
    const QString app = QString::fromStdString(m_strTitle);
    if (m_pDoc == nullptr) {
        setWindowTitle(app);
        return;
    }
    QString title = QString::fromStdString(m_pDoc->ShownTitle()) + QStringLiteral("[*]");
    if (!app.isEmpty())
        title += QStringLiteral(" - ") + app;
    setWindowTitle(title);
    setWindowModified(m_pDoc->IsModified() != FALSE);
}

QToolBar* CFrameWnd::CreateToolBar(UINT nIDBar, UINT nIDResource, const QPixmap& images) {
    const CToolBarResource* buttons = CResourceTables::App().FindToolBar(nIDResource);
    return buttons != nullptr ? CreateToolBar(nIDBar, *buttons, images) : nullptr;
}

QToolBar* CFrameWnd::CreateToolBar(UINT nIDBar, const CToolBarResource& buttons,
                                   const QPixmap& images) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("bar%1").arg(nIDBar));
    bar->setIconSize(QSize(16, 15));
    bar->setAllowedAreas(Qt::NoToolBarArea);
    bar->setFloatable(false);
    bar->setMovable(false);
    m_actions.BuildToolBar(bar, buttons, images);
    m_bars[nIDBar] = bar;
    UpdateCommandUI();
    return bar;
}

void CFrameWnd::EnableDocking(Qt::ToolBarAreas areas) {
    for (const auto& [nID, bar] : m_bars) {
        if (auto* toolBar = qobject_cast<QToolBar*>(bar)) {
            toolBar->setAllowedAreas(areas);
            toolBar->setMovable(areas != Qt::NoToolBarArea);
            toolBar->setFloatable(areas != Qt::NoToolBarArea);
        }
    }
}

void CFrameWnd::DockControlBar(QToolBar* pBar) {
    bool rowTaken = false;
    for (const QToolBar* other : findChildren<QToolBar*>()) {
        if (other != pBar && toolBarArea(other) == Qt::TopToolBarArea)
            rowTaken = true;
    }
    if (rowTaken)
        addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, pBar);
}

void CFrameWnd::ShowControlBar(QWidget* pBar, BOOL bShow, BOOL) {
    if (pBar == nullptr)
        return;
    pBar->setVisible(bShow != FALSE);
    UpdateCommandUI();
}

QWidget* CFrameWnd::GetControlBar(UINT nID) const {
    const auto it = m_bars.find(nID);
    return it == m_bars.end() ? nullptr : it->second;
}

void CFrameWnd::ToggleBar(UINT nID) {
    if (QWidget* bar = GetControlBar(nID))
        ShowControlBar(bar, bar->isHidden() ? TRUE : FALSE);
}

BOOL CFrameWnd::SetIndicators(const std::vector<UINT>& panes) {
    QStatusBar* bar = statusBar();
    m_bars[AFX_IDW_STATUS_BAR] = bar;
    for (UINT nID : panes) {
        if (nID == ID_SEPARATOR) {
            if (m_pIdleLabel == nullptr) {
                m_pIdleLabel = new QLabel(bar);
                bar->addWidget(m_pIdleLabel, 1);
            }
            m_pIdleLabel->setText(ParlTr(AfxLoadString(AFX_IDS_IDLEMESSAGE, "Ready")));
            continue;
        }
        auto* pane = new QLabel(ParlTr(IndicatorText(nID)), bar);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_panes[nID] = pane;
    }
    UpdateCommandUI();
    return TRUE;
}

QLabel* CFrameWnd::GetPane(UINT nID) const {
    if (nID == ID_SEPARATOR)
        return m_pIdleLabel;
    const auto it = m_panes.find(nID);
    return it == m_panes.end() ? nullptr : it->second;
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (text.empty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(ParlTr(text));
}

UINT CFrameWnd::TrackPopupMenu(const CMenuResource& menu, const QPoint& globalPos) {
    std::unique_ptr<QMenu> popup(m_actions.BuildDetachedMenu(menu, this));
    for (QAction* action : popup->actions()) {
        if (!action->isSeparator() && action->menu() == nullptr)
            UpdateAction(action, action->data().toUInt());
    }
    const UINT nID = CModalSeam::TrackMenu(*popup, globalPos);
    popup.reset();
    if (nID != 0)
        SendCommand(nID);
    return nID;
}

void CFrameWnd::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateCommandUI();
}

void CFrameWnd::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    UpdateCommandUI();
}

void CFrameWnd::closeEvent(QCloseEvent* event) {
    if (m_pDoc != nullptr && !m_pDoc->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CFrameWnd::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        event->acceptProposedAction();
        activateWindow();
        if (CWinApp* app = AfxGetApp())
            app->OpenDocumentFile(url.toLocalFile().toStdString());
        FocusView();
        return;
    }
}
