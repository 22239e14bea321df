// Hostile text and settings: nothing the author writes or sets may add markup to the page or end
// its script element, and no name may break the script. Every page is checked as a browser and
// the script language would read it: the tags and attributes of the HTML half, the declarations
// and the string literals of the script.
#include "compile_support.h"
#include "compiler/tag.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <vector>

using namespace testing_support;

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// The tags of the HTML half as the browser's tokenizer splits them: every "<" followed by a
// letter (or "/" and a letter) opens a tag, whose attributes end at a blank or ">" unless quoted.
// Fails on a tag or attribute that the page never writes itself.
void ExpectOnlyThePagesOwnMarkup(const std::string& half, const std::string& what) {
    static const std::set<std::string> kTags = {"meta",   "html", "head", "title",  "body",
                                                "object", "div",  "font", "center", "b",
                                                "i",      "u",    "p",    "style"};
    static const std::set<std::string> kAttributes = {
        "http-equiv", "content",  "bgcolor", "background", "id",   "width", "height",
        "classid",    "codebase", "style",   "color",      "face", "size"};
    std::size_t i = 0;
    const std::size_t n = half.size();
    while ((i = half.find('<', i)) != std::string::npos) {
        std::size_t j = i + 1;
        if (j < n && half[j] == '/')
            ++j;
        if (j >= n || !std::isalpha(static_cast<unsigned char>(half[j]))) {
            ADD_FAILURE() << what << ": a \"<\" that is no tag of the page at " << i;
            ++i;
            continue;
        }
        const std::size_t nameStart = j;
        while (j < n && !IsHtmlSpace(half[j]) && half[j] != '/' && half[j] != '>')
            ++j;
        const std::string name = Lower(half.substr(nameStart, j - nameStart));
        EXPECT_TRUE(kTags.count(name)) << what << ": tag <" << name << ">";
        // Attributes up to the tag's ">".
        while (j < n && half[j] != '>') {
            if (IsHtmlSpace(half[j]) || half[j] == '/') {
                ++j;
                continue;
            }
            const std::size_t attrStart = j;
            while (j < n && !IsHtmlSpace(half[j]) && half[j] != '/' && half[j] != '>' &&
                   (half[j] != '=' || j == attrStart))
                ++j;
            const std::string attr = Lower(half.substr(attrStart, j - attrStart));
            EXPECT_TRUE(kAttributes.count(attr))
                << what << ": attribute " << attr << " of <" << name << ">";
            while (j < n && IsHtmlSpace(half[j]))
                ++j;
            if (j >= n || half[j] != '=')
                continue;
            ++j;
            while (j < n && IsHtmlSpace(half[j]))
                ++j;
            if (j < n && (half[j] == '"' || half[j] == '\'')) {
                const std::size_t close = half.find(half[j], j + 1);
                ASSERT_NE(close, std::string::npos) << what << ": unclosed value of " << attr;
                j = close + 1;
            } else {
                while (j < n && !IsHtmlSpace(half[j]) && half[j] != '>')
                    ++j;
            }
        }
        i = j;
    }
}

