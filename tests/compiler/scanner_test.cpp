// The walk over the body: paragraphs, formats, escapes, braces and where the header ends.
#include "compile_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kP = "\\pard\\plain\\f2\\fs24\\cf0 "; // a plain Arial paragraph start

std::string Text(const std::string& body, const std::function<void(CParlDoc&)>& setup = {}) {
    return PageText(Compile(Rtf(body), setup).html());
}

std::string Div(const std::string& inner, const std::string& font = "000000\" size=3") {
    (void)font;
    return "<DIV><FONT color=000000 face=\"Arial\" size=3>" + inner + "</FONT></DIV>\r\n";
}

} // namespace

TEST(Paragraphs, anEmptyParagraphIsAnEmptyP) {
    EXPECT_EQ(PageText(Compile(std::string(kHeader) + "\\par }").html()), "<P></P>");
    EXPECT_EQ(Text(kP), "<P></P>");
}

TEST(Paragraphs, aBoldWordClosesInsideTheParagraphFont) {
    EXPECT_EQ(Text(kP + "Hello \\plain\\f2\\fs24\\b\\cf0 big"),
              "<DIV><FONT color=000000 face=\"Arial\" size=3>Hello <B>big</B></FONT></DIV>\r\n");
}

TEST(Paragraphs, aParagraphHoldingOnlyATagIsEmpty) {
    EXPECT_EQ(Text(kP + "<genie Play Wave>"), "<P></P>");
}

TEST(Paragraphs, anIndentedCentredParagraphClosesWhatItOpened) {
    EXPECT_EQ(Text("\\pard\\li750\\qc\\plain\\f2\\fs24\\b\\cf0 Hi"),
              "<DIV STYLE=\"position:relative;left:50\"><FONT color=000000 face=\"Arial\" "
              "size=3><CENTER><B>Hi</B></STYLE></CENTER></FONT></DIV>\r\n");
}

TEST(Paragraphs, aChangeOfColourOpensAFreshFontTagUntilPlain) {
    EXPECT_EQ(Text(kP + "black \\cf1 red \\cf1 still red\\plain\\f2\\fs24 after"),
              "<DIV><FONT color=000000 face=\"Arial\" size=3>black </FONT><FONT color=FF0000 "
              "face=\"Arial\" size=3>red </FONT><FONT color=FF0000 face=\"Arial\" size=3>still "
              "redafter</FONT></DIV>\r\n");
}

TEST(Paragraphs, textBeforeATagAndAfterItIsOneRun) {
    auto c = Compile(Rtf(kP + "before <genie Read>after"));
    EXPECT_EQ(PageText(c.html()), Div("before after"));
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"before after\")\r\n");
}

TEST(Paragraphs, formatsInsideATagChangeNothingAndItsParagraphMarkClosesNothing) {
    auto c = Compile(Rtf(kP + "a <genie Speak one \\b two\r\n\\par three>b"));
    EXPECT_EQ(PageText(c.html()), Div("a b"));
    EXPECT_NE(c.html().find("genie.Speak (\"one two three\")\r\n"), std::string::npos);
}

TEST(Paragraphs, textAfterTheLastControlWordIsNotWritten) {
    auto c = Compile(std::string(kHeader) + kP + "shown\r\n\\par trailing}");
    EXPECT_EQ(PageText(c.html()), Div("shown"));
}

TEST(Formats, halfPointsMapToHtmlSizes) {
    const std::pair<int, int> rows[] = {{19, 1}, {20, 2}, {23, 2}, {24, 3}, {27, 3},
                                        {28, 4}, {35, 4}, {36, 5}, {47, 5}, {48, 6},
                                        {71, 6}, {72, 7}, {0, 1},  {-5, 1}, {2000, 7}};
    for (auto [half, size] : rows) {
        const std::string t = Text("\\pard\\plain\\f2\\fs" + std::to_string(half) + "\\cf0 x");
        EXPECT_NE(t.find(" size=" + std::to_string(size) + ">x"), std::string::npos) << half;
    }
}

