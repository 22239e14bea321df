// Bold, italic, underline, the font dialog, alignment, indent steps and Back Color, with the
// check marks and enabled states their update handlers give the shared menu entry and button.
#include "view_fixture.h"

#include <QAction>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTest>
#include <cmath>
#include <functional>
#include <tuple>

namespace {
// A face with exactly a regular and a bold style, so the dialog keeps the weight it is given.
const QString kFace = QStringLiteral("Liberation Sans");
} // namespace

class FormatCommandTest : public ViewTest {
protected:
    void SkipWithoutFace() {
        if (!QFontDatabase::families().contains(kFace))
            GTEST_SKIP() << "the font " << kFace.toStdString() << " is not installed";
    }

    // Runs `nID` on the view and brings the command states up to date, as choosing it does.
    void Run(UINT nID) { Frame().SendCommand(nID); }
    bool Enabled(UINT nID) {
        Frame().UpdateCommandUI();
        return Action(nID)->isEnabled();
    }
    bool Checked(UINT nID) {
        Frame().UpdateCommandUI();
        return Action(nID)->isChecked();
    }
};

TEST_F(FormatCommandTest, BoldWithOnlyACaretMakesTheNextTextBoldAndMarksTheMessage) {
    Type("plain ");
    m_doc.SetModifiedFlag(FALSE);
    Run(ID_FORMAT_BOLD);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(Checked(ID_FORMAT_BOLD));
    m_view->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bold"));
    EXPECT_TRUE(FormatOf(6, 10).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(0, 6).dwEffects & CFE_BOLD);
}

TEST_F(FormatCommandTest, EachToggleTwiceGivesBackTheEarlierStateAndTheCheckFollows) {
    Type("some text");
    const std::pair<UINT, DWORD> toggles[] = {{ID_FORMAT_BOLD, CFE_BOLD},
                                              {ID_FORMAT_ITALIC, CFE_ITALIC},
                                              {ID_FORMAT_UNDERLINE, CFE_UNDERLINE}};
    for (const auto& [nID, effect] : toggles) {
        Select(0, 4);
        EXPECT_FALSE(Checked(nID)) << nID;
        Run(nID);
        EXPECT_TRUE(FormatOf(0, 4).dwEffects & effect) << nID;
        EXPECT_FALSE(FormatOf(4, 9).dwEffects & effect) << nID;
        Select(0, 4);
        EXPECT_TRUE(Checked(nID)) << nID;
        Run(nID);
        EXPECT_FALSE(FormatOf(0, 4).dwEffects & effect) << nID;
        Select(0, 4);
        EXPECT_FALSE(Checked(nID)) << nID;
    }
}

TEST_F(FormatCommandTest, BoldOnAPartlyBoldSelectionLeavesItAsItWas) {
    Type("half bold");
    Select(0, 4);
    SetCharFormat(CFM_BOLD, CFE_BOLD);
    Select(0, 9);
    Run(ID_FORMAT_BOLD);
    EXPECT_TRUE(FormatOf(0, 4).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(5, 9).dwEffects & CFE_BOLD);
}

TEST_F(FormatCommandTest, ButtonsFollowTheCaretBetweenDifferentlyFormattedParagraphs) {
    Type("bold line\r\nplain line");
    Select(0, 9);
    SetCharFormat(CFM_BOLD, CFE_BOLD);
    SetPara(PFM_ALIGNMENT, 0, PFA_CENTER);

    Select(2, 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Action(ID_FORMAT_BOLD)->isChecked());
    EXPECT_TRUE(Action(ID_PARA_CENTER)->isChecked());
    EXPECT_FALSE(Action(ID_PARA_LEFT)->isChecked());

    Select(15, 15);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Action(ID_FORMAT_BOLD)->isChecked());
    EXPECT_FALSE(Action(ID_PARA_CENTER)->isChecked());
    EXPECT_TRUE(Action(ID_PARA_LEFT)->isChecked());
}

