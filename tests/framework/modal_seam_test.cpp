#include "framework_fixture.h"

#include "platform/qt/color_dialog.h"
#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/message_box.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <cstring>

using ModalSeamTest = FrameworkTest;

namespace {
constexpr const char* kSaveFilter = "Parlino Project files|*.plp|Html Email files|*.htm||";
}

TEST_F(ModalSeamTest, aMessageBoxIsRecordedWithCaptionTextAndIcon) {
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_EQ(AfxMessageBox("Could not find any characters on\nyour hard drive.",
                            MB_OK | MB_ICONINFORMATION),
              IDOK);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "QMessageBox");
    EXPECT_EQ(m_script.Last().title, "Parl");
    EXPECT_EQ(m_script.Last().text, "Could not find any characters on\nyour hard drive.");
    EXPECT_EQ(m_script.Last().icon, QMessageBox::Information);
}

TEST_F(ModalSeamTest, theButtonClickedBecomesTheFrameworksAnswer) {
    struct Row {
        UINT type;
        QMessageBox::StandardButton click;
        int answer;
    };
    const Row rows[] = {
        {MB_YESNOCANCEL, QMessageBox::Yes, IDYES},       {MB_YESNOCANCEL, QMessageBox::No, IDNO},
        {MB_YESNOCANCEL, QMessageBox::Cancel, IDCANCEL}, {MB_OKCANCEL, QMessageBox::Ok, IDOK},
        {MB_RETRYCANCEL, QMessageBox::Retry, IDRETRY},
    };
    for (const Row& row : rows) {
        m_script.Push(CModalScript::Button(row.click));
        EXPECT_EQ(AfxMessageBox("Question", row.type), row.answer) << row.type;
    }
}

TEST_F(ModalSeamTest, aRunWithNoAnswerLeftIsRefusedAtOnceAndRecorded) {
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Done.", MB_OK), IDOK);
    EXPECT_EQ(m_script.Unanswered(), 2);
}

TEST_F(ModalSeamTest, theSaveDialogGivesANameWithoutExtensionTheSelectedTypesExtension) {
    struct Row {
        const char* typed;
        int filter;
        const char* saved;
    };
    const Row rows[] = {
        {"hello", 1, "hello.plp"},       {"hello", 2, "hello.htm"},
        {"hello.HTM", 1, "hello.HTM"},   {"hello.html", 2, "hello.html"},
        {"attemp.htm", 1, "attemp.htm"},
    };
    for (const Row& row : rows) {
        CFileDialog dlg(FALSE, "plp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
        dlg.m_ofn.lpstrInitialDir = PathOf("");
        m_script.Push(CModalScript::ChooseFile(QString::fromLatin1(row.typed), row.filter));
        ASSERT_EQ(dlg.DoModal(), IDOK) << row.typed;
        EXPECT_EQ(dlg.GetPathName(), PathOf(row.saved)) << row.typed;
        EXPECT_EQ(dlg.m_ofn.nFilterIndex, static_cast<DWORD>(row.filter));
    }
}

TEST_F(ModalSeamTest, theSaveDialogShowsTitleTypesAndInitialFolderAndMovesTheCurrentFolder) {
    QDir(m_tmp.path()).mkdir(QStringLiteral("mail"));
    CFileDialog dlg(FALSE, "plp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
    dlg.m_ofn.lpstrTitle = "Save as an email or a project?";
    dlg.m_ofn.lpstrInitialDir = PathOf("mail/");
    QStringList filters;
    QString folder;
    m_script.Push([&](QWidget& modal) {
        auto& fd = static_cast<QFileDialog&>(modal);
        filters = fd.nameFilters();
        folder = fd.directory().absolutePath();
        return CModalScript::ChooseFile(QStringLiteral("hello"))(modal);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_script.Last().kind, "QFileDialog");
    EXPECT_EQ(m_script.Last().title, "Save as an email or a project?");
    EXPECT_EQ(filters, (QStringList{"Parlino Project files (*.plp)", "Html Email files (*.htm)"}));
    EXPECT_EQ(folder.toStdString() + "/", PathOf("mail/"));
    EXPECT_EQ(dlg.GetPathName(), PathOf("mail/hello.plp"));
    EXPECT_EQ(QDir::currentPath().toStdString() + "/", PathOf("mail/"));
}

TEST_F(ModalSeamTest, cancellingAFileDialogChoosesNothing) {
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "Parlo Projects (*.plp)|*.plp||");
    m_script.Push(CModalScript::Reject());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), "");
}

