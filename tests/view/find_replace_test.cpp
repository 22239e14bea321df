// Find, Find Next and Replace in the editor.
#include "view_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Fills the dialog's fields, presses its buttons in order, then closes it with Cancel.
CModalScript::Answer Use(const QString& find, const QString& replace, const QStringList& presses,
                         bool matchCase = false, bool wholeWord = false) {
    return [=](QWidget& modal) {
        auto* findEdit = modal.findChild<QLineEdit*>(CFindReplaceDlg::kFindEdit);
        if (findEdit != nullptr)
            findEdit->setText(find);
        if (auto* replaceEdit = modal.findChild<QLineEdit*>(CFindReplaceDlg::kReplaceEdit))
            replaceEdit->setText(replace);
        for (QCheckBox* check : modal.findChildren<QCheckBox*>()) {
            if (check->text().contains(QStringLiteral("case")))
                check->setChecked(matchCase);
            else
                check->setChecked(wholeWord);
        }
        for (const QString& name : presses) {
            auto* button = modal.findChild<QPushButton*>(name);
            if (button != nullptr)
                button->click();
        }
        return static_cast<int>(QDialog::Rejected);
    };
}

} // namespace

class FindReplaceTest : public ViewTest {};

TEST_F(FindReplaceTest, FindSelectsTheNextMatchAndFindNextGoesOnWrappingRound) {
    Type("one two one two one");
    Select(0, 0);
    m_script.Push(Use("two", "", {CFindReplaceDlg::kFindNextButton}));
    Frame().SendCommand(ID_EDIT_FIND);
    EXPECT_EQ(m_script.Last().title, "Find");
    EXPECT_EQ(Selection().cpMin, 4);
    EXPECT_EQ(Selection().cpMax, 7);

    Frame().SendCommand(ID_EDIT_REPEAT);
    EXPECT_EQ(Selection().cpMin, 12);
    Frame().SendCommand(ID_EDIT_REPEAT);
    EXPECT_EQ(Selection().cpMin, 4);
    EXPECT_EQ(m_script.Shown().size(), 1u);
}

TEST_F(FindReplaceTest, TextNotThereIsReportedAndTheSelectionStays) {
    Type("nothing here");
    Select(2, 3);
    m_script.Push(Use("absent", "", {CFindReplaceDlg::kFindNextButton}));
    m_script.Push(CModalScript::Button(QMessageBox::Ok));
    Frame().SendCommand(ID_EDIT_FIND);
    ASSERT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(m_script.Last().text, "Cannot find \"absent\".");
    EXPECT_EQ(Selection().cpMin, 2);
    EXPECT_EQ(Selection().cpMax, 3);
}

TEST_F(FindReplaceTest, FindNextWithNothingLookedForOpensFind) {
    m_script.Push(CModalScript::Reject());
    Frame().SendCommand(ID_EDIT_REPEAT);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().title, "Find");
}

TEST_F(FindReplaceTest, MatchCaseAndWholeWordNarrowTheSearch) {
    Type("Genie genies genie");
    Select(0, 0);
    m_script.Push(Use("genie", "", {CFindReplaceDlg::kFindNextButton}, true, true));
    Frame().SendCommand(ID_EDIT_FIND);
    EXPECT_EQ(Selection().cpMin, 13);
    EXPECT_EQ(Selection().cpMax, 18);
}

TEST_F(FindReplaceTest, ReplaceFindsFirstThenReplacesEachMatchInTurn) {
    Type("genie and genie");
    Select(0, 0);
    m_script.Push(
        Use("genie", "merlin", {CFindReplaceDlg::kReplaceButton, CFindReplaceDlg::kReplaceButton}));
    Frame().SendCommand(ID_EDIT_REPLACE);
    EXPECT_EQ(m_script.Last().title, "Replace");
    EXPECT_EQ(Text(), "merlin and genie");
    EXPECT_EQ(Selection().cpMin, 11); // the second match, found and not yet replaced
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(FindReplaceTest, ReplaceAllKeepsEachRunsFormatAndUndoesInOneStep) {
    Type("a genie, a bold genie");
    Select(11, 21);
    SetCharFormat(CFM_BOLD, CFE_BOLD);
    Select(0, 0);
    m_script.Push(Use("genie", "genie genie", {CFindReplaceDlg::kReplaceAllButton}));
    Frame().SendCommand(ID_EDIT_REPLACE);
    EXPECT_EQ(Text(), "a genie genie, a bold genie genie");
    EXPECT_TRUE(FormatOf(22, 33).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(2, 13).dwEffects & CFE_BOLD);
    m_view->undo();
    EXPECT_EQ(Text(), "a genie, a bold genie");
}

TEST_F(FindReplaceTest, SelectedWordIsOfferedAsTheTextToFind) {
    Type("find this word");
    Select(5, 9);
    QString offered;
    m_script.Push([&offered](QWidget& modal) {
        offered = modal.findChild<QLineEdit*>(CFindReplaceDlg::kFindEdit)->text();
        return static_cast<int>(QDialog::Rejected);
    });
    Frame().SendCommand(ID_EDIT_FIND);
    EXPECT_EQ(offered, "this");
}
