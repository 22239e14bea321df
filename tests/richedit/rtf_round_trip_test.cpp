// What the editor shows, written and read back, shows the same and writes the same bytes.
#include "rich_edit_test_support.h"

#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

using namespace richedit_test;

namespace {

QByteArray Picture(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void Indent(IRichEditCtrl& ctrl, LONG cpMin, LONG cpMax, LONG start, LONG offset, WORD align) {
    Select(ctrl, cpMin, cpMax);
    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_OFFSET | PFM_ALIGNMENT);
    pf.dxStartIndent = start;
    pf.dxOffset = offset;
    pf.wAlignment = align;
    SetParaFormat(ctrl, pf);
}

struct Case {
    const char* what;
    std::function<void(CRichEditCtrl&)> build;
};

const Case kCases[] = {
    {"an empty message", [](CRichEditCtrl&) {}},
    {"plain text in several paragraphs",
     [](CRichEditCtrl& c) { Replace(c, "First line\r\nSecond line\r\n\r\nAfter an empty one"); }},
    {"bold, italic, underline and strikeout runs",
     [](CRichEditCtrl& c) {
         Replace(c, "plain bold italic under strike all");
         Format(c, 6, 10, CFM_BOLD, CFE_BOLD);
         Format(c, 11, 17, CFM_ITALIC, CFE_ITALIC);
         Format(c, 18, 23, CFM_UNDERLINE, CFE_UNDERLINE);
         Format(c, 24, 30, CFM_STRIKEOUT, CFE_STRIKEOUT);
         Format(c, 31, 34, CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE,
                CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE);
     }},
    {"faces, sizes and colours",
     [](CRichEditCtrl& c) {
         Replace(c, "Times big red, Courier small blue, mystery");
         Format(c, 0, 13, CFM_FACE | CFM_SIZE | CFM_COLOR, 0, RGB(255, 0, 0), 480,
                "Times New Roman");
         Format(c, 15, 33, CFM_FACE | CFM_SIZE | CFM_COLOR, 0, RGB(0, 0, 255), 160, "Courier New");
         Format(c, 35, 42, CFM_FACE | CFM_SIZE, 0, 0, 250, "Mystery Sans 3");
     }},
    {"a tag in the command colour",
     [](CRichEditCtrl& c) {
         Replace(c, "Hello ");
         Replace(c, "<genie Play Wave>", false);
         Format(c, 6, 23, CFM_COLOR, 0, RGB(255, 0, 0));
         Select(c, 23, 23);
         Replace(c, " there");
     }},
    {"indents with offsets, centred and right-aligned paragraphs",
     [](CRichEditCtrl& c) {
         Replace(c, "hanging\r\nfirst further\r\ncentred\r\nright\r\njustified\r\nnegative");
         Indent(c, 0, 0, 720, 360, PFA_LEFT);
         Indent(c, 9, 9, 1440, -720, PFA_LEFT);
         Indent(c, 24, 24, 0, 0, PFA_CENTER);
         Indent(c, 33, 33, 750, 0, PFA_RIGHT);
         Indent(c, 40, 40, 50, 0, PFA_JUSTIFY);
         Indent(c, 51, 51, -700, 0, PFA_LEFT);
         Select(c, 51, 51);
         PARAFORMAT right = ParaRecord(PFM_RIGHTINDENT);
         right.dxRightIndent = 1000;
         SetParaFormat(c, right);
     }},
    {"characters above 127 and above 255",
     [](CRichEditCtrl& c) {
         Replace(c, "caf\xE9 \x80 \x9F\x81");
         c.textCursor().insertText(
             QString::fromUtf8(" \xCE\xA9\xD0\x96 \xE2\x82\xAC \xF0\x9F\x98\x80 \xC2\xA0"));
     }},
    {"braces, backslashes and tabs",
     [](CRichEditCtrl& c) { Replace(c, "{\\rtf1 not a header}\t\\par }{\t\t"); }},
    {"text starting with blanks after a format change",
     [](CRichEditCtrl& c) {
         Replace(c, "a   b  ");
         Format(c, 1, 5, CFM_BOLD, CFE_BOLD);
     }},
    {"pictures between text",
     [](CRichEditCtrl& c) {
         Replace(c, "before  after\r\n");
         Select(c, 7, 7);
         ASSERT_TRUE(c.InsertPicture(Picture("PNG", 5, 4), RtfPictureKind::Png));
         Select(c, 15, 15);
         ASSERT_TRUE(c.InsertPicture(Picture("JPEG", 8, 8), RtfPictureKind::Jpeg));
     }},
    {"empty paragraphs keep the format of their marks",
     [](CRichEditCtrl& c) {
         Replace(c, "\r\nx\r\n");
         Select(c, 0, 0);
         CHARFORMAT cf = CharRecord(CFM_SIZE);
         cf.yHeight = 400;
         c.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
         c.textCursor().setBlockCharFormat(CRichEditFormat::DeltaFromRecord(cf));
     }},
    {"a font of another charset",
     [](CRichEditCtrl& c) {
         Replace(c, "ab");
         Select(c, 0, 1);
         CHARFORMAT cf = CharRecord(CFM_FACE | CFM_CHARSET);
         std::strcpy(cf.szFaceName, "Arial");
         cf.bCharSet = 204;
         c.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
         Select(c, 0, 1);
         c.textCursor().insertText(QString::fromUtf8("\xD0\x96"));
     }},
};

class RoundTrip : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(RoundTrip, showsTheSameAndWritesTheSameBytes) {
    CRichEditCtrl first;
    ApplyProgramDefaults(first);
    GetParam().build(first);
    const std::string rtf = StreamOut(first);

