// The control's messages as the program's commands use them.
#include "rich_edit_test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

using namespace richedit_test;

namespace {

CHARFORMAT FormatOf(IRichEditCtrl& ctrl, LONG cpMin, LONG cpMax) {
    Select(ctrl, cpMin, cpMax);
    return GetCharFormat(ctrl);
}

bool Modified(IRichEditCtrl& ctrl) {
    return ctrl.SendMessage(EM_GETMODIFY, 0, 0) != 0;
}

} // namespace

TEST(Selection, positionsCountAParagraphMarkAsTwoCharacters) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "One\r\nTwo");
    CHARRANGE caret = Selection(ctrl);
    EXPECT_EQ(caret.cpMin, 8);
    EXPECT_EQ(caret.cpMax, 8);
    Select(ctrl, 5, 8);
    EXPECT_EQ(ctrl.textCursor().selectedText(), QString("Two"));
    Select(ctrl, 4, 4); // between CR and LF: before the mark
    EXPECT_EQ(Selection(ctrl).cpMin, 3);
}

TEST(Selection, zeroToMinusOneSelectsAllAndOutOfRangeEndsAreClamped) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "One\r\nTwo");
    Select(ctrl, 0, -1);
    EXPECT_EQ(Selection(ctrl).cpMin, 0);
    EXPECT_EQ(Selection(ctrl).cpMax, 8);
    Select(ctrl, 2, 1000);
    EXPECT_EQ(Selection(ctrl).cpMax, 8);
    Select(ctrl, 6, 2);
    EXPECT_EQ(Selection(ctrl).cpMin, 2);
    EXPECT_EQ(Selection(ctrl).cpMax, 6);
    Select(ctrl, -1, 0); // drops the selection, caret at its end
    EXPECT_EQ(Selection(ctrl).cpMin, 6);
    EXPECT_EQ(Selection(ctrl).cpMax, 6);
}

TEST(ReplaceSelection, aTagReplacedAndReselectedTakesTheColourAloneAndLeavesTheCaretAfterIt) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "Hello wide world");
    Select(ctrl, 6, 10); // "wide"
    const char* tag = "<genie Speak two\r\nlines>";
    const LONG start = Selection(ctrl).cpMin;
    const LONG length = static_cast<LONG>(std::strlen(tag));
    Replace(ctrl, tag, false);
    Select(ctrl, start, start + length);
    ctrl.SendMessage(EM_HIDESELECTION, 1, 0);
    Format(ctrl, start, start + length, CFM_COLOR, 0, RGB(255, 0, 0));
    Select(ctrl, start + length, start + length);
    ctrl.SendMessage(EM_HIDESELECTION, 0, 0);

    EXPECT_EQ(PlainText(ctrl), QString("Hello <genie Speak two\nlines> world"));
    EXPECT_EQ(FormatOf(ctrl, start, start + length).crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(FormatOf(ctrl, start, start + length).dwMask & CFM_COLOR, CFM_COLOR);
    EXPECT_EQ(FormatOf(ctrl, start - 1, start).crTextColor, RGB(0, 0, 0));
    EXPECT_EQ(FormatOf(ctrl, start + length, start + length + 1).crTextColor, RGB(0, 0, 0));
    Select(ctrl, start + length, start + length);
    QTextCursor caret = ctrl.textCursor();
    caret.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor);
    EXPECT_EQ(caret.selectedText(), QString(">"));
    EXPECT_TRUE(Modified(ctrl));
}

TEST(ReplaceSelection, onlyAnUndoableReplacementCanBeUndone) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "abc", true);
    EXPECT_TRUE(ctrl.document()->isUndoAvailable());
    ctrl.undo();
    EXPECT_EQ(PlainText(ctrl), QString());

    Replace(ctrl, "abc", false);
    EXPECT_FALSE(ctrl.document()->isUndoAvailable());
    EXPECT_EQ(PlainText(ctrl), QString("abc"));
}

TEST(ReplaceSelection, insertedTextTakesTheFormatOfItsPlace) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "bold text");
    Format(ctrl, 0, 9, CFM_BOLD | CFM_SIZE, CFE_BOLD, 0, 280);
    Select(ctrl, 2, 2);
    Replace(ctrl, "<tag>");
    const CHARFORMAT cf = FormatOf(ctrl, 2, 7);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.yHeight, 280);
    Select(ctrl, 0, 4); // a selection replaced gives its first character's format
    Replace(ctrl, "X");
    EXPECT_TRUE(FormatOf(ctrl, 0, 1).dwEffects & CFE_BOLD);
}

