// Whole pages and the parts of the page that the settings shape.
#include "compile_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string Block(const std::string& n, const std::string& acf, int x, int y, bool request) {
    std::string b = "  Dim " + n;
    if (request)
        b += "\r\n  Dim " + n + "Request";
    b += "\r\n  On Error Resume Next\r\n"
         "  AgentControl.Characters.Load \"" +
         n + "\", \"C:\\Program Files\\Microsoft Agent\\characters\\" + n +
         ".acs\"\r\n"
         "  If err.number <> 0 Then\r\n"
         "    window.status = \"Loading character\"\r\n"
         "    document.write(\"For better response and to read Parlinos offline, please install "
         "character files in the C:\\Program Files\\Microsoft Agent\\characters\\ directory.  You "
         "may download Microsoft characters from " +
         std::string(CHARACTER_DOWNLOAD_PAGE) +
         "\")\r\n"
         "    AgentControl.Characters.Load \"" +
         n + "\", \"" + acf +
         "\"\r\n"
         "  End If\r\n"
         "  set " +
         n + "= AgentControl.Characters (\"" + n +
         "\")\r\n"
         "  window.status = \"Loading main animations\"\r\n" +
         n + ".Get \"state\", \"Showing\"\r\n" + n + ".Get \"state\", \"Speaking\"\r\n" + n +
         ".MoveTo " + std::to_string(x) + ", " + std::to_string(y) + "\r\n" + n + ".Show\r\n";
    return b;
}

const char* kHead = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;charset=iso-8859-1\">"
                    "<HTML>\r\n<HEAD><TITLE>Parlino MultiMedia Email</TITLE></HEAD>\r\n";

const char* kCreatePrologue = "</BODY>\r\n<SCRIPT LANGUAGE = VBScript>\r\n<!---\r\nDim "
                              "AgentControl\r\nOn Error Resume Next\r\nSet AgentControl = "
                              "CreateObject(\"Agent.Control.1\")\r\nIf IsObject(AgentControl) "
                              "Then\r\n  AgentControl.Connected = True\r\n";

const char* kNotice = "Else\r\n  document.write(\"This is an <B>Parlino</B> multimedia email.  If "
                      "you would like to experience this email, rather than just read it -- "
                      "inquire about <B>Parlino</B> and Microsoft Agent.\")\r\nEnd If\r\n";

const char* kEnd = "-->\r\n</SCRIPT>\r\n</HTML>\r\n";

} // namespace

TEST(Page, aNewMessageSayingHelloIsReadByGenieWithTheNoticeForRecipientsWithoutTheControl) {
    auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 Hello"));
    const std::string expected =
        std::string(kHead) + "<BODY BGCOLOR=#FFFFFF>\r\n" +
        "<DIV><FONT color=000000 face=\"Arial\" size=3>Hello</FONT></DIV>\r\n" + kCreatePrologue +
        Block("genie", std::string(DEFAULT_CHARACTER_BASE) + "genie/genie.acf", 10, 10, false) +
        "genie.Speak (\"Hello\")\r\n" + "genie.Hide\r\n" + kNotice + kEnd;
    EXPECT_EQ(ClassicPage(c.html()), expected);
}

