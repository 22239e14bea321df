// Tags into script lines, the characters a message names, and text that only looks like a tag.
#include "compile_support.h"
#include "compiler/tag.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kP = "\\pard\\plain\\f2\\fs24\\cf0 ";

Compiled Message(const std::string& text, const std::function<void(CParlDoc&)>& setup = {}) {
    return Compile(Rtf(kP + text), setup);
}

} // namespace

TEST(TagSplit, splitsAtTheFirstTwoBlanksOnly) {
    struct Row {
        const char* tag;
        const char* name;
        const char* verb;
        const char* argument;
    } rows[] = {
        {"<genie Speak Hello, world>", "genie", "Speak", "Hello, world"},
        {"<merlin Read>", "merlin", "Read", ""},
        {"<genie Speak  Hi there>", "genie", "Speak", " Hi there"},
        {"<genie  Speak Hello>", "genie", "Speak Hello", ""},
        {"<nospace>", "", "nospace", ""},
        {"<>", "", "", ""},
    };
    for (const Row& r : rows) {
        const tag::Parts p = tag::Split(r.tag);
        EXPECT_EQ(p.name, r.name) << r.tag;
        EXPECT_EQ(p.verb, r.verb) << r.tag;
        EXPECT_EQ(p.argument, r.argument) << r.tag;
    }
}

TEST(Move, destinationsFollowTheScreenSize) {
    struct Row {
        LONG w, h;
        int xs[3], ys[3];
    } rows[] = {
        {640, 480, {10, 257, 502}, {10, 177, 342}},
        {720, 480, {10, 297, 582}, {10, 177, 342}},
        {800, 600, {10, 337, 662}, {10, 237, 462}},
        {1024, 768, {10, 449, 886}, {10, 321, 630}},
        {1280, 1024, {10, 577, 1142}, {10, 449, 886}},
        {1600, 1200, {10, 737, 1462}, {10, 537, 1062}},
        // Sizes a project file can hold: the spot stays within the script's numbers.
        {0, -5, {10, -63, -138}, {10, -65, -143}},
        {INT32_MAX, INT32_MIN, {10, 1073741760, 2147483509}, {10, -1073741887, INT32_MIN}},
    };
    const char* columns[] = {"Left", "Center", "Right"};
    const char* rowsNames[] = {"Upper", "Middle", "Lower"};
    for (const Row& r : rows) {
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                auto c =
                    Message(std::string("<genie Move ") + rowsNames[row] + " " + columns[col] + ">",
                            [&](CParlDoc& d) {
                                d.m_nScreenWidth = r.w;
                                d.m_nScreenHeight = r.h;
                            });
                EXPECT_EQ(ScriptLines(c), "window.status = \"Loading animation\"\r\n"
                                          "genie.Get \"state\", \"Moving\"\r\ngenie.MoveTo " +
                                              std::to_string(r.xs[col]) + ", " +
                                              std::to_string(r.ys[row]) + "\r\n");
            }
        }
    }
}

TEST(Move, anUnknownDestinationWritesNoScript) {
    for (const char* where : {"Top Left", "Upper left", "Upper Left ", "", "Middle"})
        EXPECT_EQ(ScriptLines(Message(std::string("<genie Move ") + where + ">")), "") << where;
}

TEST(Verbs, onlyExactVerbsWriteScriptAndNoTagReachesThePage) {
    for (const char* t : {"<genie speak Hello>", "<genie Spaek Hello>", "<genie  Speak Hello>"}) {
        auto c = Message(std::string("a") + t + "b");
        EXPECT_EQ(ScriptLines(c), "") << t;
        EXPECT_EQ(PageText(c.html()),
                  "<DIV><FONT color=000000 face=\"Arial\" size=3>ab</FONT></DIV>\r\n");
    }
}

TEST(Verbs, playWritesAnyAnimationNameUnchecked) {
    EXPECT_EQ(ScriptLines(Message("<genie Play Juggle Twice>")),
              "window.status = \"Loading animation\"\r\ngenie.Get \"animation\", \"Juggle "
              "Twice\"\r\ngenie.Play \"Juggle Twice\"\r\n");
}

TEST(Verbs, anEmptySpeakAsksForAnEmptyString) {
    EXPECT_EQ(ScriptLines(Message("<genie Speak >")), "genie.Speak (\"\")\r\n");
}

TEST(Reading, oneCharacterQueuesEveryRunWithoutWaits) {
    auto c = Message("<genie Read>one\r\n\\par " + kP + "two");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"one\")\r\ngenie.Speak (\"two\")\r\n");
}

TEST(Reading, aSecondReaderWaitsOnceForTheFirst) {
    auto c = Message("<genie Read>first\r\n\\par " + kP + "<merlin Read>second\r\n\\par " + kP +
                     "third");
    EXPECT_EQ(ScriptLines(c), "Set genieRequest = genie.Speak (\"first\")\r\n"
                              "merlin.Wait genieRequest\r\n"
                              "Set merlinRequest = merlin.Speak (\"second\")\r\n"
                              "Set merlinRequest = merlin.Speak (\"third\")\r\n");
    EXPECT_EQ(c.doc->m_strDefaultCharacter, "merlin"); // the last reader stays the default
}

