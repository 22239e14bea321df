// The exact bytes the control writes: the form the message compiler reads.
#include "rich_edit_test_support.h"

#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <gtest/gtest.h>

using namespace richedit_test;

namespace {

std::string Body(const std::string& rtf, const std::string& header = kArialBlackHeader) {
    EXPECT_EQ(rtf.substr(0, header.size()), header);
    return rtf.size() >= header.size() ? rtf.substr(header.size()) : std::string();
}

QByteArray TinyPng() {
    QImage image(2, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

std::string Hex(const QByteArray& bytes) {
    return bytes.toHex().toStdString();
}

} // namespace

TEST(RtfWriter, anEmptyNewMessageIsOneParagraphMarkInTheDefaultFormat) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    EXPECT_EQ(StreamOut(ctrl),
              kArialBlackHeader + "\\pard\\li50\\plain\\f0\\fs24\\cf0 \r\n\\par }");
}

TEST(RtfWriter, everyRunStatesAllItsFormatsAfterPlain) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "Hello big");
    Format(ctrl, 6, 9, CFM_BOLD, CFE_BOLD);
    EXPECT_EQ(Body(StreamOut(ctrl)),
              "\\pard\\li50\\plain\\f0\\fs24\\cf0 Hello \\plain\\f0\\fs24\\b\\cf0 big\r\n\\par }");
}

TEST(RtfWriter, effectsComeInTheOrderBoldItalicUnderlineThenTheColourAndOnlyUsedColoursAreListed) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "x");
    Format(ctrl, 0, 1, CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR,
           CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE, RGB(0, 128, 255));
    EXPECT_EQ(StreamOut(ctrl), "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                               "{\\colortbl\\red0\\green128\\blue255;}\r\n\\deflang1033"
                               "\\pard\\li50\\plain\\f0\\fs24\\b\\i\\ul\\cf0 x\r\n\\par }");
}

TEST(RtfWriter, paragraphsStartWithPardAndTheirFormatsAndEndWithCrLfPar) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "One\r\nTwo\r\nThree");
    Select(ctrl, 5, 6); // inside "Two": a paragraph mark counts two positions
    PARAFORMAT centre = ParaRecord(PFM_ALIGNMENT);
    centre.wAlignment = PFA_CENTER;
    SetParaFormat(ctrl, centre);
    Format(ctrl, 10, 15, CFM_COLOR, 0, RGB(255, 0, 0));
    EXPECT_EQ(StreamOut(ctrl),
              "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n\\deflang1033"
              "\\pard\\li50\\plain\\f0\\fs24\\cf0 One\r\n\\par "
              "\\pard\\qc\\li50\\plain\\f0\\fs24\\cf0 Two\r\n\\par "
              "\\pard\\li50\\plain\\f0\\fs24\\cf1 Three\r\n\\par }");
}

TEST(RtfWriter, theLeftIndentCountsTheOffsetAndTheFirstLineIsMinusTheOffset) {
    struct Row {
        const char* what;
        LONG start, offset;
        const char* words;
    } rows[] = {
        {"no indent", 0, 0, "\\pard"},
        {"start only", 750, 0, "\\pard\\li750"},
        {"hanging", 720, 360, "\\pard\\li1080\\fi-360"},
        {"first line further in", 720, -360, "\\pard\\li360\\fi360"},
        {"offset back to the edge", 360, -360, "\\pard\\fi360"},
        {"negative start", -700, 0, "\\pard\\li-700"},
    };
    for (const Row& row : rows) {
        CRichEditCtrl ctrl;
        ApplyProgramDefaults(ctrl);
        PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_OFFSET);
        pf.dxStartIndent = row.start;
        pf.dxOffset = row.offset;
        SetParaFormat(ctrl, pf);
        EXPECT_EQ(Body(StreamOut(ctrl)),
                  std::string(row.words) + "\\plain\\f0\\fs24\\cf0 \r\n\\par }")
            << row.what;
    }
}

TEST(RtfWriter, bracesBackslashesTabsAndCharactersAbove127AreEscaped) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "a\\b{c}d\te caf\xE9 \x80");
    QTextCursor cursor = ctrl.textCursor();
    cursor.insertText(QString::fromUtf8(" \xCE\xA9 \xF0\x9F\x98\x80")); // Omega, an emoji
    EXPECT_EQ(Body(StreamOut(ctrl)), "\\pard\\li50\\plain\\f0\\fs24\\cf0 "
                                     "a\\\\b\\{c\\}d\\tab e caf\\'e9 \\'80 \\u937? "
                                     "\\u-10179?\\u-8704?\r\n\\par }");
}