TEST(Page, theWorkedCaseChainsSpeechBetweenTwoCharactersWhenTheRecipientHasTheControl) {
    auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf1 <genie Speak Hi><merlin Speak Hello>"
                         "<genie Play Wave>"),
                     [](CParlDoc& d) { d.m_bRecipientHasAgent = 1; });
    const std::string base = DEFAULT_CHARACTER_BASE;
    const std::string expected =
        std::string(kHead) + "<BODY BGCOLOR=#FFFFFF>\r\n" +
        "<OBJECT ID=\"AgentControl\" width=0 height=0 "
        "CLASSID=\"CLSID:F5BE8BD2-7DE6-11D0-91FE-00C04FD701A5\" CODEBASE=\"" +
        AGENT_CONTROL_CODEBASE + " #VERSION=1,5,0,0\"></OBJECT>" + "<P></P>" +
        "</BODY>\r\n<SCRIPT LANGUAGE = VBScript>\r\n<!---\r\nAgentControl.Connected=True\r\n" +
        Block("genie", base + "genie/genie.acf", 10, 10, true) +
        Block("merlin", base + "merlin/merlin.acf", 136, 30, true) +
        "Set genieRequest = genie.Speak (\"Hi\")\r\n"
        "merlin.Wait genieRequest\r\n"
        "Set merlinRequest = merlin.Speak (\"Hello\")\r\n"
        "window.status = \"Loading animation\"\r\n"
        "genie.Get \"animation\", \"Wave\"\r\n"
        "genie.Play \"Wave\"\r\n"
        "genie.Hide\r\nmerlin.Hide\r\n" +
        kEnd;
    EXPECT_EQ(ClassicPage(c.html()), expected);
}

TEST(Page, threeCharactersStandInARowAndEachDeclaresItsRequest) {
    auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf1 <a Play X><b Play Y><c Play Z>"));
    const std::string& html = c.html();
    EXPECT_NE(html.find("a.MoveTo 10, 10\r\n"), std::string::npos);
    EXPECT_NE(html.find("b.MoveTo 136, 30\r\n"), std::string::npos);
    EXPECT_NE(html.find("c.MoveTo 262, 50\r\n"), std::string::npos);
    for (const char* n : {"a", "b", "c"})
        EXPECT_NE(html.find(std::string("  Dim ") + n + "\r\n  Dim " + n + "Request\r\n"),
                  std::string::npos);
}

TEST(Page, backgroundColourAndPictureShapeTheBodyTag) {
    struct Row {
        COLORREF color;
        std::string picture;
        std::string tag;
    } rows[] = {
        {RGB(255, 0, 0), "", "<BODY BGCOLOR=#FF0000>\r\n"},
        {RGB(0, 0, 255), "", "<BODY BGCOLOR=#0000FF>\r\n"},
        {RGB(0x12, 0x34, 0x56), "", "<BODY BGCOLOR=#123456>\r\n"},
        {0xFFFFFF, "pictures/sky.gif", "<BODY BGCOLOR=#FFFFFF BACKGROUND=pictures/sky.gif>\r\n"},
        // A blank would end the value and start another attribute: such a value is quoted.
        {0xFFFFFF, "my pictures/sky blue.gif",
         "<BODY BGCOLOR=#FFFFFF BACKGROUND=\"my pictures/sky blue.gif\">\r\n"},
    };
    for (const Row& row : rows) {
        auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 x"), [&](CParlDoc& d) {
            d.m_crBackground = row.color;
            d.m_strBackgroundPicture = row.picture;
        });
        EXPECT_NE(c.html().find(row.tag), std::string::npos) << row.tag;
    }
}

TEST(Page, onlyTheDefaultWebBaseGetsAFolderPerCharacter) {
    struct Row {
        std::string location;
        std::string load;
    } rows[] = {
        {DEFAULT_CHARACTER_BASE, std::string(DEFAULT_CHARACTER_BASE) + "genie/genie.acf"},
        {"C:\\chars\\", "C:\\chars\\genie.acf"},
        {"http://example.org/agents/", "http://example.org/agents/genie.acf"},
        {"HTTP://WWW.PARLINO.COM/CHARACTERS/", "HTTP://WWW.PARLINO.COM/CHARACTERS/genie.acf"},
        {"http://x/\"quoted\"/", "http://x/\"\"quoted\"\"/genie.acf"},
    };
    for (const Row& row : rows) {
        auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 x"),
                         [&](CParlDoc& d) { d.m_strCharacterLocation = row.location; });
        EXPECT_NE(c.html().find("    AgentControl.Characters.Load \"genie\", \"" + row.load +
                                "\"\r\n  End If\r\n"),
                  std::string::npos)
            << row.location;
    }
}

