#include "framework_fixture.h"

#include "platform/qt/frame_wnd.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr UINT IDR_MAIN = 128;
constexpr UINT ID_FORMAT_BOLD = 32781;
constexpr UINT ID_FORMAT_FONT = 32784;
constexpr UINT ID_SCRIPT_SPEAK = 32774;

class CTestView : public QWidget, public CCmdTarget {};

class CommandRoutingTest : public FrameworkTest {
protected:
    CommandRoutingTest() {
        CResourceTables& res = CResourceTables::App();
        res.Strings().Set(IDR_MAIN, "Parlino\n\nParlo\nParlo Projects (*.plp)\n.plp");
        res.Strings().Set(ID_FILE_SAVE, "Save the active document\nSave");
        res.Strings().Set(ID_FORMAT_BOLD, "Make the selection bold\nBold");
        res.SetMenu(
            IDR_MAIN,
            {CMenuEntry::Sub("&File",
                             {CMenuEntry::Item("&Save\tCtrl+S", ID_FILE_SAVE), CMenuEntry::Sep(),
                              CMenuEntry::Item("Recent File", ID_FILE_MRU_FILE1), CMenuEntry::Sep(),
                              CMenuEntry::Item("E&xit", ID_APP_EXIT)}),
             CMenuEntry::Sub(
                 "&Edit",
                 {CMenuEntry::Sub("F&ont", {CMenuEntry::Item("&Properties...", ID_FORMAT_FONT),
                                            CMenuEntry::Item("&Bold", ID_FORMAT_BOLD)})}),
             CMenuEntry::Sub("&View", {CMenuEntry::Item("&Toolbar", ID_VIEW_TOOLBAR)})});
        res.SetAccelerators(
            IDR_MAIN,
            {{"Ctrl+S", ID_FILE_SAVE}, {"Ctrl+Z", ID_EDIT_UNDO}, {"Alt+Backspace", ID_EDIT_UNDO}});
        res.SetToolBar(IDR_MAIN, {ID_FILE_SAVE, ID_SEPARATOR, ID_FORMAT_BOLD});
        m_frame.LoadFrame(IDR_MAIN);
        m_frame.SetActiveView(&m_view);
        m_frame.SetActiveDocument(&m_doc);
    }
    ~CommandRoutingTest() override { CResourceTables::App().Clear(); }

    QMenu* TopMenu(int index) { return m_frame.menuBar()->actions().at(index)->menu(); }

    CTestView m_view;
    CTestDoc m_doc;
    CFrameWnd m_frame;
};

} // namespace

TEST_F(CommandRoutingTest, aCommandGoesToTheViewThenTheDocumentThenTheFrameThenTheApplication) {
    struct Row {
        bool view, doc, frame, app;
        const char* handledBy;
    };
    const Row rows[] = {
        {true, true, true, true, "view"},    {false, true, true, true, "document"},
        {false, false, true, true, "frame"}, {false, false, false, true, "application"},
        {false, false, false, false, ""},
    };
    constexpr UINT kCommand = 40000;
    for (const Row& row : rows) {
        std::string handledBy;
        const auto map = [&](CCmdTarget& target, bool mapped, const char* name) {
            if (mapped)
                target.OnCommand(kCommand, [&handledBy, name] { handledBy = name; });
            else
                target.RemoveCommand(kCommand);
        };
        map(m_view, row.view, "view");
        map(m_doc, row.doc, "document");
        map(m_frame, row.frame, "frame");
        map(*m_app, row.app, "application");
        m_frame.SendCommand(kCommand);
        EXPECT_EQ(handledBy, row.handledBy);
    }
}