TEST(ReplaceSelection, windows1252BytesBecomeTheirCharacters) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "\x80 caf\xE9 \x93q\x94");
    EXPECT_EQ(PlainText(ctrl),
              QString::fromUtf8("\xE2\x82\xAC caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D"));
}

TEST(CharFormat, aMixedSelectionReturnsOnlyTheUniformAttributesInTheMask) {
    struct Row {
        const char* what;
        DWORD mask;
        DWORD effects;
        COLORREF color;
        LONG twips;
        const char* face;
    } rows[] = {
        {"bold", CFM_BOLD, CFE_BOLD, 0, 240, "Arial"},
        {"italic", CFM_ITALIC, CFE_ITALIC, 0, 240, "Arial"},
        {"underline", CFM_UNDERLINE, CFE_UNDERLINE, 0, 240, "Arial"},
        {"strikeout", CFM_STRIKEOUT, CFE_STRIKEOUT, 0, 240, "Arial"},
        {"colour", CFM_COLOR, 0, RGB(1, 2, 3), 240, "Arial"},
        {"automatic colour", CFM_COLOR, CFE_AUTOCOLOR, 0, 240, "Arial"},
        {"size", CFM_SIZE, 0, 0, 360, "Arial"},
        {"face", CFM_FACE, 0, 0, 240, "Courier New"},
    };
    for (const Row& row : rows) {
        CRichEditCtrl ctrl;
        ApplyProgramDefaults(ctrl);
        Replace(ctrl, "aaaabbbb");
        Format(ctrl, 4, 8, row.mask, row.effects, row.color, row.twips, row.face);

        const CHARFORMAT mixed = FormatOf(ctrl, 2, 6);
        EXPECT_EQ(mixed.dwMask & row.mask, 0u) << row.what;
        EXPECT_EQ(mixed.dwMask | row.mask, CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                                               CFM_PROTECTED | CFM_CHARSET | CFM_OFFSET | CFM_FACE |
                                               CFM_COLOR | CFM_SIZE)
            << row.what;
        EXPECT_STREQ(mixed.szFaceName, "Arial") << row.what << ": values of the first character";

        const CHARFORMAT uniform = FormatOf(ctrl, 4, 8);
        EXPECT_EQ(uniform.dwMask & row.mask, row.mask) << row.what;
        EXPECT_EQ(uniform.dwEffects & row.effects, row.effects) << row.what;
    }
}

TEST(CharFormat, aWriteChangesOnlyTheAttributesInItsMask) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "text");
    Format(ctrl, 0, 4, CFM_BOLD | CFM_COLOR | CFM_SIZE, CFE_BOLD, RGB(0, 0, 200), 300);
    Format(ctrl, 0, 4, CFM_ITALIC, CFE_ITALIC, RGB(9, 9, 9), 999, "Courier New");
    const CHARFORMAT cf = FormatOf(ctrl, 0, 4);
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR), CFE_BOLD | CFE_ITALIC);
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 200));
    EXPECT_EQ(cf.yHeight, 300);
    EXPECT_STREQ(cf.szFaceName, "Arial");
}

TEST(CharFormat, togglingBoldOnAPartlyBoldSelectionWithTheReturnedMaskChangesNothing) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "half bold");
    Format(ctrl, 5, 9, CFM_BOLD, CFE_BOLD);
    Select(ctrl, 0, 9);
    CHARFORMAT cf = CharRecord(CFM_BOLD);
    ctrl.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    cf.dwEffects ^= CFE_BOLD;
    SetCharFormat(ctrl, cf);
    EXPECT_FALSE(FormatOf(ctrl, 0, 4).dwEffects & CFE_BOLD);
    EXPECT_TRUE(FormatOf(ctrl, 5, 9).dwEffects & CFE_BOLD);
}

TEST(CharFormat, automaticColourReadsAsThePaletteTextColourWithItsEffectSet) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "x");
    Format(ctrl, 0, 1, CFM_COLOR, CFE_AUTOCOLOR, RGB(255, 0, 0));
    const CHARFORMAT cf = FormatOf(ctrl, 0, 1);
    EXPECT_TRUE(cf.dwEffects & CFE_AUTOCOLOR);
    const QColor text = ctrl.palette().color(QPalette::Text);
    EXPECT_EQ(cf.crTextColor, RGB(text.red(), text.green(), text.blue()));
}