TEST(Page, aMessageWithoutTagsIsReadByTheDefaultCharacter) {
    auto c =
        Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 One\r\n\\par \\pard\\plain\\f2\\fs24\\cf0 Two"),
                [](CParlDoc& d) { d.m_strDefaultCharacter = "robby"; });
    ASSERT_EQ(c.doc->m_arrCharacters, std::vector<std::string>{"robby"});
    EXPECT_EQ(ScriptLines(c), "robby.Speak (\"One\")\r\nrobby.Speak (\"Two\")\r\n");
}

TEST(Page, theStreamedTextEndsAtTheFirstZeroByte) {
    std::string rtf = Rtf("\\pard\\plain\\f2\\fs24\\cf0 Kept");
    rtf += std::string(1, '\0') + "\\par \\pard\\plain\\f2\\fs24\\cf0 Lost\r\n\\par }";
    auto c = Compile(rtf);
    EXPECT_EQ(PageText(c.html()),
              "<DIV><FONT color=000000 face=\"Arial\" size=3>Kept</FONT></DIV>\r\n");
}

TEST(Page, theSamePageComesOutWhateverTheChunksTheControlDelivers) {
    std::string body;
    for (int i = 0; i < 1200; ++i)
        body += "\\pard\\plain\\f2\\fs24\\cf0 Paragraph " + std::to_string(i) +
                " with \\plain\\f2\\fs24\\b\\cf1 bold\\plain\\f2\\fs24\\cf0  text <genie Speak "
                "line " +
                std::to_string(i) + ">\r\n\\par ";
    const std::string rtf = Rtf(body + "\\pard\\plain\\f2\\fs24\\cf0 end");
    ASSERT_GT(rtf.size(), 65000u); // longer than the first buffer
    const std::string whole = Compile(rtf, {}, static_cast<LONG>(rtf.size())).html();
    EXPECT_EQ(Compile(rtf, {}, 1).html(), whole);
    EXPECT_EQ(Compile(rtf, {}, 4096).html(), whole);
    EXPECT_NE(whole.find("Paragraph 1199 with"), std::string::npos);
    EXPECT_NE(whole.find("genie.Speak (\"line 1199\")"), std::string::npos);
}

TEST(Page, aNullCookieEndsTheStream) {
    BYTE byte = 'x';
    LONG taken = -1;
    EXPECT_EQ(CParlDoc::StreamOutCallback(0, &byte, 1, &taken), static_cast<DWORD>(E_FAIL));
    EXPECT_EQ(taken, -1);
}

TEST(Page, aDocumentWithoutAViewStillGivesAWholePage) {
    CParlDoc doc;
    doc.ResetMessageSettings();
    doc.BuildHtml();
    EXPECT_EQ(doc.m_strHtml.rfind("</HTML>\r\n"), doc.m_strHtml.size() - 9);
}

TEST(Page, theHeaderNamesTheCharacterSetOfTheMessagesCodePage) {
    const struct {
        const char* ansicpg; // what the RTF's first group names
        const char* charset;
    } rows[] = {
        {"", "iso-8859-1"},
        {"\\ansicpg1252", "iso-8859-1"},
        {"\\ansicpg1250", "windows-1250"},
        {"\\ansicpg1251", "windows-1251"},
        {"\\ansicpg1253", "windows-1253"},
        {"\\ansicpg1257", "windows-1257"},
        {"\\ansicpg932", "Shift_JIS"},
        {"\\ansicpg437", "iso-8859-1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ansicpg);
        auto c = Compile(std::string("{\\rtf1\\ansi") + row.ansicpg +
                         "\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n\\pard\\plain\\f0 na\\'efve"
                         "\r\n\\par }");
        const std::string head = std::string("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/"
                                             "html;charset=") +
                                 row.charset + "\"><HTML>\r\n<HEAD>";
        EXPECT_EQ(c.html().substr(0, head.size()), head);
    }
}