TEST_F(ModalSeamTest, replacingAFileIsAskedAndNoShowsTheDialogAgain) {
    WriteFile(PathOf("hello.plp"), "old");
    CFileDialog dlg(FALSE, "plp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
    dlg.m_ofn.lpstrInitialDir = PathOf("");
    m_script.Push(CModalScript::ChooseFile(QStringLiteral("hello"), 1));
    m_script.Push(CModalScript::Button(QMessageBox::No));
    m_script.Push(CModalScript::ChooseFile(QStringLiteral("hello"), 1));
    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(m_script.Shown().size(), 4u);
    EXPECT_EQ(m_script.Shown()[1].text.toStdString(),
              PathOf("hello.plp") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(m_script.Unanswered(), 0);
    EXPECT_EQ(dlg.GetPathName(), PathOf("hello.plp"));
}

TEST_F(ModalSeamTest, theDefaultExtensionRule) {
    struct Row {
        const char* path;
        const char* patterns;
        const char* defExt;
        const char* result;
    };
    const Row rows[] = {
        {"/a/hello", "*.htm", "plp", "/a/hello.htm"},
        {"/a/hello", "*.htm;*.html", "plp", "/a/hello.htm"},
        {"/a/hello", "*", "plp", "/a/hello.plp"},
        {"/a/hello", "*.*", "plp", "/a/hello.plp"},
        {"/a/hello", "*.htm", "", "/a/hello"},
        {"/a.b/hello", "*.htm", "plp", "/a.b/hello.htm"},
        {"/a/hello.txt", "*.htm", "plp", "/a/hello.txt"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CFileDialog::ApplyDefaultExtension(row.path, row.patterns, row.defExt),
                  row.result)
            << row.path << " " << row.patterns;
}

TEST_F(ModalSeamTest, theFontDialogStartsFromTheLogFontAndReturnsTheChoice) {
    LOGFONT lf{};
    lf.lfHeight = 16; // 12 points at 96 per inch
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = 0;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
    dlg.m_cf.rgbColors = RGB(255, 0, 0);
    QFont shown;
    m_script.Push([&](QWidget& modal) {
        shown = static_cast<QFontDialog&>(modal).currentFont();
        QFont chosen = shown;
        chosen.setPointSize(10);
        chosen.setWeight(QFont::Bold);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        return CModalScript::ChooseFont(chosen, QColor(0, 0, 128))(modal);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(shown.pointSizeF(), 12.0);
    EXPECT_EQ(dlg.GetSize(), 100);
    EXPECT_EQ(dlg.GetWeight(), FW_BOLD);
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_TRUE(dlg.IsUnderline());
    EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 128));
    LOGFONT out{};
    dlg.GetCurrentFont(&out);
    EXPECT_EQ(out.lfHeight, -13);
}

TEST_F(ModalSeamTest, cancellingTheFontOrColourDialogKeepsTheInitialValues) {
    CFontDialog font(nullptr);
    font.m_cf.rgbColors = RGB(1, 2, 3);
    m_script.Push(CModalScript::Reject());
    EXPECT_EQ(font.DoModal(), IDCANCEL);
    EXPECT_EQ(font.GetColor(), RGB(1, 2, 3));
    CColorDialog color(0, 0);
    m_script.Push(CModalScript::Reject());
    EXPECT_EQ(color.DoModal(), IDCANCEL);
    EXPECT_EQ(color.GetColor(), 0u);
}

TEST_F(ModalSeamTest, theColourDialogReturnsTheChosenColourRedInTheLowByte) {
    CColorDialog dlg(0, 0);
    m_script.Push(CModalScript::ChooseColor(QColor(0x12, 0x34, 0x56)));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), 0x00563412u);
    EXPECT_EQ(m_script.Last().kind, "QColorDialog");
}

namespace {

// A dialog with a text and a check, whose text must not be empty.
class CNameDlg : public CDialog {
public:
    CNameDlg() {
        setWindowTitle(QStringLiteral("Name"));
        m_edit = new QLineEdit(this);
        m_check = new QCheckBox(QStringLiteral("Agent"), this);
        Place(m_edit, 7, 7, 100, 14);
        AddButton(IDOK, QStringLiteral("OK"), 7, 30, 50, 14, true);
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, m_edit, m_strName);
        DDX_Check(pDX, m_check, m_bAgent);
        if (pDX->m_bSaveAndValidate && m_strName.empty())
            pDX->Fail(m_edit);
    }
    QLineEdit* m_edit;
    QCheckBox* m_check;
    std::string m_strName = "genie";
    int m_bAgent = 0;
};

} // namespace

TEST_F(ModalSeamTest, aProgramDialogShowsItsMembersAndOkTakesTheControlsBack) {
    CNameDlg dlg;
    QString shownName;
    m_script.Push(CModalScript::Accept([&](QDialog&) {
        shownName = dlg.m_edit->text();
        dlg.m_edit->setText(QStringLiteral("merlin"));
        dlg.m_check->setChecked(true);
    }));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shownName, "genie");
    EXPECT_EQ(dlg.m_strName, "merlin");
    EXPECT_EQ(dlg.m_bAgent, 1);
}

TEST_F(ModalSeamTest, aFailedExchangeKeepsTheDialogOpenForTheNextAnswer) {
    CNameDlg dlg;
    m_script.Push(CModalScript::Accept([&](QDialog&) { dlg.m_edit->clear(); }));
    m_script.Push(CModalScript::Accept([&](QDialog&) { dlg.m_edit->setText("robby"); }));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(dlg.m_strName, "robby");
}

TEST_F(ModalSeamTest, cancelLeavesTheMembersAsTheyWere) {
    CNameDlg dlg;
    m_script.Push(CModalScript::Reject([&](QDialog&) { dlg.m_edit->setText("merlin"); }));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strName, "genie");
}

TEST_F(ModalSeamTest, dialogUnitsScaleWithTheFontsAverageWidthAndHeight) {
    CDialogUnits du{QFont()};
    const int cx = du.AverageCharWidth(), cy = du.CharHeight();
    ASSERT_GT(cx, 0);
    EXPECT_EQ(du.ToPixels(0, 0, 4, 8), QRect(0, 0, cx, cy));
    EXPECT_EQ(du.ToPixelsX(186), (186 * cx + 2) / 4);
    EXPECT_EQ(du.ToPixelsY(186), (186 * cy + 4) / 8);
}