// The script between "<!---" and "-->" line by line: every string literal closes on its own
// line and holds no byte below 32 and no "</"; every declared name is a script name, declared
// once, besides the page's own AgentControl.
void ExpectASoundScript(const std::string& script, const std::string& what) {
    static const std::string kNotice =
        "This is an <B>Parlino</B> multimedia email.  If you would like to experience this "
        "email, rather than just read it -- inquire about <B>Parlino</B> and Microsoft Agent.";
    const std::size_t begin = script.find("<!---\r\n");
    const std::size_t end = script.rfind("-->\r\n</SCRIPT>\r\n</HTML>\r\n");
    ASSERT_NE(begin, std::string::npos) << what;
    ASSERT_NE(end, std::string::npos) << what;
    // The browser ends the script element at the first "</script", whatever the letter case.
    EXPECT_EQ(Lower(script).find("</script"), end + 5) << what;

    std::set<std::string> declared;
    std::size_t line = begin + 7;
    while (line < end) {
        const std::size_t eol = script.find("\r\n", line);
        ASSERT_NE(eol, std::string::npos) << what;
        const std::string text = script.substr(line, eol - line);
        line = eol + 2;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] != '"')
                continue;
            std::string literal;
            std::size_t q = k + 1;
            for (;; ++q) {
                ASSERT_LT(q, text.size()) << what << ": unclosed string in: " << text;
                if (text[q] == '"') {
                    if (q + 1 < text.size() && text[q + 1] == '"') {
                        literal += '"';
                        ++q;
                        continue;
                    }
                    break;
                }
                literal += text[q];
            }
            k = q;
            for (char c : literal)
                EXPECT_GE(static_cast<unsigned char>(c), 32u) << what << ": in " << text;
            if (literal != kNotice) {
                EXPECT_EQ(literal.find("</"), std::string::npos) << what << ": in " << text;
            }
        }
        for (char c : text)
            EXPECT_GE(static_cast<unsigned char>(c), 32u) << what << ": line " << text;
        std::size_t at = 0;
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (text.compare(at, 4, "Dim ") == 0) {
            const std::string name = text.substr(at + 4);
            if (name != "AgentControl") {
                EXPECT_TRUE(tag::IsScriptName(name) ||
                            (name.size() > 7 && name.compare(name.size() - 7, 7, "Request") == 0 &&
                             tag::IsScriptName(name.substr(0, name.size() - 7))))
                    << what << ": Dim " << name;
            }
            EXPECT_TRUE(declared.insert(Lower(name)).second)
                << what << ": Dim " << name << " twice";
        }
    }
}

struct Row {
    const char* what;
    std::string body;                        // RTF body; the header is the editor's
    std::function<void(CParlDoc&)> settings; // may be empty
    std::vector<std::string> in;             // each stands in the page
    std::vector<std::string> notIn;          // none stands in the page
};

} // namespace

