// The script bar: its items, its three lists and where the character list comes from.
#include "frame_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QToolBar>

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

} // namespace

class ScriptBarTest : public MainWindowTest {};

TEST_F(ScriptBarTest, HasFourteenItemsWithTheListsInPlaceOfTheirSeparators) {
    CMainFrame& frame = BuildFrame();
    QToolBar* bar = frame.m_wndScriptBar.GetSafeHwnd();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> items = bar->actions();
    ASSERT_EQ(items.size(), 14);
    const UINT buttons[14] = {
        ID_SCRIPT_SPEAK,   0, ID_SCRIPT_READ,     0, 0, ID_SCRIPT_PLAY, 0, 0, ID_SCRIPT_MOVE, 0, 0,
        ID_SCRIPT_PREVIEW, 0, ID_ADVANCED_OPTIONS};
    const std::map<int, std::pair<QComboBox*, int>> lists = {
        {3, {frame.m_wndScriptBar.m_wndCharacterCombo, 100}},
        {6, {frame.m_wndScriptBar.m_wndAnimationCombo, 120}},
        {9, {frame.m_wndScriptBar.m_wndDestinationCombo, 100}}};
    for (int i = 0; i < 14; ++i) {
        QAction* item = items.at(i);
        if (const auto it = lists.find(i); it != lists.end()) {
            EXPECT_EQ(bar->widgetForAction(item), it->second.first) << i;
            // The width given, or wider where the desktop's font needs it for an entry.
            QComboBox* list = it->second.first;
            EXPECT_GE(list->width(), it->second.second) << i;
            for (int row = 0; row < list->count(); ++row) {
                EXPECT_GE(list->width(), list->fontMetrics().horizontalAdvance(list->itemText(row)))
                    << i << " " << list->itemText(row).toStdString();
            }
        } else if (buttons[i] == 0) {
            EXPECT_TRUE(item->isSeparator()) << i;
        } else {
            EXPECT_EQ(item->data().toUInt(), buttons[i]) << i;
            EXPECT_FALSE(item->icon().isNull()) << i;
            EXPECT_FALSE(item->toolTip().isEmpty()) << i;
        }
    }
    EXPECT_EQ(items.at(11)->toolTip(), "Preview Parlino");
    EXPECT_EQ(items.at(13)->statusTip(), "Select infrequently changed options");
}