TEST(Formats, indentsStepFiftyPixelsPerWholeStep) {
    const std::pair<std::string, std::string> rows[] = {
        {"720", ""}, {"750", "50"}, {"1499", "50"}, {"1500", "100"}, {"-750", "-50"}};
    for (const auto& [twips, px] : rows) {
        const std::string t = Text("\\pard\\li" + twips + "\\plain\\f2\\fs24\\cf0 x");
        if (px.empty())
            EXPECT_EQ(t.rfind("<DIV><FONT", 0), 0u) << twips;
        else
            EXPECT_EQ(t.rfind("<DIV STYLE=\"position:relative;left:" + px + "\">", 0), 0u) << twips;
    }
}

TEST(Formats, runFlagsNestInOrderAndCloseInTheSameOrder) {
    EXPECT_EQ(Text(kP + "\\b\\i\\ul x"), Div("<B><I><U>x</B></I></U>"));
}

TEST(Formats, boldEndsOnlyAtPlain) {
    EXPECT_EQ(Text("\\pard\\plain\\f2\\plain\\b a\\b0 b\\plain c"), Div("<B>a</B><B>b</B>c"));
}

TEST(Formats, aFaceWithBlanksStandsWholeBetweenQuotes) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman Times New Roman;}}{\\colortbl\\red0\\green0\\blue0;}"
        "\\pard\\plain\\f0\\fs24\\cf0 x\r\n\\par }";
    EXPECT_NE(Compile(rtf).html().find("face=\"Times New Roman\" size=3>x"), std::string::npos);
}

TEST(Formats, pageTextIsNotEscaped) {
    EXPECT_EQ(Text(kP + "fish & chips"), Div("fish & chips"));
}

TEST(Escapes, escapedCharactersAreTextAndDoNotSplitTheRun) {
    auto c = Compile(Rtf(kP + "caf\\'e9 au lait \\{x\\} a\\\\b\\~c\\_d\\-e"));
    EXPECT_EQ(PageText(c.html()), Div("caf\xe9 au lait {x} a\\b\xa0"
                                      "c-de"));
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"caf\xe9 au lait {x} a\\b\xa0"
                              "c-de\")\r\n");
}

TEST(Escapes, unicodeBelow256IsItsByteAndAboveIsAnEntityWithItsFallbackSpoken) {
    auto c = Compile(Rtf(kP + "a\\u233?b \\u8364?5"));
    EXPECT_EQ(PageText(c.html()), Div("a\xe9"
                                      "b &#8364;5"));
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"a\xe9"
                              "b ?5\")\r\n");
    auto two = Compile(Rtf("\\pard\\uc2\\plain\\f2\\fs24\\cf0 \\u8212\\'97-c"));
    EXPECT_EQ(PageText(two.html()), Div("&#8212;c"));
    EXPECT_EQ(ScriptLines(two), "genie.Speak (\"\x97-c\")\r\n");
}