TEST(CharFormat, theDefaultFormatAppliesToTypingIntoAnEmptyControl) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    EXPECT_FALSE(Modified(ctrl));
    const CHARFORMAT def = GetCharFormat(ctrl, SCF_DEFAULT);
    EXPECT_STREQ(def.szFaceName, "Arial");
    EXPECT_EQ(def.yHeight, 240);

    QTest::keyClicks(&ctrl, "Hi");
    EXPECT_EQ(PlainText(ctrl), QString("Hi"));
    const CHARFORMAT typed = FormatOf(ctrl, 0, 2);
    EXPECT_STREQ(typed.szFaceName, "Arial");
    EXPECT_EQ(typed.yHeight, 240);
    EXPECT_EQ(typed.crTextColor, RGB(0, 0, 0));
    EXPECT_EQ(typed.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_AUTOCOLOR), 0u);
    EXPECT_EQ(GetParaFormat(ctrl).dxStartIndent, 50);
    EXPECT_TRUE(Modified(ctrl));
}

TEST(CharFormat, aFormatSetAtTheCaretAppliesToTheTextTypedNext) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    QTest::keyClicks(&ctrl, "ab");
    ctrl.SendMessage(EM_SETMODIFY, FALSE, 0);
    Format(ctrl, 2, 2, CFM_BOLD, CFE_BOLD);
    EXPECT_FALSE(Modified(ctrl)) << "no text changed yet";
    EXPECT_TRUE(GetCharFormat(ctrl).dwEffects & CFE_BOLD);
    QTest::keyClicks(&ctrl, "cd");
    EXPECT_FALSE(FormatOf(ctrl, 0, 2).dwEffects & CFE_BOLD);
    EXPECT_TRUE(FormatOf(ctrl, 2, 4).dwEffects & CFE_BOLD);
}

TEST(CharFormat, recordsOfAnotherSizeAreRefused) {
    CRichEditCtrl ctrl;
    Replace(ctrl, "x");
    Select(ctrl, 0, 1);
    CHARFORMAT cf = CharRecord(CFM_BOLD);
    cf.dwEffects = CFE_BOLD;
    cf.cbSize = 0;
    EXPECT_EQ(ctrl.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)), 0);
    EXPECT_FALSE(GetCharFormat(ctrl).dwEffects & CFE_BOLD);
    PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
    pf.cbSize = 60;
    EXPECT_EQ(ctrl.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)), 0);
}

TEST(ParaFormat, aWriteReachesEveryParagraphOfTheSelectionAndNoOther) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "one\r\ntwo\r\nthree\r\nfour");
    Select(ctrl, 1, 7); // from inside "one" to inside "two"
    PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
    pf.wAlignment = PFA_CENTER;
    SetParaFormat(ctrl, pf);
    Select(ctrl, 10, 17); // "three" and its mark: ends at the very start of "four"
    pf.wAlignment = PFA_RIGHT;
    SetParaFormat(ctrl, pf);

    const WORD expected[] = {PFA_CENTER, PFA_CENTER, PFA_RIGHT, PFA_LEFT};
    const LONG starts[] = {0, 5, 10, 17};
    for (int i = 0; i < 4; ++i) {
        Select(ctrl, starts[i], starts[i]);
        EXPECT_EQ(GetParaFormat(ctrl).wAlignment, expected[i]) << "paragraph " << i;
        EXPECT_EQ(GetParaFormat(ctrl).dxStartIndent, 50) << "paragraph " << i;
    }
}

TEST(ParaFormat, aReadGivesTheFirstParagraphAndMasksWhatDiffers) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "one\r\ntwo");
    Select(ctrl, 5, 5);
    PARAFORMAT indent = ParaRecord(PFM_STARTINDENT | PFM_OFFSET);
    indent.dxStartIndent = 1500;
    indent.dxOffset = -200;
    SetParaFormat(ctrl, indent);
    Select(ctrl, 0, 8);
    const PARAFORMAT pf = GetParaFormat(ctrl);
    EXPECT_EQ(pf.dxStartIndent, 50);
    EXPECT_EQ(pf.dxOffset, 0);
    EXPECT_EQ(pf.dwMask & (PFM_STARTINDENT | PFM_OFFSET), 0u);
    EXPECT_EQ(pf.dwMask & (PFM_ALIGNMENT | PFM_NUMBERING | PFM_RIGHTINDENT),
              PFM_ALIGNMENT | PFM_NUMBERING | PFM_RIGHTINDENT);
}