TEST_F(CommandRoutingTest, aTriggeredActionRunsItsCommandOnce) {
    int runs = 0;
    m_view.OnCommand(ID_FORMAT_BOLD, [&] { ++runs; });
    m_frame.UpdateCommandUI();
    m_frame.Actions().Action(ID_FORMAT_BOLD)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(CommandRoutingTest, updateHandlersSetCheckAndEnabledStatesOfTheSharedAction) {
    bool bold = false;
    m_view.OnCommand(ID_FORMAT_BOLD, [&] { bold = !bold; });
    m_view.OnUpdateCommandUI(ID_FORMAT_BOLD, [&](CCmdUI* pCmdUI) { pCmdUI->SetCheck(bold); });
    m_doc.OnUpdateCommandUI(ID_FILE_SAVE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); });
    m_frame.UpdateCommandUI();
    QAction* boldAction = m_frame.Actions().Find(ID_FORMAT_BOLD);
    ASSERT_NE(boldAction, nullptr);
    EXPECT_TRUE(boldAction->isCheckable());
    EXPECT_FALSE(boldAction->isChecked());
    EXPECT_FALSE(m_frame.Actions().Find(ID_FILE_SAVE)->isEnabled());

    // The caret moves into bold text: the view tells the frame.
    bold = true;
    m_frame.UpdateCommandUI();
    EXPECT_TRUE(boldAction->isChecked());
    // Choosing the command flips the state and the check follows at once.
    boldAction->trigger();
    EXPECT_FALSE(boldAction->isChecked());
}

TEST_F(CommandRoutingTest, aCommandWithoutUpdateHandlerIsEnabledExactlyWhenSomeTargetHandlesIt) {
    m_frame.UpdateCommandUI();
    EXPECT_FALSE(m_frame.Actions().Find(ID_FORMAT_FONT)->isEnabled());
    m_view.OnCommand(ID_FORMAT_FONT, [] {});
    m_frame.UpdateCommandUI();
    EXPECT_TRUE(m_frame.Actions().Find(ID_FORMAT_FONT)->isEnabled());
    // The document's own Save and the application's Exit are handled by the framework.
    EXPECT_TRUE(m_frame.Actions().Find(ID_FILE_SAVE)->isEnabled());
    EXPECT_TRUE(m_frame.Actions().Find(ID_APP_EXIT)->isEnabled());
}

TEST_F(CommandRoutingTest, openingAMenuRunsTheUpdateHandlersOfItsEntries) {
    bool enabled = true;
    m_view.OnCommand(ID_FORMAT_FONT, [] {});
    m_view.OnUpdateCommandUI(ID_FORMAT_FONT, [&](CCmdUI* pCmdUI) { pCmdUI->Enable(enabled); });
    m_frame.UpdateCommandUI();
    enabled = false;
    QMenu* font = TopMenu(1)->actions().at(0)->menu();
    ASSERT_NE(font, nullptr);
    emit font->aboutToShow();
    EXPECT_FALSE(m_frame.Actions().Find(ID_FORMAT_FONT)->isEnabled());
}

TEST_F(CommandRoutingTest, promptsSplitIntoStatusTextAndTooltip) {
    QAction* save = m_frame.Actions().Find(ID_FILE_SAVE);
    EXPECT_EQ(save->statusTip(), "Save the active document");
    EXPECT_EQ(save->toolTip(), "Save");
    EXPECT_EQ(save->text(), "&Save\tCtrl+S");
    // Without a string of its own, the tooltip is the plain menu text.
    EXPECT_EQ(m_frame.Actions().Find(ID_FORMAT_FONT)->toolTip(), "Properties...");
    EXPECT_EQ(m_frame.Actions().Find(ID_FORMAT_FONT)->statusTip(), "");
}

