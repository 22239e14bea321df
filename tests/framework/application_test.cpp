#include "framework_fixture.h"

#include "platform/qt/translation.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTranslator>

namespace {

constexpr UINT IDR_MAIN = 128;

class CTestView : public QWidget, public CCmdTarget {
public:
    explicit CTestView(QWidget* parent) : QWidget(parent) {}
};

class ApplicationTest : public FrameworkTest {
protected:
    ApplicationTest() {
        CResourceTables& res = CResourceTables::App();
        res.Strings().Set(IDR_MAIN,
                          "Parlino\n\nParlo\nParlo Projects (*.plp)\n.plp\nParlo.Project\n"
                          "Parlo Project");
        res.SetMenu(IDR_MAIN,
                    {CMenuEntry::Sub("&File", {CMenuEntry::Item("&New", ID_FILE_NEW),
                                               CMenuEntry::Item("&Open...", ID_FILE_OPEN)})});
        m_app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            IDR_MAIN, [] { return std::make_unique<CTestDoc>(); },
            [] { return std::make_unique<CFrameWnd>(); },
            [](CFrameWnd& frame, CDocument&) { return new CTestView(&frame); }));
    }
    ~ApplicationTest() override {
        m_app.reset();
        CResourceTables::App().Clear();
    }

    CSingleDocTemplate& Template() { return *m_app->GetDocTemplate(); }
    CTestDoc* Doc() { return static_cast<CTestDoc*>(Template().GetDocument()); }
    CFrameWnd* Frame() { return Template().GetFrame(); }
};

} // namespace

TEST_F(ApplicationTest, newMakesDocumentFrameAndViewOnceAndTitlesTheWindow) {
    m_app->OnFileNew();
    ASSERT_NE(Doc(), nullptr);
    CDocument* first = Doc();
    EXPECT_EQ(m_app->m_pMainWnd, Frame());
    EXPECT_EQ(Frame()->centralWidget(), Template().GetView());
    EXPECT_EQ(Frame()->GetActiveDocument(), first);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled[*] - Parlino");
    EXPECT_FALSE(Frame()->isWindowModified());

    Doc()->SetModifiedFlag();
    EXPECT_TRUE(Frame()->isWindowModified());
    m_script.Push(CModalScript::Button(QMessageBox::No));
    m_app->OnFileNew();
    EXPECT_EQ(Doc(), first);
    EXPECT_FALSE(Frame()->isWindowModified());
}

TEST_F(ApplicationTest, theTemplatesStringGivesTitleAndOpenFilter) {
    std::string value;
    ASSERT_TRUE(Template().GetDocString(value, CSingleDocTemplate::windowTitle));
    EXPECT_EQ(value, "Parlino");
    ASSERT_TRUE(Template().GetDocString(value, CSingleDocTemplate::docName));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(Template().GetDocString(value, CSingleDocTemplate::regFileTypeName));
    EXPECT_EQ(value, "Parlo Project");
    EXPECT_EQ(Template().GetFilter(), "Parlo Projects (*.plp)|*.plp|All Files|*||");
}

TEST_F(ApplicationTest, openThroughTheDialogLoadsTheFileTitlesTheWindowAndJoinsTheRecentList) {
    WriteFile(PathOf("hello.plp"), "{\\rtf1 hi\\par }");
    m_app->OnFileNew();
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("hello.plp"))));
    Frame()->SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(m_script.Last().kind, "QFileDialog");
    EXPECT_EQ(m_script.Last().title, "Open");
    EXPECT_EQ(Doc()->m_edit.m_text, "{\\rtf1 hi\\par }");
    EXPECT_EQ(Doc()->GetPathName(), PathOf("hello.plp"));
    EXPECT_EQ(Frame()->windowTitle(), "hello.plp[*] - Parlino");
    EXPECT_EQ((*m_app->GetRecentFileList())[0], PathOf("hello.plp"));
}

TEST_F(ApplicationTest, cancellingThePromptToSaveKeepsTheModifiedDocument) {
    WriteFile(PathOf("hello.plp"), "new");
    m_app->OnFileNew();
    Doc()->m_edit.m_text = "unsaved";
    Doc()->SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Cancel));
    EXPECT_EQ(m_app->OpenDocumentFile(PathOf("hello.plp")), nullptr);
    EXPECT_EQ(Doc()->m_edit.m_text, "unsaved");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(m_script.Last().text, "Save changes to Untitled?");
}

