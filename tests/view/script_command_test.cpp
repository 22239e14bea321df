// Speak, Read, Play and Move: the tag each puts in the message, its colour and the caret.
#include "view_fixture.h"

#include "view/speak_dlg.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

namespace {

CModalScript::Answer TypeAndPress(const QString& text, bool ok) {
    auto fill = [text](QDialog& dialog) {
        auto* edit = dialog.findChild<QPlainTextEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setPlainText(text);
    };
    return ok ? CModalScript::Accept(fill) : CModalScript::Reject(fill);
}

} // namespace

class ScriptCommandTest : public ViewTest {};

TEST_F(ScriptCommandTest, PlayInsertsTheTagAtTheCaretInTheCommandColourWithTheCaretAfterIt) {
    Type("Hello world");
    m_doc.SetModifiedFlag(FALSE);
    Pick(Bar().m_wndAnimationCombo, "Wave");
    Select(3, 3);
    Frame().SendCommand(ID_SCRIPT_PLAY);

    const std::string tag = "<genie Play Wave>";
    EXPECT_EQ(Text(), "Hel" + tag + "lo world");
    const LONG end = 3 + static_cast<LONG>(tag.size());
    EXPECT_EQ(Selection().cpMin, end);
    EXPECT_EQ(Selection().cpMax, end);
    EXPECT_TRUE(m_doc.IsModified());

    const CHARFORMAT inTag = FormatOf(3, end);
    EXPECT_TRUE(inTag.dwMask & CFM_COLOR);
    EXPECT_EQ(inTag.crTextColor, 0x0000FFu);
    EXPECT_EQ(FormatOf(end, end + 2).crTextColor, 0u);
    EXPECT_EQ(FormatOf(0, 3).crTextColor, 0u);

    // Text typed right after the tag is in the text's colour, not the tag's.
    Select(end + 2, end + 2);
    Pick(Bar().m_wndCharacterCombo, "merlin");
    Frame().SendCommand(ID_SCRIPT_READ);
    const LONG after = end + 2 + static_cast<LONG>(std::string("<merlin Read>").size());
    QTest::keyClicks(m_view, QStringLiteral("typed"));
    EXPECT_EQ(Text().substr(static_cast<std::size_t>(after), 5), "typed");
    EXPECT_EQ(FormatOf(after - 1, after).crTextColor, 0x0000FFu);
    EXPECT_EQ(FormatOf(after, after + 5).crTextColor, 0u);
    EXPECT_STREQ(FormatOf(after, after + 5).szFaceName, "Arial");
}

TEST_F(ScriptCommandTest, EachCommandBuildsItsTagFromTheListsItNeeds) {
    Pick(Bar().m_wndCharacterCombo, "merlin");
    Pick(Bar().m_wndAnimationCombo, "GetAttention");
    Pick(Bar().m_wndDestinationCombo, "Middle Center");
    Frame().SendCommand(ID_SCRIPT_READ);
    Frame().SendCommand(ID_SCRIPT_MOVE);
    Frame().SendCommand(ID_SCRIPT_PLAY);
    EXPECT_EQ(Text(), "<merlin Read><merlin Move Middle Center><merlin Play GetAttention>");
    // The caret follows each tag, so they come in the order given.
    EXPECT_EQ(Selection().cpMin, static_cast<LONG>(Text().size()));
}

