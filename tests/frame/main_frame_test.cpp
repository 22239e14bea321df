// The main window: where it opens, its menus, toolbar, status bar and the View menu's toggles,
// all as the resource tables give them.
#include "frame_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

namespace {

QString PlainPrompt(UINT nID, bool tooltip) {
    const CPrompt prompt = CResourceTables::App().Strings().Prompt(nID);
    return QString::fromStdString(tooltip ? prompt.tooltip : prompt.status);
}

// Compares the widgets of a menu with the table's entries, entry by entry.
void ExpectMenuMatches(const QList<QAction*>& actions, const std::vector<CMenuEntry>& entries,
                       const std::string& where) {
    // The recent-file entry stands for the list: hidden entries for the rest of it follow.
    QList<QAction*> shown;
    for (QAction* action : actions) {
        const UINT nID = action->data().toUInt();
        if (nID > ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE4)
            continue;
        shown << action;
    }
    ASSERT_EQ(shown.size(), static_cast<qsizetype>(entries.size())) << where;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CMenuEntry& entry = entries[i];
        QAction* action = shown.at(static_cast<qsizetype>(i));
        const std::string at = where + " entry " + std::to_string(i);
        switch (entry.kind) {
        case CMenuEntry::Separator:
            EXPECT_TRUE(action->isSeparator()) << at;
            break;
        case CMenuEntry::Popup:
            ASSERT_NE(action->menu(), nullptr) << at;
            EXPECT_EQ(action->text().toStdString(), entry.text) << at;
            ExpectMenuMatches(action->menu()->actions(), entry.entries, at + " " + entry.text);
            break;
        case CMenuEntry::Command:
            EXPECT_EQ(action->data().toUInt(), entry.nID) << at;
            if (entry.nID != ID_FILE_MRU_FILE1) {
                EXPECT_EQ(action->text().toStdString(), entry.text) << at;
            }
            EXPECT_EQ(action->statusTip(), PlainPrompt(entry.nID, false)) << at;
            break;
        }
    }
}

} // namespace

class MainFrameTest : public MainWindowTest {};

namespace {

// 535 by 450, or wider where the script bar needs more in the desktop's font, so that none of
// its buttons hides behind the bar's overflow.
void ExpectFirstSize(CMainFrame& frame, int screen) {
    EXPECT_EQ(frame.height(), 450) << screen;
    EXPECT_GE(frame.width(), 535) << screen;
    QToolBar* bar = frame.m_wndScriptBar.GetSafeHwnd();
    EXPECT_GE(frame.width(), bar->sizeHint().width()) << screen;
    if (bar->sizeHint().width() + 2 * bar->x() <= 535) {
        EXPECT_EQ(frame.width(), 535) << screen;
    }
}

} // namespace

TEST_F(MainFrameTest, OpensFiftyPixelsDownOnScreensAtLeastSixHundredHigh) {
    for (int height : {600, 740, 1040}) {
        SetSystemMetricOverride(SM_CYFULLSCREEN, height);
        CMainFrame& frame = BuildFrame();
        EXPECT_EQ(frame.pos(), QPoint(50, 50)) << height;
        ExpectFirstSize(frame, height);
    }
}

TEST_F(MainFrameTest, OpensAtTheTopEdgeOnScreensUnderSixHundredHigh) {
    for (int height : {599, 570, 400}) {
        SetSystemMetricOverride(SM_CYFULLSCREEN, height);
        CMainFrame& frame = BuildFrame();
        EXPECT_EQ(frame.pos(), QPoint(50, 0)) << height;
        ExpectFirstSize(frame, height);
    }
}

TEST_F(MainFrameTest, MenuBarShowsTheMainMenuTableWithItsPrompts) {
    CMainFrame& frame = BuildFrame();
    const CMenuResource* menu = CResourceTables::App().FindMenu(IDR_MAINFRAME);
    ASSERT_NE(menu, nullptr);
    ExpectMenuMatches(frame.menuBar()->actions(), *menu, "menu bar");

    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Script", "&View", "&Help"}));
}