TEST(ParaFormat, indentStepsReadAndWrittenBackKeepTheirTwips) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    for (LONG expected : {800, 1550, 2300}) {
        PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_OFFSET);
        ctrl.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        pf.dxStartIndent += 750;
        pf.dxOffset = 0;
        SetParaFormat(ctrl, pf);
        EXPECT_EQ(GetParaFormat(ctrl).dxStartIndent, expected);
    }
    for (LONG expected : {1550, 800, 50, -700}) {
        PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_OFFSET);
        ctrl.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        pf.dxStartIndent -= 750;
        SetParaFormat(ctrl, pf);
        EXPECT_EQ(GetParaFormat(ctrl).dxStartIndent, expected);
    }
    EXPECT_EQ(ctrl.textCursor().blockFormat().leftMargin(), 0.0) << "shown at the edge";
}

TEST(Control, theBackgroundColourIsSetAndTheOldOneReturned) {
    CRichEditCtrl ctrl;
    ctrl.SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(RGB(10, 20, 30)));
    EXPECT_EQ(ctrl.palette().color(QPalette::Base), QColor(10, 20, 30));
    const LRESULT old = ctrl.SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(RGB(1, 2, 3)));
    EXPECT_EQ(static_cast<COLORREF>(old), RGB(10, 20, 30));
    EXPECT_FALSE(Modified(ctrl));
}

TEST(Control, everyEditOfTextOrFormatSetsTheModifiedState) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "text\r\nmore");
    const std::function<void()> edits[] = {
        [&] { Replace(ctrl, "x"); },
        [&] { Format(ctrl, 0, 2, CFM_ITALIC, CFE_ITALIC); },
        [&] {
            Select(ctrl, 0, 0);
            PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
            pf.wAlignment = PFA_CENTER;
            SetParaFormat(ctrl, pf);
        },
        [&] {
            Select(ctrl, 1, 1);
            QTest::keyClick(&ctrl, Qt::Key_Delete);
        },
    };
    for (const auto& edit : edits) {
        ctrl.SendMessage(EM_SETMODIFY, FALSE, 0);
        edit();
        EXPECT_TRUE(Modified(ctrl));
    }
    StreamIn(ctrl, StreamOut(ctrl));
    EXPECT_FALSE(Modified(ctrl)) << "a loaded message starts unmodified";
}

TEST(Control, hidingTheSelectionStopsRepaintingUntilItIsShown) {
    CRichEditCtrl ctrl;
    ctrl.SendMessage(EM_HIDESELECTION, 1, 0);
    EXPECT_FALSE(ctrl.viewport()->updatesEnabled());
    ctrl.SendMessage(EM_HIDESELECTION, 0, 0);
    EXPECT_TRUE(ctrl.viewport()->updatesEnabled());
}

TEST(Control, shiftEnterStartsAParagraphAsEnterDoes) {
    CRichEditCtrl ctrl;
    QTest::keyClicks(&ctrl, "a");
    QTest::keyClick(&ctrl, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&ctrl, "b");
    EXPECT_EQ(ctrl.document()->blockCount(), 2);
    EXPECT_EQ(StreamOut(ctrl, SF_TEXT), "a\r\nb");
}

// The paragraph format at character position `cp`.
PARAFORMAT ParaAt(CRichEditCtrl& ctrl, LONG cp) {
    Select(ctrl, cp, cp);
    return GetParaFormat(ctrl);
}