TEST(Injection, hostileTextNamesAndSettingsLeaveOnlyThePagesOwnMarkupAndASoundScript) {
    const std::string para = "\\pard\\plain\\f2\\fs24\\cf0 ";
    const std::vector<Row> rows = {
        {"a spoken </SCRIPT ends no script",
         para + "<genie Speak </SCRIPT x><genie Speak <img src=x onerror=document.title=1 >x",
         {},
         {"genie.Speak (\"<\" & \"/SCRIPT x\")",
          "genie.Speak (\"<img src=x onerror=document.title=1 \")"},
         {}},
        {"a played </script ends no script",
         para + "<genie Play </script>",
         {},
         {"genie.Get \"animation\", \"<\" & \"/script\"", "genie.Play \"<\" & \"/script\""},
         {}},
        {"read-aloud text written as escapes",
         para + "\\'3c/SCRIPT\\'3e\\'3cimg src=x onerror=document.title=1\\'3e",
         {},
         {"&lt;/SCRIPT>&lt;img src=x onerror=document.title=1>",
          "genie.Speak (\"<\" & \"/SCRIPT><img src=x onerror=document.title=1>\")"},
         {}},
        {"a \\u60 escape", para + "\\u60?img src=x\\u62?", {}, {">&lt;img src=x></FONT>"}, {}},
        {"a background picture with a handler",
         para + "x",
         [](CParlDoc& d) { d.m_strBackgroundPicture = "x.jpg onload=document.title=1"; },
         {"<BODY BGCOLOR=#FFFFFF BACKGROUND=\"x.jpg onload=document.title=1\">\r\n"},
         {}},
        // Unquoted, a value that starts with a quote is read as a quoted one and the handler
        // after it as an attribute of its own.
        {"a background picture in single quotes with a handler after it",
         para + "x",
         [](CParlDoc& d) { d.m_strBackgroundPicture = "'x.jpg'onload=document.title=1"; },
         {" BACKGROUND=\"'x.jpg'onload=document.title=1\">\r\n"},
         {}},
        {"a background picture with quotes and brackets",
         para + "x",
         [](CParlDoc& d) { d.m_strBackgroundPicture = "a\"b'c<d>e`f"; },
         {"BACKGROUND=\"a&quot;b'c&lt;d&gt;e`f\">\r\n"},
         {}},
        {"a font face with a quote",
         "\\pard\\plain\\f3\\fs24\\cf0 x",
         {},
         {"face=\"Ar&quot;ial onmouseover=document.title=1 &lt;b&gt;\" size=3>x"},
         {}},
        {"control bytes in a spoken text and a played animation",
         para + "<genie Speak a\\'0db\\'0ac\\'00d\\u10?e\\'09f><genie Play W\\'0aave>",
         {},
         {"genie.Speak (\"a b c d e f\")", "genie.Play \"W ave\""},
         {}},
        {"control bytes in read-aloud text",
         para + "one\\'0d\\'0atwo\\'00",
         {},
         {"genie.Speak (\"one  two \")"},
         {}},
        {"a character location with line breaks and </script>",
         para + "x",
         [](CParlDoc& d) { d.m_strCharacterLocation = "http://h/\r\n</script><b>\"x"; },
         {"AgentControl.Characters.Load \"genie\", \"http://h/  <\" & "
          "\"/script><b>\"\"xgenie.acf\""},
         {}},
        {"reserved words and page names as tag names",
         para + "if x <is read again> y <window Speak hi><Dim Read><AgentControl Play Wave>"
                "<createOBJECT Speak a><Err Read><genie Speak ok>",
         {},
         {"  Dim genie\r\n  On Error", "genie.Speak (\"ok\")"},
         {"Dim is", "Dim window", "Dim Dim", "Dim createOBJECT", "Dim Err", "window.Speak"}},
        {"the window's properties and methods as tag names, in any case",
         para + "<navigator Speak a><Location Read><TOP Play Wave><self Speak b><parent Move "
                "Upper Left><STATUS Speak c><name Speak d><opener Speak e><Alert Speak f>"
                "<history Speak g><setTimeout Speak h><SetInterval Speak i><genie Speak ok>",
         {},
         {"  Dim genie\r\n  On Error", "genie.Speak (\"ok\")"},
         {"Dim navigator", "Dim Location", "Dim TOP", "Dim self", "Dim parent", "Dim STATUS",
          "Dim name", "Dim opener", "Dim Alert", "Dim history", "Dim setTimeout", "Dim SetInterval",
          "TOP.Play", "Alert.Speak"}},
        {"a name ending in request beside its character",
         para + "<genie Speak a><genieRequest Speak b><merlin Speak c><MerlinREQUEST Read>",
         {},
         {"  Dim genie\r\n  Dim genieRequest\r\n", "  Dim merlin\r\n  Dim merlinRequest\r\n"},
         {"Dim genieRequestRequest", "genieRequest.Speak", "MerlinREQUEST"}},
        {"a name too long for the script",
         para + "<" + std::string(249, 'a') + " Speak x><" + std::string(248, 'b') + " Speak y>",
         {},
         {"  Dim " + std::string(248, 'b') + "\r\n"},
         {std::string(249, 'a')}},
    };
    // Default characters the script cannot use: the page falls back to genie.
    const char* const badDefaults[] = {"my genie",     "",          "Dim",       "window",
                                       "genieRequest", "</script>", "1st",       "navigator",
                                       "Location",     "TOP",       "setTimeout"};

    std::vector<Row> all = rows;
    for (const char* bad : badDefaults) {
        const std::string name = bad;
        all.push_back({"the default character is not a script name",
                       para + "Hello",
                       [name](CParlDoc& d) { d.m_strDefaultCharacter = name; },
                       {"  Dim genie\r\n", "genie.Speak (\"Hello\")"},
                       {}});
    }

    for (const Row& row : all) {
        for (int agent = 0; agent < 2; ++agent) {
            const std::string what = std::string(row.what) + (agent ? " (agent)" : "");
            std::string header = kHeader;
            // A face with a quote, brackets and a handler.
            header.replace(header.find("}}"), 2,
                           "}{\\f3\\fswiss Ar\"ial onmouseover=document.title=1 <b>;}}");
            auto c = Compile(header + row.body + "\r\n\\par }", [&](CParlDoc& d) {
                d.m_bRecipientHasAgent = agent;
                if (row.settings)
                    row.settings(d);
            });
            const std::string& html = c.html();
            const std::size_t split = html.find("</BODY>\r\n");
            ASSERT_NE(split, std::string::npos) << what;
            ExpectOnlyThePagesOwnMarkup(html.substr(0, split), what);
            ExpectASoundScript(html.substr(split), what);
            for (const std::string& s : row.in)
                EXPECT_NE(html.find(s), std::string::npos) << what << ": missing " << s;
            for (const std::string& s : row.notIn)
                EXPECT_EQ(html.find(s), std::string::npos) << what << ": has " << s;
        }
    }
}

