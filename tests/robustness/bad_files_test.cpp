// Files that are not what the program writes, opened as the program opens a message: read whole,
// then streamed into the rich-edit control through the RTF reader. Each loads, or is refused,
// within seconds, and afterwards the control takes typing and streams out a whole RTF that it
// reads back.
#include "platform/qt/modal_script.h"
#include "robustness_support.h"

#include <QBuffer>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace robustness;

namespace {

// Far above what any of these inputs needs even under the sanitizers; only a hang or a
// run-away (quadratic) reader comes near it.
constexpr double kSecondsAllowed = 30;

class BadFile : public ::testing::Test {
protected:
    // Opens `bytes` as a message file; returns whether the open succeeded and checks the time.
    bool Open(const std::string& bytes) {
        const std::string path = dir.filePath(QStringLiteral("bad.rtf")).toStdString();
        EXPECT_TRUE(WriteFile(path, bytes));
        script.Push(CModalScript::Button(QMessageBox::Ok)); // in case the open is refused
        const auto start = std::chrono::steady_clock::now();
        const BOOL opened = doc.OnOpenDocument(path);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), kSecondsAllowed) << bytes.size() << " bytes";
        return opened != FALSE;
    }

    // The control still works: typing lands in it and what it writes it reads back the same.
    void ExpectUsable() {
        TypeAtEnd(doc.m_view, "still typing");
        EXPECT_TRUE(doc.m_view.toPlainText().endsWith(QStringLiteral("still typing")));
        const std::string rtf = StreamOut(doc.m_view);
        ASSERT_GE(rtf.size(), 8u);
        EXPECT_EQ(rtf.compare(0, 6, "{\\rtf1"), 0);
        EXPECT_EQ(rtf.back(), '}');
        CControlView again;
        StreamIn(again, rtf);
        EXPECT_EQ(again.toPlainText(), doc.m_view.toPlainText());
    }

    CTestApp app;
    CModalScript script;
    QTemporaryDir dir;
    CControlDoc doc;
};

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    return bytes;
}

const std::string kHeader = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                            "{\\colortbl\\red0\\green0\\blue0;}\\pard\\plain\\f0\\fs24 ";

std::string Hex(const QByteArray& bytes) {
    return bytes.toHex().toStdString();
}

QByteArray Png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

std::string Picture(const std::string& words, const std::string& data) {
    return kHeader + "before{\\pict" + words + " " + data + "}after\\par }";
}

} // namespace

TEST_F(BadFile, binaryBytesLoadAsWhateverTextTheyHold) {
    Open(RandomBytes(1024 * 1024, 7));
    ExpectUsable();
    Open("{\\rtf1 " + RandomBytes(1024 * 1024, 8));
    ExpectUsable();
}

TEST_F(BadFile, aHundredThousandNestedGroupsLoadTheirText) {
    const std::size_t depth = 100000;
    EXPECT_TRUE(Open(kHeader + std::string(depth, '{') + "deep" + std::string(depth, '}') +
                     " shallow\\par }"));
    EXPECT_TRUE(doc.m_view.toPlainText().contains(QStringLiteral("deep")));
    EXPECT_TRUE(doc.m_view.toPlainText().contains(QStringLiteral("shallow")));
    ExpectUsable();
    // Groups that are opened and never closed.
    Open(kHeader + std::string(depth, '{') + "open");
    ExpectUsable();
    // Closed more often than opened.
    Open(kHeader + "text" + std::string(depth, '}') + "after");
    ExpectUsable();
}

TEST_F(BadFile, nulBytesAnywhereDoNotCutTheFileShort) {
    std::string rtf = kHeader + "one";
    rtf += '\0';
    rtf += "two\\b";
    rtf += '\0';
    rtf += "\\i three\\'00four{\\*\\x";
    rtf += std::string(100, '\0');
    rtf += "}five\\par }";
    EXPECT_TRUE(Open(rtf));
    const QString text = doc.m_view.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("one"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("five"))) << text.toStdString();
    ExpectUsable();
    Open(std::string(64 * 1024, '\0'));
    ExpectUsable();
}

TEST_F(BadFile, brokenPicturesAreLeftOutAndTheTextAroundThemKept) {
    const QByteArray png = Png(4, 3);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"bad hex", Picture("\\pngblip", "89504e47zzzz0d0a1a0a" + Hex(png.mid(8)) + "q")},
        {"odd digit count", Picture("\\pngblip", Hex(png) + "a")},
        {"truncated PNG", Picture("\\pngblip", Hex(png.left(png.size() / 2)))},
        {"JPEG marked PNG", Picture("\\jpegblip", Hex(png))},
        {"no data", Picture("\\pngblip\\picw10\\pich10", "")},
        {"huge declared size",
         Picture("\\pngblip\\picw2147483647\\pich2147483647\\picwgoal2147483647"
                 "\\pichgoal2147483647\\picscalex2147483647\\picscaley2147483647",
                 Hex(png))},
        {"negative declared size",
         Picture("\\pngblip\\picw-5\\pich-2147483648\\picwgoal-1\\picscalex-100", Hex(png))},
        {"\\bin longer than the file",
         Picture("\\pngblip", "\\bin2147483647 " + png.toStdString())},
        {"\\bin with a negative count", Picture("\\pngblip", "\\bin-40 ab")},
    };
    for (const auto& [name, rtf] : cases) {
        SCOPED_TRACE(name);
        Open(rtf);
        const QString text = doc.m_view.toPlainText();
        if (rtf.find("\\bin2147483647") == std::string::npos) {
            EXPECT_TRUE(text.startsWith(QStringLiteral("before"))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("after"))) << text.toStdString();
        }
        ExpectUsable();
    }
}

TEST_F(BadFile, aPictureDeclaringAHugeImageIsRefusedNotAllocated) {
    // A PNG whose header says 60000 x 60000 pixels (14 GB as 32-bit pixels) but holds little.
    QByteArray png = Png(1, 1);
    auto put32 = [&png](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    put32(16, 60000); // width and height inside IHDR
    put32(20, 60000);
    put32(29, Crc32(png.mid(12, 17))); // the chunk's check sum over its type and data
    Open(Picture("\\pngblip", Hex(png)));
    EXPECT_TRUE(doc.m_view.toPlainText().startsWith(QStringLiteral("beforeafter")));
    ExpectUsable();
}

TEST_F(BadFile, aMissingOrUnreadableFileIsRefusedAndTheMessageKept) {
    StreamIn(doc.m_view, kHeader + "kept\\par }");
    script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.OnOpenDocument(dir.filePath(QStringLiteral("missing.rtf")).toStdString()));
    EXPECT_EQ(doc.m_view.toPlainText(), QStringLiteral("kept"));
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_TRUE(script.Last().text.contains(QStringLiteral("missing.rtf")));
    ExpectUsable();
}

// A 100 MB message takes a while under the sanitizers; it runs when PARL_SLOW_TESTS is set
// (bench/run.sh measures the same open for speed and memory).
TEST_F(BadFile, aHundredMegabyteMessageOpensWhole) {
    if (std::getenv("PARL_SLOW_TESTS") == nullptr)
        GTEST_SKIP() << "slow: set PARL_SLOW_TESTS=1 to open a 100 MB message";
    const std::string rtf = GenerateMessage(100u * 1024 * 1024);
    EXPECT_TRUE(Open(rtf));
    EXPECT_GT(doc.m_view.document()->blockCount(), 100000);
    TypeAtEnd(doc.m_view, "still typing");
    EXPECT_GT(StreamOut(doc.m_view).size(), 50u * 1024 * 1024);
}