TEST_F(ScriptCommandTest, TagTakesTheCommandColourOfTheMomentAndEarlierTagsKeepTheirs) {
    Frame().SendCommand(ID_SCRIPT_READ);
    m_doc.m_crCommand = RGB(0, 128, 0);
    Frame().SendCommand(ID_SCRIPT_READ);
    EXPECT_EQ(Text(), "<genie Read><genie Read>");
    EXPECT_EQ(FormatOf(0, 12).crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(FormatOf(12, 24).crTextColor, RGB(0, 128, 0));
}

TEST_F(ScriptCommandTest, SelectionInsideBoldFourteenPointTextIsReplacedByABoldFourteenPointTag) {
    Type("one two three");
    Select(0, 13);
    SetCharFormat(CFM_BOLD | CFM_SIZE, CFE_BOLD, 280);
    Select(4, 7); // "two"
    Frame().SendCommand(ID_SCRIPT_READ);

    EXPECT_EQ(Text(), "one <genie Read> three");
    EXPECT_EQ(Selection().cpMin, 16);
    EXPECT_EQ(Selection().cpMax, 16);
    const CHARFORMAT tag = FormatOf(4, 16);
    EXPECT_TRUE(tag.dwEffects & CFE_BOLD);
    EXPECT_EQ(tag.yHeight, 280);
    EXPECT_EQ(tag.crTextColor, 255u);
    const CHARFORMAT after = FormatOf(16, 22);
    EXPECT_TRUE(after.dwEffects & CFE_BOLD);
    EXPECT_EQ(after.crTextColor, 0u);
}

TEST_F(ScriptCommandTest, SpeakPutsTheTypedTextInTheTagLineBreaksIncluded) {
    m_script.Push(TypeAndPress("Hello\nthere <b>", true));
    Frame().SendCommand(ID_SCRIPT_SPEAK);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "CSpeakDlg");
    EXPECT_EQ(m_script.Last().title, "Enter text to speak");

    // The tag spans two paragraphs; its line break counts two positions, as CR LF.
    EXPECT_EQ(Text(), "<genie Speak Hello\nthere <b>>");
    const std::string tag = "<genie Speak Hello\r\nthere <b>>";
    EXPECT_EQ(Selection().cpMin, static_cast<LONG>(tag.size()));
    EXPECT_EQ(FormatOf(0, static_cast<LONG>(tag.size())).crTextColor, 255u);
    EXPECT_EQ(m_view->document()->blockCount(), 2);
}

TEST_F(ScriptCommandTest, SpeakWithNothingTypedKeepsTheBlankBeforeTheEnd) {
    m_script.Push(CModalScript::Accept());
    Frame().SendCommand(ID_SCRIPT_SPEAK);
    EXPECT_EQ(Text(), "<genie Speak >");
}

TEST_F(ScriptCommandTest, CancelledSpeakChangesNothing) {
    Type("Keep me");
    m_doc.SetModifiedFlag(FALSE);
    Select(2, 4);
    m_script.Push(TypeAndPress("lost words", false));
    Frame().SendCommand(ID_SCRIPT_SPEAK);
    EXPECT_EQ(Text(), "Keep me");
    EXPECT_EQ(Selection().cpMin, 2);
    EXPECT_EQ(Selection().cpMax, 4);
    EXPECT_FALSE(m_doc.IsModified());

    // The next Speak opens empty: nothing typed before survives.
    std::string seen = "<not shown>";
    m_script.Push(CModalScript::Reject([&seen](QDialog& dialog) {
        seen = dialog.findChild<QPlainTextEdit*>()->toPlainText().toStdString();
    }));
    Frame().SendCommand(ID_SCRIPT_SPEAK);
    EXPECT_EQ(seen, "");
}

TEST_F(ScriptCommandTest, SpeakDialogBreaksLinesAsCrLfAndReadsThemBack) {
    CSpeakDlg dlg;
    dlg.m_strText = "a\r\nb";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.TextEdit()->toPlainText(), "a\nb");
    dlg.TextEdit()->setPlainText("one\ntwo\n");
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_strText, "one\r\ntwo\r\n");
}

TEST_F(ScriptCommandTest, CharacterNamesKeepTheirLetterCase) {
    Bar().m_wndCharacterCombo->addItem(QStringLiteral("Genie"));
    Pick(Bar().m_wndCharacterCombo, "Genie");
    Frame().SendCommand(ID_SCRIPT_READ);
    EXPECT_EQ(Text(), "<Genie Read>");
}

TEST_F(ScriptCommandTest, ChoosingFromAListHandsTheKeyboardBackToTheMessage) {
    Frame().show();
    Frame().activateWindow();
    if (!QTest::qWaitForWindowActive(&Frame()))
        GTEST_SKIP() << "the platform does not activate windows";
    QComboBox* animations = Bar().m_wndAnimationCombo;
    animations->setFocus();
    animations->setCurrentIndex(3);
    emit animations->activated(3);
    EXPECT_EQ(QApplication::focusWidget(), m_view);
}

