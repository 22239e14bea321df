// The tokenizer on the edges of RTF's syntax: delimiters, numbers, escapes, \bin and skipping.
#include "rtf/rtf_tokenizer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Tokens as short strings: "{", "}", "\word", "\word-12", "\sym:x", "\'hh", "text:...",
// "bin:N".
std::vector<std::string> Tokens(const std::string& rtf) {
    CRtfTokenizer tokenizer(rtf.data(), rtf.size());
    CRtfTokenizer::Token token;
    std::vector<std::string> out;
    while (tokenizer.Next(token)) {
        switch (token.type) {
        case CRtfTokenizer::Type::GroupStart:
            out.push_back("{");
            break;
        case CRtfTokenizer::Type::GroupEnd:
            out.push_back("}");
            break;
        case CRtfTokenizer::Type::ControlWord:
            out.push_back("\\" + std::string(token.text) +
                          (token.hasNumber ? std::to_string(token.number) : ""));
            break;
        case CRtfTokenizer::Type::ControlSymbol:
            out.push_back(std::string("\\sym:") + static_cast<char>(token.symbol));
            break;
        case CRtfTokenizer::Type::HexByte: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", token.symbol);
            out.push_back(hex);
            break;
        }
        case CRtfTokenizer::Type::Text:
            out.push_back("text:" + std::string(token.text));
            break;
        case CRtfTokenizer::Type::Binary:
            out.push_back("bin:" + std::to_string(token.text.size()));
            break;
        case CRtfTokenizer::Type::End:
            break;
        }
    }
    return out;
}

using V = std::vector<std::string>;

} // namespace

TEST(RtfTokenizer, aControlWordEndsAtABlankItTakesOrAtAnyOtherByteItLeaves) {
    EXPECT_EQ(Tokens("\\b bold\\b0  two"), (V{"\\b", "text:bold", "\\b0", "text: two"}));
    EXPECT_EQ(Tokens("\\par\\pard;x"), (V{"\\par", "\\pard", "text:;x"}));
    EXPECT_EQ(Tokens("\\fi-360\\li720x"), (V{"\\fi-360", "\\li720", "text:x"}));
    EXPECT_EQ(Tokens("\\f-x"), (V{"\\f", "text:-x"})) << "a lone minus is no number";
    EXPECT_EQ(Tokens("\\fs99999999999 "), (V{"\\fs2147483647"})) << "clamped, not wrapped";
}

TEST(RtfTokenizer, lineBreaksAndNulBytesAreNotText) {
    EXPECT_EQ(Tokens(std::string("a\r\nb\0c", 6)), (V{"text:a", "text:b", "text:c"}));
    EXPECT_EQ(Tokens("a\\\r\nb"), (V{"text:a", "\\sym:\n", "text:b"}));
}

TEST(RtfTokenizer, escapesGiveSymbolsAndBytes) {
    EXPECT_EQ(Tokens("\\{\\}\\\\\\~\\*\\'e9\\'A0"),
              (V{"\\sym:{", "\\sym:}", "\\sym:\\", "\\sym:~", "\\sym:*", "\\'e9", "\\'a0"}));
    EXPECT_EQ(Tokens("\\'e"), (V{"\\'0e"}));
    EXPECT_EQ(Tokens("\\'zz"), (V{"\\'00", "text:zz"}));
    EXPECT_EQ(Tokens("end\\"), (V{"text:end"}));
}

TEST(RtfTokenizer, binaryDataIsTakenWholeWhateverItHolds) {
    EXPECT_EQ(Tokens("\\bin4 {}\\x}"), (V{"bin:4", "}"}));
    EXPECT_EQ(Tokens("\\bin100 ab"), (V{"bin:2"})) << "cut short by the end of the input";
    EXPECT_EQ(Tokens("\\bin-5 ab"), (V{"bin:0", "text:ab"}));
}

TEST(RtfTokenizer, skippingAGroupPassesNestedGroupsEscapedBracesAndBinaryData) {
    const std::string rtf = "{\\*\\x {a} \\} \\{ \\bin3 }}} {b}}after";
    CRtfTokenizer tokenizer(rtf.data(), rtf.size());
    CRtfTokenizer::Token token;
    ASSERT_TRUE(tokenizer.Next(token));
    ASSERT_EQ(token.type, CRtfTokenizer::Type::GroupStart);
    tokenizer.SkipGroup();
    ASSERT_TRUE(tokenizer.Next(token));
    EXPECT_EQ(token.type, CRtfTokenizer::Type::Text);
    EXPECT_EQ(token.text, "after");

    const std::string unclosed = "{{{";
    CRtfTokenizer tokenizerOfUnclosed(unclosed.data(), unclosed.size());
    tokenizerOfUnclosed.SkipGroup();
    EXPECT_EQ(tokenizerOfUnclosed.Remaining(), 0u);
}