TEST_F(MainFrameTest, ToolbarButtonsFollowTheTableWithTooltipsPromptsAndPictures) {
    CMainFrame& frame = BuildFrame();
    ASSERT_NE(frame.m_wndToolBar, nullptr);
    const CToolBarResource& table = *CResourceTables::App().FindToolBar(IDR_MAINFRAME);
    const QList<QAction*> buttons = frame.m_wndToolBar->actions();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(table.size()));
    for (std::size_t i = 0; i < table.size(); ++i) {
        QAction* button = buttons.at(static_cast<qsizetype>(i));
        if (table[i] == ID_SEPARATOR) {
            EXPECT_TRUE(button->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(button->data().toUInt(), table[i]) << i;
        EXPECT_EQ(button->toolTip(), PlainPrompt(table[i], true)) << i;
        EXPECT_EQ(button->statusTip(), PlainPrompt(table[i], false)) << i;
        EXPECT_FALSE(button->icon().isNull()) << i;
    }
    EXPECT_EQ(table.size(), 24u);
    EXPECT_EQ(table.front(), ID_FILE_NEW);
    EXPECT_EQ(table.back(), ID_APP_ABOUT);
    EXPECT_EQ(buttons.at(11)->toolTip(), "Bold");
    EXPECT_EQ(buttons.at(21)->statusTip(), "Change the background color of the Parlino");
}

TEST_F(MainFrameTest, StatusBarHasTheMessagePaneThenCapsNumAndScroll) {
    CMainFrame& frame = BuildFrame();
    ASSERT_NE(frame.m_wndStatusBar, nullptr);
    EXPECT_EQ(frame.GetControlBar(ID_VIEW_STATUS_BAR), frame.m_wndStatusBar);
    ASSERT_NE(frame.GetPane(ID_SEPARATOR), nullptr);
    EXPECT_EQ(frame.GetPane(ID_SEPARATOR)->text(), "Ready");
    EXPECT_EQ(frame.GetPane(ID_INDICATOR_CAPS)->text(), "CAP");
    EXPECT_EQ(frame.GetPane(ID_INDICATOR_NUM)->text(), "NUM");
    EXPECT_EQ(frame.GetPane(ID_INDICATOR_SCRL)->text(), "SCRL");
    // Left to right: the indicators in the order given.
    frame.show();
    EXPECT_LT(frame.GetPane(ID_INDICATOR_CAPS)->mapTo(&frame, QPoint()).x(),
              frame.GetPane(ID_INDICATOR_NUM)->mapTo(&frame, QPoint()).x());
    EXPECT_LT(frame.GetPane(ID_INDICATOR_NUM)->mapTo(&frame, QPoint()).x(),
              frame.GetPane(ID_INDICATOR_SCRL)->mapTo(&frame, QPoint()).x());
}

TEST_F(MainFrameTest, ScriptBarLiesInTheRowBelowTheToolbar) {
    CMainFrame& frame = BuildFrame();
    frame.show();
    QToolBar* script = frame.m_wndScriptBar.GetSafeHwnd();
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(frame.toolBarArea(frame.m_wndToolBar), Qt::TopToolBarArea);
    EXPECT_EQ(frame.toolBarArea(script), Qt::TopToolBarArea);
    EXPECT_TRUE(frame.toolBarBreak(script));
    EXPECT_GT(script->y(), frame.m_wndToolBar->y());
    EXPECT_TRUE(script->isMovable());
}

TEST_F(MainFrameTest, ScriptBarToggleHidesAndShowsTheBarWithItsCheckMark) {
    CMainFrame& frame = BuildFrame();
    frame.show();
    QAction* toggle = frame.Actions().Find(ID_VIEW_SCRIPTBAR);
    ASSERT_NE(toggle, nullptr);
    QToolBar* script = frame.m_wndScriptBar.GetSafeHwnd();

    EXPECT_EQ(frame.m_bScriptBarVisible, 1);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(toggle->isEnabled());

    frame.SendCommand(ID_VIEW_SCRIPTBAR);
    EXPECT_EQ(frame.m_bScriptBarVisible, 0);
    EXPECT_TRUE(script->isHidden());
    EXPECT_FALSE(toggle->isChecked());

    frame.SendCommand(ID_VIEW_SCRIPTBAR);
    EXPECT_EQ(frame.m_bScriptBarVisible, 1);
    EXPECT_FALSE(script->isHidden());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(frame.toolBarArea(script), Qt::TopToolBarArea);
}

TEST_F(MainFrameTest, ToolbarAndStatusBarChecksFollowTheBarsVisibility) {
    CMainFrame& frame = BuildFrame();
    frame.show();
    for (UINT nID : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        QAction* toggle = frame.Actions().Find(nID);
        ASSERT_NE(toggle, nullptr);
        QWidget* bar = frame.GetControlBar(nID);
        ASSERT_NE(bar, nullptr) << nID;
        EXPECT_TRUE(toggle->isChecked()) << nID;
        frame.SendCommand(nID);
        EXPECT_TRUE(bar->isHidden()) << nID;
        EXPECT_FALSE(toggle->isChecked()) << nID;
        frame.SendCommand(nID);
        EXPECT_FALSE(bar->isHidden()) << nID;
        EXPECT_TRUE(toggle->isChecked()) << nID;
    }
    // The script bar's own record is untouched by the other bars.
    EXPECT_EQ(frame.m_bScriptBarVisible, 1);
}

TEST_F(MainFrameTest, AcceleratorsGiveEveryKeyOfTheTable) {
    CMainFrame& frame = BuildFrame();
    auto keysOf = [&frame](UINT nID) {
        QStringList keys;
        if (QAction* action = frame.Actions().Find(nID)) {
            for (const QKeySequence& key : action->shortcuts())
                keys << key.toString();
        }
        return keys;
    };
    EXPECT_EQ(keysOf(ID_EDIT_UNDO), (QStringList{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keysOf(ID_EDIT_REDO), (QStringList{"Ctrl+Y", "Ctrl+Shift+Z"}));
    EXPECT_EQ(keysOf(ID_FORMAT_BOLD), (QStringList{"Ctrl+B"}));
    EXPECT_EQ(keysOf(ID_FORMAT_ITALIC), (QStringList{"Ctrl+I"}));
    EXPECT_EQ(keysOf(ID_FORMAT_UNDERLINE), (QStringList{"Ctrl+U"}));
    EXPECT_EQ(keysOf(ID_EDIT_CUT), (QStringList{"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(keysOf(ID_EDIT_COPY), (QStringList{"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keysOf(ID_EDIT_PASTE), (QStringList{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keysOf(ID_EDIT_REPEAT), (QStringList{"F3"}));
    EXPECT_EQ(keysOf(ID_OLE_EDIT_PROPERTIES), (QStringList{"Alt+Return"}));
    EXPECT_EQ(keysOf(ID_PREV_PANE), (QStringList{"Shift+F6"}));
    EXPECT_EQ(keysOf(ID_CANCEL_EDIT_CNTR), (QStringList{"Esc"}));
    EXPECT_EQ(CResourceTables::App().FindAccelerators(IDR_MAINFRAME)->size(), 24u);
}

TEST_F(MainFrameTest, StringTableHoldsTheApplicationsOwnTexts) {
    const CStringTable& s = CResourceTables::App().Strings();
    EXPECT_EQ(s.Load(IDR_MAINFRAME),
              "Parlino\n\nParlo\nParlo Projects (*.plp)\n.plp\nParlo.Project\nParlo Project");
    EXPECT_EQ(s.Load(AFX_IDS_APP_TITLE), "Parl");
    EXPECT_EQ(s.Load(IDP_OLE_INIT_FAILED),
              "OLE initialization failed.  Make sure that the OLE libraries are the correct "
              "version.");
    EXPECT_EQ(s.Load(IDP_SOCKETS_INIT_FAILED), "Windows sockets initialization failed.");
    EXPECT_EQ(s.Load(ID_PARA_RIGHT), "Set paragraph to right justify\nRight Align");
    EXPECT_EQ(s.Load(ID_EDIT_HTML), "Edit the HTML source code");
    EXPECT_EQ(s.Prompt(ID_ADVANCED_OPTIONS).tooltip, "Change Advanced Options");
    EXPECT_EQ(s.Prompt(ID_SCRIPT_SPEAK).tooltip, "Speak UnWritten");
}

TEST_F(MainFrameTest, TitleIsTheWindowTitleOfTheDocumentString) {
    CMainFrame& frame = BuildFrame();
    EXPECT_EQ(frame.GetTitle(), "Parlino");
}