TEST_F(FormatCommandTest, AlignmentCommandsSetTheParagraphAndARightAlignedOneChecksNeither) {
    Type("text");
    m_doc.SetModifiedFlag(FALSE);
    Run(ID_PARA_CENTER);
    EXPECT_EQ(Para().wAlignment, PFA_CENTER);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(Checked(ID_PARA_CENTER));
    EXPECT_FALSE(Checked(ID_PARA_LEFT));
    Run(ID_PARA_LEFT);
    EXPECT_EQ(Para().wAlignment, PFA_LEFT);
    EXPECT_TRUE(Checked(ID_PARA_LEFT));

    SetPara(PFM_ALIGNMENT, 0, PFA_RIGHT);
    EXPECT_FALSE(Checked(ID_PARA_LEFT));
    EXPECT_FALSE(Checked(ID_PARA_CENTER));
}

TEST_F(FormatCommandTest, IndentStepsOfSevenHundredFiftyFromZeroUpToTheCeilingAndBack) {
    Type("paragraph");
    SetPara(PFM_STARTINDENT, 0);
    EXPECT_FALSE(Enabled(ID_DECREASE_INDENT));
    for (LONG expected : {750, 1500, 2250}) {
        ASSERT_TRUE(Enabled(ID_INCREASE_INDENT)) << expected;
        Run(ID_INCREASE_INDENT);
        EXPECT_EQ(Para().dxStartIndent, expected);
    }
    EXPECT_FALSE(Enabled(ID_INCREASE_INDENT));
    for (LONG expected : {1500, 750, 0}) {
        ASSERT_TRUE(Enabled(ID_DECREASE_INDENT)) << expected;
        Run(ID_DECREASE_INDENT);
        EXPECT_EQ(Para().dxStartIndent, expected);
    }
    EXPECT_FALSE(Enabled(ID_DECREASE_INDENT));
    EXPECT_TRUE(Enabled(ID_INCREASE_INDENT));
}

TEST_F(FormatCommandTest, IndentStepsFromTheNewMessagesFiftyTwips) {
    Type("paragraph");
    ASSERT_EQ(Para().dxStartIndent, 50);
    Run(ID_INCREASE_INDENT);
    EXPECT_EQ(Para().dxStartIndent, 800);
    Run(ID_INCREASE_INDENT);
    EXPECT_EQ(Para().dxStartIndent, 1550);
    EXPECT_FALSE(Enabled(ID_INCREASE_INDENT));

    Run(ID_DECREASE_INDENT);
    Run(ID_DECREASE_INDENT);
    EXPECT_EQ(Para().dxStartIndent, 50);
    EXPECT_TRUE(Enabled(ID_DECREASE_INDENT));
    // A step that would go left of the margin stops at it, where the command is disabled.
    m_doc.SetModifiedFlag(FALSE);
    Run(ID_DECREASE_INDENT);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(Para().dxStartIndent, 0);
    EXPECT_FALSE(Enabled(ID_DECREASE_INDENT));
    Run(ID_DECREASE_INDENT);
    EXPECT_EQ(Para().dxStartIndent, 0);
}

TEST_F(FormatCommandTest, EachIndentStepClearsTheHangingOffset) {
    Type("paragraph");
    SetPara(PFM_STARTINDENT | PFM_OFFSET, 750, PFA_LEFT, 300);
    ASSERT_EQ(Para().dxOffset, 300);
    Run(ID_INCREASE_INDENT);
    EXPECT_EQ(Para().dxStartIndent, 1500);
    EXPECT_EQ(Para().dxOffset, 0);
}

TEST_F(FormatCommandTest, CentredParagraphCannotBeIndentedFurtherButCanBeBroughtBack) {
    Type("centred");
    SetPara(PFM_STARTINDENT | PFM_ALIGNMENT, 0, PFA_CENTER);
    EXPECT_FALSE(Enabled(ID_INCREASE_INDENT));
    EXPECT_FALSE(Enabled(ID_DECREASE_INDENT));
    SetPara(PFM_STARTINDENT, 750);
    EXPECT_FALSE(Enabled(ID_INCREASE_INDENT));
    EXPECT_TRUE(Enabled(ID_DECREASE_INDENT));
}