TEST(Escapes, surrogatePairsAreOneCharacterAndLoneHalvesTheReplacementCharacter) {
    struct Row {
        const char* what;
        std::string text;   // read aloud and written to the page
        std::string page;   // the page's text
        std::string speech; // the classic script's Speak line keeps the fallback
        std::string data;   // the player's step
    };
    const Row rows[] = {
        {"a pair", "a\\u-10179?\\u-8704?b", "a&#128512;b", "a??b", "a\\ud83d\\ude00b"},
        {"a pair given by positive numbers, no fallback", "\\uc0 \\u55357\\u56832 x", "&#128512;x",
         "x", "\\ud83d\\ude00x"},
        {"a lone high half before text", "\\u55357?z", "&#65533;z", "?z", "\\ufffdz"},
        {"a lone low half", "\\u56832?z", "&#65533;z", "?z", "\\ufffdz"},
        {"a high half before another high half and its pair", "\\u55357?\\u55357?\\u56832?",
         "&#65533;&#128512;", "???", "\\ufffd\\ud83d\\ude00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto c = Compile(Rtf(kP + row.text));
        EXPECT_EQ(PageText(c.html()), Div(row.page));
        EXPECT_EQ(ScriptLines(c), "genie.Speak (\"" + row.speech + "\")\r\n");
        EXPECT_NE(std::string::npos, c.doc->m_playback.Json().find("\"read\",\"" + row.data + "\""))
            << c.doc->m_playback.Json();
        // The same character in a Speak tag's text.
        auto tag = Compile(Rtf(kP + "<genie Speak " + row.text + ">"));
        EXPECT_NE(std::string::npos,
                  tag.doc->m_playback.Json().find("\"say\",\"" + row.data + "\""))
            << tag.doc->m_playback.Json();
        EXPECT_NE(std::string::npos, tag.html().find("genie.Speak (\"" + row.speech + "\")"));
    }
}

TEST(Escapes, negativeUnicodeCountsFromTheTopOfSixteenBits) {
    EXPECT_EQ(Text(kP + "\\u-3913?"), Div("&#61623;"));
}

TEST(Escapes, aLineBreakEndsAControlWord) {
    EXPECT_EQ(Text(kP + "one\\par\r\n\\pard\\plain\\f2\\fs24\\cf0 two"), Div("one") + Div("two"));
}

TEST(Braces, areStructureAndNeverPageText) {
    // The brace neither flushes the run nor ends the bold.
    EXPECT_EQ(Text("\\pard\\plain\\f2\\plain a {\\b b}c\\plain  d"), Div("a <B>bc</B> d"));
}

TEST(Braces, hiddenGroupsAreSkippedWhole) {
    EXPECT_EQ(Text(kP + "a{\\*\\bkmkstart x}b{\\pict\\pngblip 89504e47}c{\\object{\\objdata 01}}d"),
              Div("abcd"));
    const std::string field = Text(kP + "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}");
    EXPECT_NE(field.find(">link</FONT></DIV>"), std::string::npos) << field;
    EXPECT_EQ(field.find("HYPERLINK"), std::string::npos) << field;
}

TEST(Braces, aTagInsideAHiddenGroupIsNoTag) {
    auto c = Compile(Rtf(kP + "x{\\*\\comment <merlin Speak hidden>}"));
    EXPECT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"genie"});
}

TEST(Header, aTypedBraceNoLongerEndsTheHeader) {
    EXPECT_EQ(Text(kP + "before \\} after"), Div("before } after"));
}

TEST(Header, anEmbeddedPictureKeepsTheTextBeforeIt) {
    EXPECT_EQ(Text(kP + "before {\\pict\\pngblip\\picw10\\pich10 89504e470d0a} after"),
              Div("before  after"));
}

TEST(Header, fontsAreReadByNumberUntilTheFirstGap) {
    auto c = Compile(Rtf(kP + "x"));
    EXPECT_EQ(c.doc->m_arrFonts, (std::vector<std::string>{"MS Sans Serif", "Symbol", "Arial"}));
    auto gap = Compile("{\\rtf1{\\fonttbl{\\f0\\fnil A;}{\\f1\\fnil B;}{\\f3\\fnil D;}}"
                       "{\\colortbl;}\\pard x\\par }");
    EXPECT_EQ(gap.doc->m_arrFonts, (std::vector<std::string>{"A", "B"}));
}

TEST(Header, coloursKeepMissingComponentsAndShowLargeOnesWhole) {
    auto c = Compile("{\\rtf1{\\fonttbl{\\f0\\fnil A;}}{\\colortbl;\\red255\\green0\\blue0;"
                     "\\green128;\\red300\\green0\\blue0;}\\pard x\\par }");
    EXPECT_EQ(c.doc->m_arrColors,
              (std::vector<std::string>{"000000", "FF0000", "FF8000", "12C0000"}));
}

TEST(Header, aHeaderWithoutTablesLeavesThemEmptyAndTheTextWhole) {
    auto c = Compile("{\\rtf1\\ansi\\pard\\plain\\fs24 plain words\r\n\\par }");
    EXPECT_TRUE(c.doc->m_arrFonts.empty());
    EXPECT_TRUE(c.doc->m_arrColors.empty());
    EXPECT_EQ(PageText(c.html()),
              "<DIV><FONT color=000000 face=\"\" size=3>plain words</FONT></DIV>\r\n");
}