TEST_F(ScriptBarTest, ListsAreDropDownListsWithTheirPromptsAndBoldTwelvePixelFont) {
    CMainFrame& frame = BuildFrame();
    const CScriptBar& bar = frame.m_wndScriptBar;
    const std::vector<std::tuple<QComboBox*, QString, QString>> expected = {
        {bar.m_wndCharacterCombo, "Select Character", "Choose Character"},
        {bar.m_wndAnimationCombo, "Select Animation", "Choose Animation"},
        {bar.m_wndDestinationCombo, "Select Destination", "Choose Destination"}};
    for (const auto& [list, tooltip, status] : expected) {
        EXPECT_FALSE(list->isEditable()) << tooltip.toStdString();
        EXPECT_EQ(list->toolTip(), tooltip);
        EXPECT_EQ(list->statusTip(), status);
        EXPECT_TRUE(list->font().bold());
        EXPECT_EQ(list->font().pixelSize(), 12);
        EXPECT_EQ(list->currentIndex(), 0);
    }
    // Only the character list goes without a scroll bar.
    EXPECT_EQ(bar.m_wndCharacterCombo->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(bar.m_wndAnimationCombo->view()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

TEST_F(ScriptBarTest, AnimationAndDestinationListsHoldTheirNamesInOrder) {
    CMainFrame& frame = BuildFrame();
    const QStringList animations = Entries(frame.m_wndScriptBar.m_wndAnimationCombo);
    ASSERT_EQ(animations.size(), 23);
    EXPECT_EQ(animations.first(), "RestPose");
    EXPECT_EQ(animations.at(6), "DontRecognize");
    EXPECT_EQ(animations.at(21), "Wave");
    EXPECT_EQ(animations.last(), "Write");
    EXPECT_EQ(
        Entries(frame.m_wndScriptBar.m_wndDestinationCombo),
        (QStringList{"Upper Left", "Middle Left", "Lower Left", "Upper Center", "Middle Center",
                     "Lower Center", "Upper Right", "Middle Right", "Lower Right"}));
    EXPECT_EQ(frame.m_wndScriptBar.m_wndAnimationCombo->currentText(), "RestPose");
    EXPECT_EQ(frame.m_wndScriptBar.m_wndDestinationCombo->currentText(), "Upper Left");
}

TEST_F(ScriptBarTest, CharacterListHoldsTheWebCharactersThenTheFilesWhoseNamesTagsCanUse) {
    SetCharacterPath(
        MakeFolder(QStringLiteral("chars"),
                   {"genie.acs", "Genie.acs", "merlin.ACS", "notes.txt", "robby.acf", "peedy.acs",
                    "3po.acs", "document.acs", "my char.acs", "Zed_2.acs", "genieRequest.acs"}));
    CMainFrame& frame = BuildFrame();
    QComboBox* list = frame.m_wndScriptBar.m_wndCharacterCombo;
    // The page's own characters first; a file adds a name the script does not know yet (in
    // the script "Genie" is "genie"), in name order, and never one that no tag can use.
    EXPECT_EQ(Entries(list), (QStringList{"genie", "robby", "merlin", "peedy", "Zed_2"}));
    EXPECT_EQ(list->currentText(), "genie");
    // The tip and the status bar say which files were left out, and why.
    for (const QString& tip : {list->toolTip(), list->statusTip()}) {
        EXPECT_TRUE(tip.contains(QLatin1String("left out"))) << tip.toStdString();
        for (const char* file : {"3po.acs", "document.acs", "my char.acs", "genieRequest.acs"})
            EXPECT_TRUE(tip.contains(QLatin1String(file))) << file << " in " << tip.toStdString();
        EXPECT_FALSE(tip.contains(QLatin1String("peedy"))) << tip.toStdString();
    }
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(ScriptBarTest, WithoutCharacterFilesTheWebCharactersAreListedAndNothingIsShown) {
    // An empty folder, and one that does not exist: the same list, no box at start.
    for (const std::string& folder :
         {MakeFolder(QStringLiteral("empty"), {"readme.txt"}),
          m_tmp.filePath(QStringLiteral("no such folder/")).toStdString()}) {
        SetCharacterPath(folder);
        CMainFrame& frame = BuildFrame();
        EXPECT_EQ(Entries(frame.m_wndScriptBar.m_wndCharacterCombo),
                  (QStringList{"genie", "robby", "merlin"}))
            << folder;
        EXPECT_EQ(frame.m_wndScriptBar.m_wndCharacterCombo->currentText(), "genie");
        EXPECT_FALSE(frame.m_wndScriptBar.m_wndCharacterCombo->toolTip().contains("left out"));
        EXPECT_TRUE(m_script.Shown().empty()) << folder;
    }
}

TEST_F(ScriptBarTest, FolderValueIsJoinedToThePatternWithoutASeparator) {
    // Without its trailing '/', "…/chars" + "*.acs" looks beside the folder for names that
    // begin with "chars".
    MakeFolder(QStringLiteral("chars"), {"inside.acs"});
    MakeFolder(QStringLiteral("."), {"charsbeside.acs", "other.acs"});
    SetCharacterPath(m_tmp.filePath(QStringLiteral("chars")).toStdString());
    CMainFrame& frame = BuildFrame();
    EXPECT_EQ(Entries(frame.m_wndScriptBar.m_wndCharacterCombo),
              (QStringList{"genie", "robby", "merlin", "charsbeside"}));
}

TEST_F(ScriptBarTest, EmptyCharacterPathSearchesTheCurrentFolder) {
    const std::string folder = MakeFolder(QStringLiteral("cwd"), {"peedy.acs"});
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder)));
    m_frame = std::make_unique<CMainFrame>();
    ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME));
    EXPECT_EQ(Entries(m_frame->m_wndScriptBar.m_wndCharacterCombo),
              (QStringList{"genie", "robby", "merlin", "peedy"}));
}

TEST_F(ScriptBarTest, FrameCreationFailsWithoutTheScriptBarsTable) {
    CResourceTables::App().SetToolBar(IDW_SCRIPTBAR, {ID_SCRIPT_SPEAK});
    CMainFrame frame;
    EXPECT_FALSE(frame.LoadFrame(IDR_MAINFRAME));
    EXPECT_TRUE(m_script.Shown().empty());
}