TEST_F(CommandRoutingTest, hoveringAnEntryShowsTheFirstHalfOfItsPromptInTheStatusBar) {
    m_frame.SetIndicators({ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
    m_frame.Actions().Find(ID_FILE_SAVE)->showStatusText(&m_frame);
    EXPECT_EQ(m_frame.statusBar()->currentMessage(), "Save the active document");
    EXPECT_EQ(m_frame.GetPane(ID_SEPARATOR)->text(), "Ready");
    EXPECT_EQ(m_frame.GetPane(ID_INDICATOR_NUM)->text(), "NUM");
}

TEST(StringPrompt, splitsAtTheFirstLineBreak) {
    struct Row {
        const char* text;
        const char* status;
        const char* tooltip;
    };
    const Row rows[] = {
        {"Preview Parlino before sending\nPreview Parlino", "Preview Parlino before sending",
         "Preview Parlino"},
        {"Edit the HTML source code", "Edit the HTML source code", ""},
        {"\nOnly a tooltip", "", "Only a tooltip"},
        {"a\nb\nc", "a", "b\nc"},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        const CPrompt prompt = SplitPrompt(row.text);
        EXPECT_EQ(prompt.status, row.status) << row.text;
        EXPECT_EQ(prompt.tooltip, row.tooltip) << row.text;
    }
}

TEST_F(CommandRoutingTest, everyKeyOfACommandReachesItsOneAction) {
    const QList<QKeySequence> keys = m_frame.Actions().Find(ID_EDIT_UNDO)->shortcuts();
    EXPECT_EQ(keys, (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    EXPECT_EQ(m_frame.Actions().Find(ID_FILE_SAVE)->shortcut(), QKeySequence("Ctrl+S"));
}

TEST_F(CommandRoutingTest, aToolbarSharesTheMenusActionsAndKeepsItsSeparators) {
    QToolBar* bar = m_frame.CreateToolBar(AFX_IDW_TOOLBAR, IDR_MAIN);
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> buttons = bar->actions();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0], m_frame.Actions().Find(ID_FILE_SAVE));
    EXPECT_TRUE(buttons[1]->isSeparator());
    EXPECT_EQ(buttons[2], m_frame.Actions().Find(ID_FORMAT_BOLD));
    EXPECT_TRUE(TopMenu(0)->actions().contains(buttons[0]));
}

TEST_F(CommandRoutingTest, theToolbarCommandHidesAndShowsTheBarAndItsCheckFollows) {
    QToolBar* bar = m_frame.CreateToolBar(AFX_IDW_TOOLBAR, IDR_MAIN);
    m_frame.DockControlBar(bar);
    QAction* toggle = m_frame.Actions().Find(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(toggle->isChecked());
}

TEST_F(CommandRoutingTest, theRecentFileEntriesFollowTheList) {
    m_frame.UpdateCommandUI();
    QAction* first = m_frame.Actions().Find(ID_FILE_MRU_FILE1);
    QAction* second = m_frame.Actions().Find(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(first->text(), "Recent File");
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(second->isVisible());

    m_app->AddToRecentFileList(PathOf("one.plp"));
    m_app->AddToRecentFileList(PathOf("two.plp"));
    m_frame.UpdateCommandUI();
    EXPECT_EQ(first->text().toStdString(), "&1 " + PathOf("two.plp"));
    EXPECT_TRUE(first->isEnabled());
    EXPECT_EQ(second->text().toStdString(), "&2 " + PathOf("one.plp"));
    EXPECT_FALSE(m_frame.Actions().Find(ID_FILE_MRU_FILE1 + 2)->isVisible());
}

TEST_F(CommandRoutingTest, aContextMenuHasItsOwnTextsAndRoutesTheChosenCommand) {
    int fonts = 0;
    m_view.OnCommand(ID_FORMAT_FONT, [&] { ++fonts; });
    const CMenuResource context = {CMenuEntry::Item("&Font...", ID_FORMAT_FONT), CMenuEntry::Sep(),
                                   CMenuEntry::Item("&Speak", ID_SCRIPT_SPEAK)};
    m_script.Push(CModalScript::ChooseCommand(ID_FORMAT_FONT));
    EXPECT_EQ(m_frame.TrackPopupMenu(context, QPoint(10, 10)), ID_FORMAT_FONT);
    EXPECT_EQ(fonts, 1);
    EXPECT_EQ(m_script.Last().kind, "QMenu");
    EXPECT_EQ(m_script.Last().text, "&Font...\n&Speak");
    // The menu bar's entry keeps its own text.
    EXPECT_EQ(m_frame.Actions().Find(ID_FORMAT_FONT)->text(), "&Properties...");

    // Speak has no handler here, so it is greyed and cannot be chosen; dismissing chooses
    // nothing.
    m_script.Push(CModalScript::ChooseCommand(ID_SCRIPT_SPEAK));
    m_script.Push(CModalScript::ChooseCommand(0));
    EXPECT_EQ(m_frame.TrackPopupMenu(context, QPoint(10, 10)), 0u);
    EXPECT_EQ(m_frame.TrackPopupMenu(context, QPoint(10, 10)), 0u);
    EXPECT_EQ(fonts, 1);
}