TEST(Injection, harmlessTextAndSettingsAreWrittenAsBefore) {
    // Quotes are doubled as before; a "<" without "/", a ">" and every other byte of a spoken
    // text stay; a plain background and a plain face are written unquoted and unchanged.
    auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 <genie Speak say \"a<b\" & c/d>a > b"),
                     [](CParlDoc& d) {
                         d.m_strBackgroundPicture = "http://x/sky.jpg?a=b&c=d";
                         d.m_strCharacterLocation = "C:\\chars\\";
                     });
    const std::string& html = c.html();
    EXPECT_NE(html.find("genie.Speak (\"say \"\"a<b\"\" & c/d\")\r\n"), std::string::npos);
    EXPECT_NE(html.find(" BACKGROUND=http://x/sky.jpg?a=b&c=d>\r\n"), std::string::npos);
    EXPECT_NE(html.find("<FONT color=000000 face=\"Arial\" size=3>a > b</FONT>"),
              std::string::npos);
    EXPECT_NE(html.find("\"C:\\chars\\genie.acf\""), std::string::npos);
    EXPECT_NE(html.find("  Dim genie\r\n"), std::string::npos);
}

// The background picture: only a relative or drive path, or an address of the accepted kinds,
// reaches the page; the one check says the same as the page.
TEST(Injection, onlyPictureLocationsOfTheAcceptedKindsReachThePage) {
    const struct {
        std::string location;
        bool accepted;
    } rows[] = {
        {"sky.jpg", true},
        {"pics/sky.jpg", true},
        {"../sky one.jpg", true},
        {"/home/me/sky.jpg", true},
        {"C:\\pics\\sky.jpg", true},
        {"http://x/sky.jpg?a=b&c=d", true},
        {"HTTPS://x/sky.jpg", true},
        {"file:///home/me/sky.jpg", true},
        {"data:image/png;base64,iVBORw0KGgo=", true},
        {"Data:Image/gif;base64,R0lGOD", true},
        {"x.jpg onload=document.title=1", true}, // a relative path, quoted in the page
        {"a/b:c.jpg", true},
        {"javascript:document.title=1", false},
        {"JavaScript:document.title=1", false},
        {"  javascript:document.title=1", false},
        {"java\tscript:document.title=1", false},
        {"java\nscript:x", false},
        {"vbscript:MsgBox(1)", false},
        {"data:text/html,<script>document.title=1</script>", false},
        {"data:image", false},
        {"ftp://x/sky.jpg", false},
        {"mhtml:file://x!y", false},
        {"about:blank", false},
        {"//evil.example/sky.jpg", false},
        {"\\\\evil\\share\\sky.jpg", false},
        {"/\\evil.example/sky.jpg", false},
        {"javascript&colon;document.title=1", false},
        {"javascript&#58;document.title=1", false},
        {"sky.jpg\x7f", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        EXPECT_EQ(tag::IsPictureLocation(row.location), row.accepted);
        auto c = Compile(Rtf("\\pard\\plain\\f2\\fs24\\cf0 x"),
                         [&](CParlDoc& d) { d.m_strBackgroundPicture = row.location; });
        const std::string& html = c.html();
        const std::size_t body = html.find("<BODY BGCOLOR=#FFFFFF");
        ASSERT_NE(body, std::string::npos);
        const std::string tag = html.substr(body, html.find('>', body) - body);
        EXPECT_EQ(tag.find("BACKGROUND=") != std::string::npos, row.accepted) << tag;
    }
    EXPECT_TRUE(tag::IsPictureLocation("")); // no picture
}