TEST_F(FormatCommandTest, BackColorSetsTheEditorAndThePageBackgroundAndMarksTheMessage) {
    m_doc.SetModifiedFlag(FALSE);
    m_script.Push(CModalScript::ChooseColor(QColor(0x12, 0x34, 0x56)));
    Run(ID_FORMAT_BACKCOLOR);
    EXPECT_EQ(m_doc.m_crBackground, RGB(0x12, 0x34, 0x56));
    // The dialog starts from the background the message has: OK alone keeps it.
    QColor offered;
    m_script.Push([&](QWidget& modal) {
        offered = static_cast<QColorDialog&>(modal).currentColor();
        return static_cast<int>(QDialog::Accepted);
    });
    Run(ID_FORMAT_BACKCOLOR);
    EXPECT_EQ(offered, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(m_doc.m_crBackground, RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(m_doc.IsModified());
    // The control answers a new background with the one it had.
    const LRESULT old = m_view->SendMessage(EM_SETBKGNDCOLOR, 0, 0xFFFFFF);
    EXPECT_EQ(static_cast<COLORREF>(old), RGB(0x12, 0x34, 0x56));
}

TEST_F(FormatCommandTest, CancelledBackColorChangesNothing) {
    m_doc.m_crBackground = 0xFFFFFF;
    m_doc.SetModifiedFlag(FALSE);
    m_script.Push(CModalScript::Reject());
    Run(ID_FORMAT_BACKCOLOR);
    EXPECT_EQ(m_doc.m_crBackground, 0xFFFFFFu);
    EXPECT_FALSE(m_doc.IsModified());
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "QColorDialog");
}

TEST_F(FormatCommandTest, FontDialogStartsFromTheSelectionAndSetsSizeInTwips) {
    SkipWithoutFace();
    Type("sized text");
    Select(0, 5);
    LONG startPixels = 0;
    m_script.Push([&startPixels](QWidget& modal) {
        auto& dialog = static_cast<QFontDialog&>(modal);
        startPixels = std::lround(dialog.currentFont().pointSizeF() * 96.0 / 72.0);
        QFont font(kFace);
        font.setPointSize(10);
        font.setItalic(true);
        return CModalScript::ChooseFont(font, QColor(0, 0, 255))(modal);
    });
    Run(ID_FORMAT_FONT);
    // 12 points (240 twips) reach the dialog as a height of 16 pixels.
    EXPECT_EQ(startPixels, 16);
    const CHARFORMAT cf = FormatOf(0, 5);
    EXPECT_EQ(cf.yHeight, 200);
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));
    EXPECT_EQ(FormatOf(5, 10).yHeight, 240);
}

TEST_F(FormatCommandTest, FontDialogSetsBoldFromTheChosenWeightAndIgnoresStrikeout) {
    SkipWithoutFace();
    Type("weights");
    for (const auto& [weight, bold] :
         {std::pair{QFont::Bold, true}, std::pair{QFont::Normal, false}}) {
        Select(0, 7);
        QFont font(kFace);
        font.setPointSize(12);
        font.setWeight(weight);
        font.setStrikeOut(true);
        m_script.Push(CModalScript::ChooseFont(font));
        Run(ID_FORMAT_FONT);
        const CHARFORMAT cf = FormatOf(0, 7);
        EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, bold) << weight;
        EXPECT_FALSE(cf.dwEffects & CFE_STRIKEOUT) << weight;
    }
}

