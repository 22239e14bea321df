// The view's set-up, its context menu, Preview and Html Help.
#include "view_fixture.h"

#include "platform/qt/shell_open.h"

#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QTest>

namespace {

// Records what the view asks the shell to open, and restores the opener afterwards.
class ShellRecorder {
public:
    ShellRecorder() {
        m_previous = SetShellOpenHook([this](const QUrl& url) {
            m_opened.push_back(url.toLocalFile().toStdString());
            return true;
        });
    }
    ~ShellRecorder() { SetShellOpenHook(m_previous); }
    std::vector<std::string> m_opened;

private:
    ShellOpenHook m_previous;
};

COLORREF BackgroundOf(CParlView& view) {
    const QColor c = view.palette().color(QPalette::Base);
    return RGB(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
               static_cast<unsigned>(c.blue()));
}

} // namespace

class ParlViewTest : public ViewTest {
protected:
    // Works in a folder of its own, as the preview file lies in the current folder.
    void EnterWorkFolder() {
        m_work = MakeFolder(QStringLiteral("work"));
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(m_work)));
        m_work = QDir::currentPath().toStdString() + "/";
    }
    std::string m_work;
    ShellRecorder m_shell;
};

TEST_F(ParlViewTest, NewMessageTypesInArialTwelvePointBlackIndentedFiftyTwipsAndUnmodified) {
    EXPECT_FALSE(m_doc.IsModified());
    const PARAFORMAT pf = Para();
    EXPECT_EQ(pf.dxStartIndent, 50);
    EXPECT_EQ(pf.wAlignment, PFA_LEFT);
    EXPECT_EQ(pf.wNumbering, 0);

    QTest::keyClicks(m_view, QStringLiteral("Hi"));
    EXPECT_EQ(Text(), "Hi");
    const CHARFORMAT cf = FormatOf(0, 2);
    EXPECT_STREQ(cf.szFaceName, "Arial");
    EXPECT_EQ(cf.yHeight, 240);
    EXPECT_EQ(cf.crTextColor, 0u);
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_AUTOCOLOR), 0u);
    EXPECT_EQ(m_view->GetLeftMargin(), 720);
    EXPECT_EQ(m_view->GetBottomMargin(), 720);
}

TEST_F(ParlViewTest, DefaultFormatsPutTheScriptBarListsBackOnTheirFirstEntries) {
    Pick(Bar().m_wndCharacterCombo, "merlin");
    Pick(Bar().m_wndAnimationCombo, "Wave");
    Pick(Bar().m_wndDestinationCombo, "Lower Right");
    Type("edited");
    m_view->ApplyDefaultFormats();
    EXPECT_EQ(Bar().m_wndCharacterCombo->currentText(), "genie");
    EXPECT_EQ(Bar().m_wndAnimationCombo->currentText(), "RestPose");
    EXPECT_EQ(Bar().m_wndDestinationCombo->currentText(), "Upper Left");
    EXPECT_FALSE(m_doc.IsModified());
    // The text stays; only formats and lists are set.
    EXPECT_EQ(Text(), "edited");
}

TEST_F(ParlViewTest, ViewMadeBeforeTheScriptBarSkipsTheLists) {
    CParlDoc doc;
    CParlView view(&doc, nullptr);
    EXPECT_EQ(view.GetParentFrame(), nullptr);
    EXPECT_EQ(doc.GetView(), &view);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ParlViewTest, EmptyingTheMessageGivesTheEditorItsWhiteBackgroundAgain) {
    m_script.Push(CModalScript::ChooseColor(QColor(0, 0, 128)));
    Frame().SendCommand(ID_FORMAT_BACKCOLOR);
    ASSERT_EQ(BackgroundOf(*m_view), RGB(0, 0, 128));
    Type("text");
    EXPECT_TRUE(m_doc.CDocument::OnNewDocument());
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(BackgroundOf(*m_view), 0xFFFFFFu);
}

TEST_F(ParlViewTest, RightClickShowsTheContextMenuAndTheClickReachesTheControl) {
    Type("some words");
    m_script.Push(CModalScript::ChooseCommand(0));
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "QMenu");
    EXPECT_EQ(m_script.Last().text, "&Font...\n&Speak\n&Read\nPla&y\n&Move\nSelect A&ll\n"
                                    "&Paste\n&Copy\nCu&t\n&Undo");
    // Dismissed: nothing was chosen.
    EXPECT_EQ(Text(), "some words");
}

TEST_F(ParlViewTest, ContextMenuEntryRunsTheViewsCommand) {
    Select(0, 0);
    m_script.Push(CModalScript::ChooseCommand(ID_SCRIPT_READ));
    m_view->OnRButtonDown(0, QPoint(5, 5));
    EXPECT_EQ(Text(), "<genie Read>");

    m_script.Push(CModalScript::ChooseCommand(ID_EDIT_SELECT_ALL));
    m_view->OnRButtonDown(0, QPoint(5, 5));
    EXPECT_EQ(Selection().cpMin, 0);
    EXPECT_EQ(Selection().cpMax, 12);
}