TEST(RtfWriter, fontsAndColoursAreNumberedInOrderOfFirstUse) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "abcd");
    Format(ctrl, 1, 2, CFM_FACE | CFM_COLOR, 0, RGB(0, 0, 255), 240, "Times New Roman");
    Format(ctrl, 2, 3, CFM_FACE, 0, 0, 240, "Courier New");
    Format(ctrl, 3, 4, CFM_FACE | CFM_COLOR, 0, RGB(0, 0, 255), 240, "Mystery Face");
    EXPECT_EQ(StreamOut(ctrl),
              "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}"
              "{\\f1\\froman Times New Roman;}{\\f2\\fmodern Courier New;}{\\f3\\fnil Mystery "
              "Face;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n\\deflang1033"
              "\\pard\\li50\\plain\\f0\\fs24\\cf0 a\\plain\\f1\\fs24\\cf1 b"
              "\\plain\\f2\\fs24\\cf0 c\\plain\\f3\\fs24\\cf1 d\r\n\\par }");
}

TEST(RtfWriter, aFontOfAnotherCharsetSaysSoAndWritesUnicodeForItsCharacters) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "\xE9");
    Select(ctrl, 0, 1);
    CHARFORMAT cf = CharRecord(CFM_FACE | CFM_CHARSET);
    std::strcpy(cf.szFaceName, "Symbol");
    cf.bCharSet = 2;
    SetCharFormat(ctrl, cf);
    Format(ctrl, 0, 1, CFM_FACE | CFM_CHARSET, 0, 0, 240, "Arial");
    cf.bCharSet = 204; // Cyrillic: \'hh would be read as Windows-1251
    std::strcpy(cf.szFaceName, "Arial");
    SetCharFormat(ctrl, cf);
    const std::string rtf = StreamOut(ctrl);
    EXPECT_NE(rtf.find("{\\f0\\fswiss\\fcharset204 Arial;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\cf0 \\u233?\r\n"), std::string::npos) << rtf;
}

TEST(RtfWriter, sizesAreWrittenInHalfPoints) {
    struct Row {
        LONG twips;
        const char* word;
    } rows[] = {
        {200, "\\fs20"}, {210, "\\fs21"}, {204, "\\fs20"}, {206, "\\fs21"}, {1440, "\\fs144"}};
    for (const Row& row : rows) {
        CRichEditCtrl ctrl;
        ApplyProgramDefaults(ctrl);
        Replace(ctrl, "x");
        Format(ctrl, 0, 1, CFM_SIZE, 0, 0, row.twips);
        EXPECT_NE(StreamOut(ctrl).find(std::string("\\plain\\f0") + row.word + "\\cf0 x"),
                  std::string::npos)
            << row.twips;
    }
}

TEST(RtfWriter, aPictureIsAGroupWithItsSizesAndTheBytesInHex) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "ab");
    Select(ctrl, 1, 1);
    const QByteArray png = TinyPng();
    ASSERT_TRUE(ctrl.InsertPicture(png, RtfPictureKind::Png));
    EXPECT_EQ(Body(StreamOut(ctrl)), "\\pard\\li50\\plain\\f0\\fs24\\cf0 a{\\pict\\pngblip\\picw2"
                                     "\\pich3\\picwgoal30\\pichgoal45 " +
                                         Hex(png) + "}b\r\n\\par }");
}

TEST(RtfWriter, automaticColourIsWrittenAsBlack) {
    CRichEditCtrl ctrl; // the control's own default is in the automatic colour
    Replace(ctrl, "x");
    EXPECT_EQ(StreamOut(ctrl), "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}"
                               "\r\n{\\colortbl\\red0\\green0\\blue0;}\r\n\\deflang1033"
                               "\\pard\\plain\\f0\\fs20\\cf0 x\r\n\\par }");
}

TEST(RtfWriter, theRtfReachesTheCallbackInChunksWhateverTheReceiverTakes) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    std::string text(10000, 'x');
    Replace(ctrl, text.c_str());
    const std::string whole = StreamOut(ctrl);

    OutSink sink;
    sink.chunkLimit = 7;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&sink), 0, &TakeChunk};
    const LRESULT written = ctrl.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    EXPECT_EQ(sink.bytes, whole);
    EXPECT_EQ(written, static_cast<LRESULT>(whole.size()));
    EXPECT_GT(sink.calls, static_cast<int>(whole.size() / 4096));
}

TEST(RtfWriter, aCallbackErrorEndsTheStreamAndIsReported) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    std::string text(10000, 'x');
    Replace(ctrl, text.c_str());
    int calls = 0;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&calls), 0,
                  [](DWORD_PTR cookie, BYTE*, LONG, LONG* pcb) -> DWORD {
                      ++*reinterpret_cast<int*>(cookie);
                      *pcb = 0;
                      return static_cast<DWORD>(E_FAIL);
                  }};
    ctrl.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(es.dwError, static_cast<DWORD>(E_FAIL));
}

TEST(RtfWriter, plainTextOutIsWindows1252WithCrLfBetweenParagraphs) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "caf\xE9\r\n\tend");
    ctrl.textCursor().insertText(QString::fromUtf8("\xCE\xA9"));
    EXPECT_EQ(StreamOut(ctrl, SF_TEXT), "caf\xE9\r\n\tend?");
}