TEST_F(FormatCommandTest, FontDialogChangesOnlyWhatTheUserChangedInIt) {
    Type("mixed text");
    Select(0, 5);
    SetCharFormat(CFM_BOLD | CFM_ITALIC, CFE_BOLD | CFE_ITALIC);
    const struct {
        const char* proves;
        std::function<void(QFontDialog&)> change;
        LONG height;
    } rows[] = {
        {"OK at once", [](QFontDialog&) {}, 240},
        {"only the size",
         [](QFontDialog& d) {
             QFont f = d.currentFont();
             f.setPointSize(20);
             d.setCurrentFont(f);
         },
         400},
    };
    for (const auto& row : rows) {
        Select(0, 10);
        m_script.Push([&row](QWidget& modal) {
            row.change(static_cast<QFontDialog&>(modal));
            return static_cast<int>(QDialog::Accepted);
        });
        Run(ID_FORMAT_FONT);
        for (const auto& [from, to, bold] : {std::tuple{0, 5, true}, std::tuple{5, 10, false}}) {
            const CHARFORMAT cf = FormatOf(from, to);
            // The face the text has, even where the system draws another in its place.
            EXPECT_STREQ(cf.szFaceName, "Arial") << row.proves;
            EXPECT_EQ(cf.yHeight, row.height) << row.proves;
            EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, bold) << row.proves << " " << from;
            EXPECT_EQ((cf.dwEffects & CFE_ITALIC) != 0, bold) << row.proves << " " << from;
            EXPECT_EQ(cf.crTextColor, 0u) << row.proves;
        }
    }
}

TEST_F(FormatCommandTest, CancelledFontDialogChangesNothing) {
    Type("stay");
    Select(0, 4);
    m_doc.SetModifiedFlag(FALSE);
    m_script.Push(CModalScript::Reject());
    Run(ID_FORMAT_FONT);
    EXPECT_EQ(FormatOf(0, 4).yHeight, 240);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST(FontChoiceTest, OnlyTheBoldWeightItselfGivesBold) {
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfStrikeOut = 1;
    for (const auto& [weight, bold] :
         {std::pair{400, false}, std::pair{600, false}, std::pair{700, true}, std::pair{800, false},
          std::pair{900, false}}) {
        lf.lfWeight = weight;
        const CHARFORMAT cf = CParlView::CharFormatFromFont(lf, 100, RGB(1, 2, 3));
        EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, bold) << weight;
        EXPECT_EQ(cf.dwEffects & CFE_STRIKEOUT, 0u) << weight;
        EXPECT_EQ(cf.dwMask & CFM_STRIKEOUT, 0u);
        EXPECT_EQ(cf.yHeight, 200);
        EXPECT_EQ(cf.crTextColor, RGB(1, 2, 3));
        EXPECT_STREQ(cf.szFaceName, "Arial");
    }
}

TEST_F(FormatCommandTest, EditingKeysRunTheirCommandsAndUndoRedoAreOfferedOnlyWithAStep) {
    Frame().show();
    Frame().activateWindow();
    if (!QTest::qWaitForWindowActive(&Frame()))
        GTEST_SKIP() << "the platform does not activate windows";
    m_view->setFocus();
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Type("word");
    Select(0, 4);
    const struct {
        const char* keys;
        QKeyCombination key;
        DWORD effect;
    } toggles[] = {
        {"Ctrl+B", Qt::ControlModifier | Qt::Key_B, CFE_BOLD},
        {"Ctrl+I", Qt::ControlModifier | Qt::Key_I, CFE_ITALIC},
        {"Ctrl+U", Qt::ControlModifier | Qt::Key_U, CFE_UNDERLINE},
    };
    for (const auto& row : toggles) {
        QTest::keyClick(m_view, row.key.key(), row.key.keyboardModifiers());
        EXPECT_TRUE(FormatOf(0, 4).dwEffects & row.effect) << row.keys;
        QTest::keyClick(m_view, row.key.key(), row.key.keyboardModifiers());
        EXPECT_FALSE(FormatOf(0, 4).dwEffects & row.effect) << row.keys;
    }
    EXPECT_NE(Action(ID_FORMAT_BOLD)->text().indexOf(QStringLiteral("Ctrl+B")), -1);

    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    for (QKeyCombination redo :
         {Qt::ControlModifier | Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z}) {
        const std::string before = Text();
        Run(ID_EDIT_UNDO);
        ASSERT_TRUE(Enabled(ID_EDIT_REDO));
        QTest::keyClick(m_view, redo.key(), redo.keyboardModifiers());
        EXPECT_EQ(Text(), before);
        EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    }
}
