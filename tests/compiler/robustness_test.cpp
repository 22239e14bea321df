// Whatever bytes the control hands over, the compile gives a whole page.
#include "compile_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace testing_support;

namespace {

void ExpectWholePage(const std::string& html, const std::string& what) {
    ASSERT_EQ(html.rfind("<META HTTP-EQUIV=", 0), 0u) << what;
    ASSERT_GE(html.size(), 9u) << what;
    EXPECT_TRUE(EndsAsAPage(html)) << what;
}

} // namespace

TEST(Robustness, randomBytesAndRtfFragmentsAlwaysGiveAWholePage) {
    std::mt19937 rng(20261207);
    const std::string pieces[] = {
        "{",     "}",       "\\",     "<",        ">",          "\\par ",    "\\'e9", "\\u8364?",
        "\\uc0", "\\bin5 ", "\\*",    "{\\pict ", "\\cf99 ",    "\\f-3 ",    "\\li",  " ",
        "\r\n",  "genie ",  "Speak ", "Read",     "\\colortbl", "\\fonttbl", "\\red", ";",
        "\\'",   "\\u-",    "<DONE>", "\"",       "x",          "\\plain"};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::string rtf;
        const int length = static_cast<int>(rng() % 200);
        const bool bytes = round % 3 == 0;
        if (round % 2 == 0)
            rtf = kHeader;
        for (int i = 0; i < length; ++i)
            rtf += bytes ? std::string(1, static_cast<char>(byte(rng))) : pieces[pick(rng)];
        ExpectWholePage(Compile(rtf, {}, 1 + static_cast<LONG>(rng() % 64)).html(),
                        "round " + std::to_string(round));
    }
}

TEST(Robustness, everyPrefixOfAMessageGivesAWholePage) {
    const std::string rtf = Rtf("\\pard\\li750\\qc\\plain\\f2\\fs24\\b\\cf1 <genie Speak a "
                                "\\'e9\\u8364?>text {\\pict 00} \\{ <merlin Read>more\r\n\\par "
                                "\\pard\\plain\\f2\\fs24\\cf0 end");
    for (std::size_t n = 0; n <= rtf.size(); ++n)
        ExpectWholePage(Compile(rtf.substr(0, n)).html(), "prefix " + std::to_string(n));
}

TEST(Robustness, deepNestingAndLongWordsAreReadInOnePass) {
    std::string deep = std::string(kHeader) + "\\pard\\plain ";
    deep += std::string(100000, '{') + "text" + std::string(100000, '}');
    ExpectWholePage(Compile(deep).html(), "deep");

    std::string word = Rtf("\\pard\\plain\\f2\\fs24 \\" + std::string(200000, 'x') + " after");
    ExpectWholePage(Compile(word).html(), "long word");

    std::string unclosed = Rtf("\\pard\\plain " + std::string(50000, '<') + ">");
    ExpectWholePage(Compile(unclosed).html(), "many openers");
}