// On a German desktop the document's own questions and failures reach the window in German,
// while the untitled document keeps the name its files are given.
TEST_F(ApplicationTest, aGermanDesktopGetsTheDocumentsQuestionsAndFailuresInGerman) {
    struct CEnglishAgain {
        ~CEnglishAgain() {
            for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
                QCoreApplication::removeTranslator(t);
                delete t;
            }
        }
    } englishAgain;
    ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance(), QStringLiteral("de_DE")));
    m_app->OnFileNew();
    EXPECT_EQ(Frame()->windowTitle(), "Unbenannt[*] - Parlino");
    EXPECT_EQ(Doc()->GetTitle(), "Untitled");

    Doc()->SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::No));
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_EQ(m_app->OpenDocumentFile(PathOf("gone.plp")), nullptr);
    ASSERT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(m_script.Shown()[0].text.toStdString(), "\u00c4nderungen an Unbenannt speichern?");
    EXPECT_EQ(m_script.Shown()[1].text.toStdString(),
              "\u201e" + PathOf("gone.plp") +
                  "\u201c konnte nicht ge\u00f6ffnet werden.\n"
                  "Die Datei ist nicht vorhanden.");
}

TEST_F(ApplicationTest, aRecentFileThatIsGoneLeavesTheList) {
    WriteFile(PathOf("kept.plp"), "kept");
    m_app->AddToRecentFileList(PathOf("kept.plp"));
    m_app->AddToRecentFileList(PathOf("gone.plp"));
    m_app->OnFileNew();
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    Frame()->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(m_script.Last().text.contains(QStringLiteral("does not exist")));
    ASSERT_EQ(m_app->GetRecentFileList()->GetCount(), 1u);
    Frame()->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Doc()->m_edit.m_text, "kept");
}

TEST_F(ApplicationTest, closingTheWindowAsksToSaveAndCancelKeepsItOpen) {
    m_app->OnFileNew();
    Doc()->SetModifiedFlag();
    m_script.Push(CModalScript::Button(QMessageBox::Cancel));
    EXPECT_FALSE(Frame()->close());
    m_script.Push(CModalScript::Button(QMessageBox::No));
    EXPECT_TRUE(Frame()->close());
}

TEST_F(ApplicationTest, aFileDroppedOnTheWindowIsOpened) {
    WriteFile(PathOf("dropped.plp"), "dropped");
    m_app->OnFileNew();
    Frame()->DragAcceptFiles();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(PathOf("dropped.plp")))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &drop);
    EXPECT_EQ(Doc()->m_edit.m_text, "dropped");
    EXPECT_EQ(Doc()->GetTitle(), "dropped.plp");
}

TEST_F(ApplicationTest, theCommandLineOpensANamedFileOrStartsANewDocument) {
    WriteFile(PathOf("start.plp"), "start");
    CCommandLineInfo none;
    m_app->ParseCommandLine(none, {"parlino"});
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(m_app->ProcessShellCommand(none));
    EXPECT_EQ(Doc()->GetTitle(), "Untitled");

    CCommandLineInfo named;
    m_app->ParseCommandLine(named, {"parlino", QString::fromStdString(PathOf("start.plp"))});
    EXPECT_TRUE(m_app->ProcessShellCommand(named));
    EXPECT_EQ(Doc()->m_edit.m_text, "start");

    CCommandLineInfo missing;
    m_app->ParseCommandLine(missing, {"parlino", QString::fromStdString(PathOf("none.plp"))});
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(m_app->ProcessShellCommand(missing));
}

TEST(CommandLine, argumentsAreSortedIntoCommandAndFile) {
    struct Row {
        std::vector<std::string> args;
        CCommandLineInfo::ShellCommand command;
        const char* file;
    };
    const Row rows[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"hello.plp"}, CCommandLineInfo::FileOpen, "hello.plp"},
        {{"-p", "hello.plp"}, CCommandLineInfo::FilePrint, "hello.plp"},
        {{"--print", "hello.plp"}, CCommandLineInfo::FilePrint, "hello.plp"},
        {{"-dde"}, CCommandLineInfo::FileDDE, ""},
        {{"-nologo", "/home/ann/a b.plp"}, CCommandLineInfo::FileOpen, "/home/ann/a b.plp"},
        {{"-unknown", "x.plp", "y.plp"}, CCommandLineInfo::FileOpen, "x.plp"},
    };
    for (const Row& row : rows) {
        CCommandLineInfo info;
        info.ParseArguments(row.args);
        EXPECT_EQ(info.m_nShellCommand, row.command) << row.args.size();
        EXPECT_EQ(info.m_strFileName, row.file);
    }
}
