// Pictures of the message on the page: which ones, where, at what size, and with what bytes.
#include "compile_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kP = "\\pard\\plain\\f2\\fs24\\cf0 ";

// A 4 by 2 PNG and a 3 by 5 JPEG, as hexadecimal digits, and the base64 of the PNG.
const std::string kPngHex =
    "89504e470d0a1a0a0000000d4948445200000004000000020802000000f0caea34000000144944415408d763fc"
    "cf80004c0c0c0c8c0c5011002037020360a7cde40000000049454e44ae426082";
const std::string kPngBase64 =
    "iVBORw0KGgoAAAANSUhEUgAAAAQAAAACCAIAAADwyuo0AAAAFElEQVQI12P8z4AATAwMDIwMUBEAIDcCA2CnzeQAAAA"
    "ASUVORK5CYII=";
const std::string kJpegHex =
    "ffd8ffe000104a46494600010100000100010000ffdb00430006040506050406060506070706080a100a0a0909"
    "0a140e0f0c1017141818171416161a1d251f1a1b231c1616202c20232627292a29191f2d302d283025282928ff"
    "db0043010707070a080a130a0a13281a161a282828282828282828282828282828282828282828282828282828"
    "2828282828282828282828282828282828282828282828ffc00011080005000303012200021101031101ffc400"
    "1500010100000000000000000000000000000006ffc40014100100000000000000000000000000000000ffc400"
    "1501010100000000000000000000000000000607ffc40014110100000000000000000000000000000000ffda00"
    "0c03010002110311003f00920009327fffd9";

std::string Bytes(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string FromBase64(const std::string& text) {
    static const std::string kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        const std::size_t v = kAlphabet.find(c);
        if (v == std::string::npos)
            break;
        bits = bits << 6 | static_cast<unsigned>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::string Div(const std::string& inner) {
    return "<DIV><FONT color=000000 face=\"Arial\" size=3>" + inner + "</FONT></DIV>\r\n";
}

std::string Img(int width, int height, const char* type, const std::string& base64) {
    return "<IMG WIDTH=\"" + std::to_string(width) + "\" HEIGHT=\"" + std::to_string(height) +
           "\" SRC=\"data:image/" + type + ";base64," + base64 + "\">";
}

} // namespace

TEST(Pictures, appearWhereTheyStandAtTheSizeTheEditorShowsWithTheirOwnBytes) {
    const std::string png = Bytes(kPngHex);
    const struct Row {
        const char* what;
        std::string body;
        int width, height; // of the one picture expected; 0 when it is left out
        const char* type;
        std::string bytes;
    } rows[] = {
        {"a PNG at its stated size",
         "{\\pict\\pngblip\\picw4\\pich2\\picwgoal1500\\pichgoal300 " + kPngHex + "}", 100, 20,
         "png", png},
        {"a PNG with no stated size: its own, 15 twips a pixel",
         "{\\pict\\pngblip " + kPngHex + "}", 4, 2, "png", png},
        {"a scaled JPEG",
         "{\\pict\\jpegblip\\picwgoal450\\pichgoal750\\picscalex200\\picscaley50 " + kJpegHex + "}",
         60, 25, "jpeg", Bytes(kJpegHex)},
        {"a JPEG with no stated size, scaled", "{\\pict\\jpegblip\\picscalex300 " + kJpegHex + "}",
         9, 5, "jpeg", Bytes(kJpegHex)},
        {"digits broken over lines, inside the group newer writers put pictures in",
         "{\\*\\shppict{\\pict{\\*\\picprop{\\sp x}}\\pngblip\\picwgoal60\\pichgoal30 " +
             kPngHex.substr(0, 51) + "\r\n" + kPngHex.substr(51) +
             "}}{\\nonshppict{\\pict\\wmetafile8 0102}}",
         4, 2, "png", png},
        {"a metafile is left out", "{\\pict\\wmetafile8\\picwgoal60\\pichgoal30 " + kPngHex + "}",
         0, 0, "", ""},
        {"bytes of another kind than the group says are left out",
         "{\\pict\\pngblip " + kJpegHex + "}", 0, 0, "", ""},
        {"a PNG cut short before its size is left out",
         "{\\pict\\pngblip " + kPngHex.substr(0, 40) + "}", 0, 0, "", ""},
        {"a picture inside an object is left out",
         "{\\object{\\result{\\pict\\pngblip " + kPngHex + "}}}", 0, 0, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto c = Compile(Rtf(kP + "before " + row.body + " after"));
        const std::string text = PageText(c.html());
        if (row.width == 0) {
            EXPECT_EQ(text, Div("before  after"));
            continue;
        }
        const std::string prefix = "<DIV><FONT color=000000 face=\"Arial\" size=3>before <IMG";
        ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
        const std::size_t start = text.find("base64,") + 7;
        const std::size_t end = text.find('"', start);
        const std::string base64 = text.substr(start, end - start);
        EXPECT_EQ(FromBase64(base64), row.bytes);
        EXPECT_EQ(text, Div("before " + Img(row.width, row.height, row.type, base64) + " after"));
        // The picture is not read aloud.
        EXPECT_EQ(ScriptLines(c), "genie.Speak (\"before  after\")\r\n");
    }
}

TEST(Pictures, aParagraphOfAPictureAloneHasNothingToSayAndATagsPictureIsNoPageText) {
    auto alone = Compile(Rtf(kP + "{\\pict\\pngblip " + kPngHex + "}"));
    EXPECT_EQ(PageText(alone.html()), Div(Img(4, 2, "png", kPngBase64)));
    EXPECT_EQ(ScriptLines(alone), "");

    auto tag = Compile(Rtf(kP + "x<genie Speak {\\pict\\pngblip " + kPngHex + "}hi>"));
    EXPECT_EQ(PageText(tag.html()), Div("x"));
    EXPECT_EQ(tag.html().find("<IMG"), std::string::npos);
}