TEST(Control, copiedTextPastesWithItsFormatsAndForeignHtmlWithWhatAMessageCarries) {
    CRichEditCtrl source;
    ApplyProgramDefaults(source);
    Replace(source, "red and bold");
    Format(source, 0, 3, CFM_COLOR, 0, RGB(255, 0, 0));
    Format(source, 8, 12, CFM_BOLD, CFE_BOLD);
    Select(source, 0, 12);
    source.copy();

    CRichEditCtrl target;
    ApplyProgramDefaults(target);
    Replace(target, "[]");
    Select(target, 1, 1);
    target.paste();
    EXPECT_EQ(PlainText(target), QString("[red and bold]"));
    EXPECT_EQ(FormatOf(target, 1, 4).crTextColor, RGB(255, 0, 0));
    EXPECT_TRUE(FormatOf(target, 9, 13).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(target, 13, 14).dwEffects & CFE_BOLD);

    // A page from a browser or word processor keeps what a message can carry.
    const struct {
        const char* proves;
        const char* html;
        QString text;
        std::function<void(CRichEditCtrl&)> check;
    } rows[] = {
        {"table cells become text apart by tabs, one paragraph a row",
         "<table><tr><td><b>cell</b></td><td>two</td></tr><tr><td>x</td><td>y</td></tr></table>",
         "cell\ttwo\nx\ty",
         [](CRichEditCtrl& t) {
             EXPECT_TRUE(FormatOf(t, 0, 4).dwEffects & CFE_BOLD);
             EXPECT_FALSE(FormatOf(t, 5, 8).dwEffects & CFE_BOLD);
         }},
        {"list items become paragraphs starting with a bullet",
         "<ul><li><i>one</i></li><li>two end</li></ul>",
         QString::fromUtf8("\u2022 one\n\u2022 two end"),
         [](CRichEditCtrl& t) {
             EXPECT_TRUE(FormatOf(t, 2, 5).dwEffects & CFE_ITALIC);
             EXPECT_FALSE(FormatOf(t, 8, 11).dwEffects & CFE_ITALIC);
         }},
        {"faces, sizes, colours, underline, centring and link texts stay",
         "<p><u>u</u> <a href='http://example.com/'>link</a></p><p align=center><span "
         "style='color:#ff0000;font-size:18pt;font-family:Courier New'>big</span> end</p>",
         "u link\nbig end",
         [](CRichEditCtrl& t) {
             const CHARFORMAT big = FormatOf(t, 7, 10);
             EXPECT_EQ(big.crTextColor, RGB(255, 0, 0));
             EXPECT_EQ(big.yHeight, 360);
             EXPECT_STREQ(big.szFaceName, "Courier New");
             EXPECT_TRUE(FormatOf(t, 0, 1).dwEffects & CFE_UNDERLINE);
             EXPECT_FALSE(FormatOf(t, 1, 2).dwEffects & CFE_UNDERLINE);
             EXPECT_EQ(ParaAt(t, 8).wAlignment, PFA_CENTER);
             EXPECT_EQ(ParaAt(t, 2).wAlignment, PFA_LEFT);
         }},
    };
    for (const auto& row : rows) {
        auto* html = new QMimeData;
        html->setHtml(QString::fromUtf8(row.html)); // HTML alone: no text beside it
        QApplication::clipboard()->setMimeData(html);
        EXPECT_TRUE(target.canPaste()) << row.proves;
        Select(target, 0, -1);
        target.paste();
        EXPECT_EQ(PlainText(target), row.text) << row.proves;
        row.check(target);
    }
}

TEST(Control, aLoadedMessageHasTheCaretAtTheStartAndTypingGoesThere) {
    CRichEditCtrl ctrl;
    ctrl.resize(400, 300);
    ctrl.show();
    Replace(ctrl, "old content that is replaced");
    StreamIn(ctrl, "{\\rtf1 first\\par second\\par}");
    EXPECT_EQ(Selection(ctrl).cpMin, 0);
    EXPECT_EQ(Selection(ctrl).cpMax, 0);
    QTest::keyClicks(&ctrl, "new ");
    EXPECT_EQ(PlainText(ctrl), QString("new first\nsecond"));
    while (ctrl.document()->isUndoAvailable())
        ctrl.undo();
    EXPECT_EQ(PlainText(ctrl), QString("first\nsecond")) << "undo stops at the load";
}

TEST(Control, textTypedAfterAPictureIsText) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ASSERT_TRUE(ctrl.InsertPicture(png, RtfPictureKind::Png));
    QTest::keyClicks(&ctrl, "ab");
    Replace(ctrl, "cd");
    EXPECT_EQ(PlainText(ctrl), QString(QChar::ObjectReplacementCharacter) + "abcd");
    EXPECT_EQ(StreamOut(ctrl).find("{\\pict"), StreamOut(ctrl).rfind("{\\pict"))
        << "one picture only";
    EXPECT_NE(StreamOut(ctrl).find("}abcd\r\n\\par }"), std::string::npos) << StreamOut(ctrl);
}