TEST(Header, rtfFromANewerControlSplitsAfterItsLastTable) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}"
        "\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Riched20 10.0.19041}"
        "\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1\\cf1\\f0\\fs22\\lang9 Red words\\par"
        "\r\n}\r\n";
    auto c = Compile(rtf);
    EXPECT_EQ(c.doc->m_arrFonts, std::vector<std::string>{"Calibri"});
    EXPECT_EQ(c.doc->m_arrColors, (std::vector<std::string>{"000000", "FF0000"}));
    EXPECT_EQ(PageText(c.html()),
              "<DIV><FONT color=FF0000 face=\"Calibri\" size=2>Red words</FONT></DIV>\r\n");
}

TEST(Header, outOfTableNumbersReadBlackAndTheFirstFace) {
    EXPECT_EQ(Text("\\pard\\plain\\f9\\fs24\\cf7 x"),
              "<DIV><FONT color=000000 face=\"MS Sans Serif\" size=3>x</FONT></DIV>\r\n");
    EXPECT_EQ(Text("\\pard\\plain\\f-1\\fs24\\cf-3 x"),
              "<DIV><FONT color=000000 face=\"MS Sans Serif\" size=3>x</FONT></DIV>\r\n");
}

TEST(Header, hugeNumbersAreClampedNotOverflowed) {
    EXPECT_EQ(Text("\\pard\\li99999999999999\\plain\\f2\\fs99999999999\\cf0 x"),
              "<DIV STYLE=\"position:relative;left:143165550\"><FONT color=000000 face=\"Arial\" "
              "size=7>x</STYLE></FONT></DIV>\r\n");
}

TEST(Header, anUnendedTextIsReadToItsEnd) {
    auto c = Compile(std::string(kHeader) + kP + "cut off\\par");
    EXPECT_EQ(PageText(c.html()), Div("cut off"));
}

TEST(LineBreaks, breakTheLineOnThePageAndAreABlankInTheSpeech) {
    const struct Row {
        const char* what;
        std::string body, page, speech;
    } rows[] = {
        {"in the middle", kP + "line one\\line line two", Div("line one<BR>line two"),
         "genie.Speak (\"line one line two\")\r\n"},
        {"at the start", kP + "\\line two", Div("<BR>two"), "genie.Speak (\" two\")\r\n"},
        {"twice in a row", kP + "a\\line\\line b", Div("a<BR><BR>b"), "genie.Speak (\"a  b\")\r\n"},
        {"before a change of format", kP + "a\\line\\plain\\f2\\fs24\\b b", Div("a<BR><B>b</B>"),
         "genie.Speak (\"a \")\r\ngenie.Speak (\"b\")\r\n"},
        {"in an indented paragraph, whose indent it keeps",
         "\\pard\\li750\\plain\\f2\\fs24\\cf0 a\\line b\\par\r\n\\plain\\f2\\fs24 c",
         "<DIV STYLE=\"position:relative;left:50\"><FONT color=000000 face=\"Arial\" "
         "size=3>a<BR>b</STYLE></FONT></DIV>\r\n<DIV STYLE=\"position:relative;left:50\"><FONT "
         "color=000000 face=\"Arial\" size=3>c</STYLE></FONT></DIV>\r\n",
         "genie.Speak (\"a b\")\r\ngenie.Speak (\"c\")\r\n"},
        {"a longer word is no line break", kP + "a\\linex b",
         Div("a</FONT><FONT color=000000 face=\"Arial\" size=3>b"),
         "genie.Speak (\"a\")\r\ngenie.Speak (\"b\")\r\n"},
        {"inside a tag it is a blank of the tag", kP + "x<genie Speak one\\line two>", Div("x"),
         "genie.Speak (\"one two\")\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto c = Compile(Rtf(row.body));
        EXPECT_EQ(PageText(c.html()), row.page);
        EXPECT_EQ(ScriptLines(c), row.speech);
    }
}
