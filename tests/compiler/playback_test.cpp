// The show that the page plays in browsers without the character control: the steps that the
// translator records beside the script, their text in Unicode, and the block after the page.
#include "compile_support.h"
#include "document/project_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

using namespace testing_support;

namespace {

// The steps of the page's data object, one per line.
std::string Steps(const CParlDoc& doc) {
    const std::string json = doc.m_playback.Json();
    const std::size_t at = json.find("\"s\":[");
    return json.substr(at + 5, json.size() - at - 7);
}

std::size_t CountNoCase(const std::string& text, std::string what) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::size_t n = 0;
    for (std::size_t at = lower.find(what); at != std::string::npos; at = lower.find(what, at + 1))
        ++n;
    return n;
}

struct Row {
    const char* what;
    std::string body;
    std::string characters; // the "c" array's inside
    std::string steps;      // without the show and hide steps of the characters
};

} // namespace

TEST(Playback, theStepsFollowTheScriptWithTheTextInUnicode) {
    const std::string g = "\\plain\\f2\\fs24\\cf0 ";
    const Row rows[] = {
        {"one character speaks, without requests", g + "<genie Speak Hi there>",
         "[\"genie\",10,10]", "[0,\"say\",\"Hi there\"]"},
        {"two characters take turns as the script's requests make them",
         g + "<genie Speak Hi><merlin Speak Hello><genie Play Wave><genie Speak Bye>",
         "[\"genie\",10,10],[\"merlin\",136,30]",
         "[0,\"say\",\"Hi\",1],\r\n[1,\"wait\",1],\r\n[1,\"say\",\"Hello\",2],\r\n"
         "[0,\"play\",\"Wave\"],\r\n[0,\"wait\",2],\r\n[0,\"say\",\"Bye\",3]"},
        {"read text waits once after each further Read tag",
         g + "<genie Speak Hi><genie Read>One\\par Two\\par <merlin Read>Three\\par Four",
         "[\"genie\",10,10],[\"merlin\",136,30]",
         "[0,\"say\",\"Hi\",1],\r\n[0,\"read\",\"One\",2],\r\n[0,\"read\",\"Two\",3],\r\n"
         "[1,\"wait\",3],\r\n[1,\"read\",\"Three\",4],\r\n[1,\"read\",\"Four\",5]"},
        {"Move gives the script's spot; an unknown spot and a lower-case verb give nothing",
         g + "<robby Move Lower Right><robby Move Nowhere><robby speak Hi><robby Move Upper Left>",
         "[\"robby\",10,10]", "[0,\"move\",662,462],\r\n[0,\"move\",10,10]"},
        {"quotes, backslashes, markup and line separators are escaped, accents and CJK decoded",
         g + "<genie Speak \"a\" 'b' \\\\ </script \\u8232?&\\'e9\\u26085?\\u-10179?\\u-8704?>",
         "[\"genie\",10,10]",
         "[0,\"say\",\"\\u0022a\\u0022 \\u0027b\\u0027 \\u005c \\u003c/script \\u2028\\u0026"
         "\\u00e9\\u65e5\\ud83d\\ude00\"]"},
        {"a Speak text of two lines speaks both, joined by a blank",
         g + "<genie Speak first\r\n\\par second>", "[\"genie\",10,10]",
         "[0,\"say\",\"first second\"]"},
        {"names that differ only in case are one character, first spelling",
         g + "<Genie Speak a><genie Speak b><GENIE Play Sad>", "[\"Genie\",10,10]",
         "[0,\"say\",\"a\"],\r\n[0,\"say\",\"b\"],\r\n[0,\"play\",\"Sad\"]"},
        {"read text keeps the characters that the page gives as entities",
         g + "caf\\'e9 \\u26085? \\'3c", "[\"genie\",10,10]",
         "[0,\"read\",\"caf\\u00e9 \\u65e5 \\u003c\"]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto c = Compile(Rtf(row.body), [](CParlDoc& d) {
            d.m_nScreenWidth = 800;
            d.m_nScreenHeight = 600;
            d.m_strLanguage = "en-GB";
        });
        const std::string json = c.doc->m_playback.Json();
        EXPECT_EQ("{\"w\":800,\"h\":600,\"l\":\"en-GB\",\"c\":[" + row.characters + "],",
                  json.substr(0, json.find('\r')));
        std::string shows;
        std::string hides;
        for (std::size_t i = 0; i < c.doc->m_arrCharacters.size(); ++i) {
            shows += "[" + std::to_string(i) + ",\"show\"],\r\n";
            hides += ",\r\n[" + std::to_string(i) + ",\"hide\"]";
        }
        EXPECT_EQ(shows + row.steps + hides, Steps(*c.doc));
        EXPECT_TRUE(std::all_of(json.begin(), json.end(), [](char ch) {
            return ch > 0 && ch != '<' && ch != '>' && ch != '&' && ch != '\'';
        }));
        // The data stands in the page's block as it was recorded.
        EXPECT_NE(std::string::npos, c.html().find("parlinoPlayer(" + json + ",\r\n"));
    }
}