TEST_F(ScriptCommandTest, EachTagIsOneUndoStepAfterTheHistoryBeforeIt) {
    Type("Hello");
    Pick(Bar().m_wndAnimationCombo, "Wave");
    for (UINT command : {ID_SCRIPT_PLAY, ID_SCRIPT_READ}) {
        Frame().SendCommand(command);
        ASSERT_TRUE(m_view->document()->isUndoAvailable());
    }
    ASSERT_EQ(Text(), "Hello<genie Play Wave><genie Read>");
    m_view->undo();
    EXPECT_EQ(Text(), "Hello<genie Play Wave>");
    EXPECT_EQ(FormatOf(5, 22).crTextColor, 0x0000FFu);
    m_view->undo();
    EXPECT_EQ(Text(), "Hello");
    // What was typed before the tags is still in the history.
    EXPECT_TRUE(m_view->document()->isUndoAvailable());
    m_view->redo();
    EXPECT_EQ(Text(), "Hello<genie Play Wave>");
    EXPECT_EQ(FormatOf(5, 22).crTextColor, 0x0000FFu);
}

TEST_F(ScriptCommandTest, TextTypedAfterATagTakesTheFormatOfTheTextAroundTheCaret) {
    // Keys as the user presses them; "R" stands for Script > Read. What was typed after the
    // last tag must be in the paragraph's text format: never the command colour, never the
    // format of another paragraph (the welcome message's heading is 18 pt bold navy).
    struct Row {
        const char* what;
        bool welcome;               // starts from the welcome message, else a new message
        std::vector<QString> steps; // keys, or "R"
        const char* typed;          // the text typed after the last tag
    };
    const Row rows[] = {
        {"welcome message, a new paragraph at its end", true, {"ctrl+end", "enter", "R", "Z"}, "Z"},
        {"a tag at the end of a line that starts with a tag",
         false,
         {"aaa", "enter", "bbb", "enter", "R", "Y", "up", "home", "R", "X", "end", "R", "W"},
         "W"},
    };
    for (const Row& row : rows) {
        m_view->clear();
        m_view->ApplyDefaultFormats();
        if (row.welcome) {
            QFile file(QStringLiteral(PARL_SOURCE_DIR "/examples/welcome.rtf"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray rtf = file.readAll();
            m_view->StreamInRtf(rtf.constData(), static_cast<std::size_t>(rtf.size()));
        }
        for (const QString& step : row.steps) {
            if (step == "R")
                Frame().SendCommand(ID_SCRIPT_READ);
            else if (step == "ctrl+end")
                QTest::keyClick(m_view, Qt::Key_End, Qt::ControlModifier);
            else if (step == "enter")
                QTest::keyClick(m_view, Qt::Key_Return);
            else if (step == "up")
                QTest::keyClick(m_view, Qt::Key_Up);
            else if (step == "home")
                QTest::keyClick(m_view, Qt::Key_Home);
            else if (step == "end")
                QTest::keyClick(m_view, Qt::Key_End);
            else
                QTest::keyClicks(m_view, step);
        }
        // The caret stands right after the typed letter, the tag's ">" before it.
        const int caret = m_view->textCursor().position();
        QTextCursor around(m_view->document());
        around.setPosition(caret - 2);
        around.setPosition(caret, QTextCursor::KeepAnchor);
        ASSERT_EQ(around.selectedText(), QString(">") + row.typed) << row.what;
        const CHARFORMAT typed =
            FormatOf(m_view->CpFromPosition(caret - 1), m_view->CpFromPosition(caret));
        EXPECT_EQ(typed.crTextColor, 0u) << row.what;
        EXPECT_EQ(typed.dwEffects & CFE_BOLD, 0u) << row.what;
        EXPECT_EQ(typed.yHeight, 240) << row.what;
        EXPECT_STREQ(typed.szFaceName, "Arial") << row.what;
        // The tag itself keeps the command colour to its last character.
        around.setPosition(caret - 1);
        EXPECT_EQ(around.charFormat().foreground().color(), QColor(Qt::red)) << row.what;
    }
}