TEST(Reading, aSpeakTagWaitsEvenOnItsOwnRequest) {
    auto c = Message("<genie Speak one><genie Speak two><merlin Play Wave>");
    EXPECT_EQ(ScriptLines(c), "Set genieRequest = genie.Speak (\"one\")\r\n"
                              "genie.Wait genieRequest\r\n"
                              "Set genieRequest = genie.Speak (\"two\")\r\n"
                              "window.status = \"Loading animation\"\r\n"
                              "merlin.Get \"animation\", \"Wave\"\r\nmerlin.Play \"Wave\"\r\n");
}

TEST(Reading, textBeforeATagIsSpokenAfterIt) {
    auto c = Message("<genie Read>hello <genie Speak Hi>world");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"Hi\")\r\ngenie.Speak (\"hello world\")\r\n");
}

TEST(Quotes, everyQuotedScriptStringDoublesItsQuotes) {
    auto c = Message("<genie Read>She said \"hi\"<genie Speak a \"b\"><genie Play \"x>");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"a \"\"b\"\"\")\r\n"
                              "window.status = \"Loading animation\"\r\n"
                              "genie.Get \"animation\", \"\"\"x\"\r\ngenie.Play \"\"\"x\"\r\n"
                              "genie.Speak (\"She said \"\"hi\"\"\")\r\n");
}

TEST(TagText, aTwoLineSpeakTextBecomesOneScriptLine) {
    auto c = Message("<genie Speak first line\r\n\\par second\\line third\\tab fourth>");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"first line second third fourth\")\r\n");
}

TEST(TagText, escapesInATagAreTheCharactersTheyStandFor) {
    auto c = Message("<genie Speak caf\\'e9 \\{ok\\} \\u8364?5>");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"caf\xe9 {ok} ?5\")\r\n");
}

TEST(TagText, formatWordsInsideATagAreDropped) {
    auto c = Message("<genie \\plain\\f2\\fs24\\b\\cf1 Speak bold \\plain\\f2\\fs24\\cf1 words>");
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"bold words\")\r\n");
}

TEST(Characters, namesThatDifferOnlyInCaseAreOneCharacterAsFirstSpelt) {
    auto c = Message("<genie Speak a><Genie Speak b><GENIE Play Wave>");
    EXPECT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"genie"});
    EXPECT_EQ(c.html().find("Dim Genie"), std::string::npos);
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"a\")\r\nGenie.Speak (\"b\")\r\n"
                              "window.status = \"Loading animation\"\r\n"
                              "GENIE.Get \"animation\", \"Wave\"\r\nGENIE.Play \"Wave\"\r\n");
}

TEST(Characters, onlyScriptNamesAreCollectedAndOthersHaveNoEffect) {
    auto c = Message("<1genie Speak a><ge-nie Speak b><_x Read><r2_d2 Play Wave>");
    EXPECT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"r2_d2"});
    EXPECT_EQ(c.doc->m_strDefaultCharacter, "genie"); // the bad Read tag did nothing
    EXPECT_EQ(ScriptLines(c), "window.status = \"Loading animation\"\r\n"
                              "r2_d2.Get \"animation\", \"Wave\"\r\nr2_d2.Play \"Wave\"\r\n");
}

TEST(Characters, aComparisonInTheTextDeclaresNoEmptyName) {
    auto c = Message("a < b and c > d");
    EXPECT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"genie"});
    EXPECT_EQ(PageText(c.html()),
              "<DIV><FONT color=000000 face=\"Arial\" size=3>a  d</FONT></DIV>\r\n");
}

TEST(Characters, aSpeakTextWithALessThanSignDeclaresNoExtraCharacter) {
    auto c = Message("<genie Speak 1 <merlin is not here>");
    EXPECT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"genie"});
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"1 <merlin is not here\")\r\n");
}

TEST(Done, aTypedDoneTagClosesNothing) {
    auto c = Message("before<DONE>after");
    const std::string& html = c.html();
    EXPECT_EQ(html.find("</HTML>"), ClassicPage(html).size() - 9);
    EXPECT_EQ(html.find("genie.Hide"), html.rfind("genie.Hide"));
    EXPECT_EQ(ScriptLines(c), "genie.Speak (\"beforeafter\")\r\n");
}

TEST(Unclosed, aLessThanSignWithNothingToCloseItIsText) {
    auto c = Message("1 < 2 \\b bold\\plain\\f2\\fs24  end");
    EXPECT_EQ(PageText(c.html()),
              "<DIV><FONT color=000000 face=\"Arial\" size=3>1 &lt; 2 </FONT><FONT "
              "color=000000 face=\"Arial\" size=3><B>bold</B> end</FONT></DIV>\r\n");
    EXPECT_EQ(ScriptLines(c),
              "genie.Speak (\"1 < 2 \")\r\ngenie.Speak (\"bold\")\r\ngenie.Speak (\" end\")\r\n");
}

TEST(Unclosed, aTagClosedOnlyInsideAHiddenGroupIsText) {
    auto c = Message("x <genie Speak hi{\\*\\comment >}y");
    EXPECT_EQ(
        PageText(c.html()),
        "<DIV><FONT color=000000 face=\"Arial\" size=3>x &lt;genie Speak hiy</FONT></DIV>\r\n");
}