TEST(Playback, theBlockFollowsTheClassicPageWhichStaysByteForByte) {
    const std::string bodies[] = {
        "\\plain\\f2\\fs24\\cf0 Hello",
        "\\plain\\f2\\fs24\\cf0 <genie Speak </script><!-- --> \"\\\\\\u8232?><merlin Play Wave>"
        "Text </SCRIPT> <!-- \\par <merlin Move Lower Right>",
    };
    for (const std::string& body : bodies) {
        for (int agent = 0; agent < 2; ++agent) {
            SCOPED_TRACE(body + (agent ? " with the control" : ""));
            auto classic = Compile(Rtf(body), [agent](CParlDoc& d) {
                d.m_bRecipientHasAgent = agent;
                d.m_bPlayInBrowsers = 0;
            });
            auto playing =
                Compile(Rtf(body), [agent](CParlDoc& d) { d.m_bRecipientHasAgent = agent; });
            const std::string& page = classic.html();
            ASSERT_GE(page.size(), 9u);
            EXPECT_EQ("</HTML>\r\n", page.substr(page.size() - 9));
            ASSERT_GT(playing.html().size(), page.size());
            EXPECT_EQ(page, playing.html().substr(0, page.size()));
            const std::string block = playing.html().substr(page.size());
            EXPECT_EQ(0u, block.find("<SCRIPT>\r\n"));
            EXPECT_EQ(block.size() - 11, block.find("</SCRIPT>\r\n"));
            // Nothing in it can end the script element early or open a comment in it.
            EXPECT_EQ(1u, CountNoCase(block, "</script"));
            EXPECT_EQ(0u, CountNoCase(block, "<!--"));
            EXPECT_EQ(std::string::npos, block.find('\0'));
            // The player, its styles and drawings stay within 28 KB beside the data.
            EXPECT_LE(block.size() - playing.doc->m_playback.Json().size(), 28u * 1024u);
        }
    }
}

TEST(Playback, aMessageWithoutCharacterStepsGetsNoBlock) {
    for (const char* body : {"", "\\plain\\f2\\fs24\\cf0 <genie speak lower case verb>",
                             "\\plain\\f2\\fs24\\cf0 <genie Read>"}) {
        SCOPED_TRACE(body);
        auto playing = Compile(Rtf(body));
        auto classic = Compile(Rtf(body), [](CParlDoc& d) { d.m_bPlayInBrowsers = 0; });
        EXPECT_EQ(classic.html(), playing.html());
    }
}

TEST(Playback, theRtfCodePageDecodesTheText) {
    std::string rtf = Rtf("\\plain\\f2\\fs24\\cf0 <genie Speak \\'e9\\'f2>");
    rtf.replace(rtf.find("\\ansi"), 5, "\\ansi\\ansicpg1251");
    auto c = Compile(rtf);
    EXPECT_NE(std::string::npos, Steps(*c.doc).find("[0,\"say\",\"\\u0439\\u0442\"]"));
}

TEST(Playback, theMessagesLanguageReachesThePageOnlyAsALanguageTag) {
    const struct {
        std::string setting; // the message's own language
        std::string tag;     // what the page names; empty: none
    } rows[] = {
        {"en-US", "en-US"},
        {"de", "de"},
        {"pt_BR", "pt-BR"},
        {"zh-Hans-CN", "zh-Hans-CN"},
        {"x", ""},
        {"english", ""},
        {"en-", ""},
        {"en US", ""},
        {"en-US\"><script>", ""},
        {"en-abcdefghi", ""},
        {"1e-US", ""},
        {std::string(40, 'a'), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.setting);
        EXPECT_EQ(row.tag, playback::LanguageTag(row.setting));
        auto c = Compile(Rtf("\\plain\\f2\\fs24\\cf0 <genie Speak Hi>"), [&](CParlDoc& d) {
            d.m_strLanguage = row.setting;
            CParlDoc::s_strSpellingLanguage = "fr_CA";
        });
        const std::string json = c.doc->m_playback.Json();
        // A message without a usable language of its own is read in the spelling language.
        EXPECT_EQ(json.substr(0, json.find(",\"c\"")),
                  "{\"w\":640,\"h\":480,\"l\":\"" + (row.tag.empty() ? "fr-CA" : row.tag) + "\"");
        // The project keeps only a language tag.
        CParlDoc stored;
        stored.m_strLanguage = "it";
        std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;}\\pard x\\par }";
        CParlDoc written;
        written.m_strLanguage = row.setting;
        CProjectSettings::Insert(rtf, written);
        CProjectSettings::Read(rtf, stored);
        EXPECT_EQ(stored.m_strLanguage, row.tag == row.setting ? row.setting : "it");
    }
    CParlDoc::s_strSpellingLanguage.clear();
    // Without a spelling language, the desktop's: the locale's language and territory.
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old != nullptr ? old : "";
    for (const auto& [locale, tag] : {std::pair<const char*, const char*>{"de_AT.UTF-8", "de-AT"},
                                      {"sr_RS@latin", "sr-RS"},
                                      {"C.UTF-8", ""}}) {
        ::setenv("LC_ALL", locale, 1);
        EXPECT_EQ(tag, CParlDoc::DefaultLanguage()) << locale;
    }
    if (old != nullptr)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