    CRichEditCtrl second;
    StreamIn(second, rtf);
    EXPECT_EQ(Describe(second), Describe(first)) << rtf;
    EXPECT_EQ(StreamOut(second), rtf);
}

INSTANTIATE_TEST_SUITE_P(Messages, RoundTrip, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             std::string name;
                             for (const char* p = param.param.what; *p != '\0'; ++p) {
                                 if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') ||
                                     (*p >= '0' && *p <= '9'))
                                     name += *p;
                                 else if (!name.empty() && name.back() != '_')
                                     name += '_';
                             }
                             return name;
                         });

TEST(RoundTripRules, automaticColourComesBackAsExplicitBlackAndThenStaysTheSame) {
    CRichEditCtrl first; // its own default colour is automatic
    Replace(first, "auto");
    const std::string rtf = StreamOut(first);
    CRichEditCtrl second;
    StreamIn(second, rtf);
    Select(second, 0, 4);
    const CHARFORMAT cf = GetCharFormat(second);
    EXPECT_EQ(cf.dwEffects & CFE_AUTOCOLOR, 0u);
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 0));
    EXPECT_EQ(StreamOut(second), rtf);
}

TEST(RoundTripRules, twipsSurviveExactlyWhereQtWouldRoundPixels) {
    CRichEditCtrl first;
    ApplyProgramDefaults(first);
    Indent(first, 0, 0, 7, 13, PFA_LEFT); // a fraction of a pixel each
    const std::string rtf = StreamOut(first);
    CRichEditCtrl second;
    StreamIn(second, rtf);
    const PARAFORMAT pf = GetParaFormat(second);
    EXPECT_EQ(pf.dxStartIndent, 7);
    EXPECT_EQ(pf.dxOffset, 13);
}

TEST(RoundTripRules, aLargeMessageComesBackWhole) {
    CRichEditCtrl first;
    ApplyProgramDefaults(first);
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "Paragraph " + std::to_string(i) + " with <genie Speak words> in it\r\n";
    Replace(first, text.c_str());
    for (LONG cp = 0; cp < 20000; cp += 997)
        Format(first, cp, cp + 5, CFM_BOLD | CFM_COLOR, CFE_BOLD, RGB(cp % 256, 0, 0));
    const std::string rtf = StreamOut(first);
    CRichEditCtrl second;
    StreamIn(second, rtf);
    EXPECT_EQ(second.document()->blockCount(), first.document()->blockCount());
    EXPECT_EQ(StreamOut(second), rtf);
}