TEST_F(ParlViewTest, PreviewOfAnUnsavedMessageWritesTempHtmInTheCacheFolderAndOpensIt) {
    EnterWorkFolder();
    // A file of the user's under the preview's name stays as it is.
    {
        QFile mine(QString::fromStdString(m_work + "temp.htm"));
        ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
    }
    const std::string preview = CParlDoc::PreviewFilePath();
    EXPECT_EQ(QFileInfo(QString::fromStdString(preview)).fileName(), "temp.htm");
    Type("Hello");
    Frame().SendCommand(ID_SCRIPT_PREVIEW);
    EXPECT_EQ(m_doc.m_saves, (std::vector<std::string>{preview}));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(preview)).isFile());
    EXPECT_EQ(m_shell.m_opened, (std::vector<std::string>{preview}));
    QFile mine(QString::fromStdString(m_work + "temp.htm"));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("mine"));
    EXPECT_EQ(m_doc.m_strLastEmailPath, "");
    // The preview file is no save of the message: leaving now must still offer to save it.
    EXPECT_TRUE(m_doc.IsModified());

    // A second preview writes the same file again.
    Frame().SendCommand(ID_SCRIPT_PREVIEW);
    EXPECT_EQ(m_doc.m_saves.size(), 2u);
    EXPECT_EQ(m_shell.m_opened.size(), 2u);
    EXPECT_EQ(m_shell.m_opened.back(), preview);
}

TEST_F(ParlViewTest, PreviewOfAnUnchangedSavedEmailOpensItWithoutWriting) {
    EnterWorkFolder();
    const std::string email = m_work + "hello.htm";
    {
        QFile file(QString::fromStdString(email));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the page as written");
    }
    m_doc.m_strLastEmailPath = email;
    m_doc.SetModifiedFlag(FALSE);
    Frame().SendCommand(ID_SCRIPT_PREVIEW);
    EXPECT_TRUE(m_doc.m_saves.empty());
    QFile file(QString::fromStdString(email));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the page as written"));
    EXPECT_EQ(m_shell.m_opened, (std::vector<std::string>{email}));
}

TEST_F(ParlViewTest, PreviewOfASavedEmailWhoseFileIsGoneWritesItAgain) {
    EnterWorkFolder();
    const std::string email = m_work + "hello.htm";
    m_doc.m_strLastEmailPath = email;
    m_doc.SetModifiedFlag(FALSE);
    Frame().SendCommand(ID_SCRIPT_PREVIEW);
    EXPECT_EQ(m_doc.m_saves, (std::vector<std::string>{email}));
    EXPECT_EQ(m_shell.m_opened, (std::vector<std::string>{email}));
}

TEST_F(ParlViewTest, PreviewOfAChangedSavedEmailSavesItAgainThenOpensIt) {
    EnterWorkFolder();
    const std::string email = m_work + "hello.htm";
    m_doc.m_strLastEmailPath = email;
    Type("changed");
    ASSERT_TRUE(m_doc.IsModified());
    Frame().SendCommand(ID_SCRIPT_PREVIEW);
    EXPECT_EQ(m_doc.m_saves, (std::vector<std::string>{email}));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(email)).isFile());
    EXPECT_FALSE(QFileInfo(QString::fromStdString(m_work + "temp.htm")).exists());
    EXPECT_EQ(m_shell.m_opened, (std::vector<std::string>{email}));
}

TEST_F(ParlViewTest, HtmlHelpOpensTheHelpPageBesideTheProgramWhateverTheCurrentFolder) {
    const std::string page = CParlView::HelpPagePath();
    ASSERT_TRUE(QFileInfo(QString::fromStdString(page)).isFile()) << page;
    EXPECT_EQ(QFileInfo(QString::fromStdString(page)).fileName(), "main.htm");
    // A current folder with a help page of its own, as File Open can leave it, plays no part.
    MakeFolder(QStringLiteral("work/help"));
    {
        QFile decoy(m_tmp.filePath(QStringLiteral("work/help/main.htm")));
        ASSERT_TRUE(decoy.open(QIODevice::WriteOnly));
    }
    for (const QString& current : {m_tmp.filePath(QStringLiteral("work")), m_tmp.path()}) {
        ASSERT_TRUE(QDir::setCurrent(current));
        Frame().SendCommand(ID_HELP_HTML);
    }
    EXPECT_EQ(m_shell.m_opened, (std::vector<std::string>{page, page}));
    EXPECT_TRUE(m_script.Shown().empty());
}

TEST_F(ParlViewTest, AdvancedOptionsFromTheMenuEditTheViewsDocument) {
    m_doc.m_strDefaultCharacter = "merlin";
    m_doc.SetModifiedFlag(FALSE);
    m_script.Push(CModalScript::Accept());
    Frame().SendCommand(ID_ADVANCED_OPTIONS);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "COptionSht");
    EXPECT_EQ(m_doc.m_strDefaultCharacter, "merlin");
    // Nothing changed in the sheet: no edit of the message.
    EXPECT_FALSE(m_doc.IsModified());

    m_doc.SetModifiedFlag(FALSE);
    m_script.Push(CModalScript::Reject());
    Frame().SendCommand(ID_ADVANCED_OPTIONS);
    EXPECT_FALSE(m_doc.IsModified());
}
