// Reading RTF from other writers, damaged RTF and plain text.
#include "rich_edit_test_support.h"
#include "support/png_bomb.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTextCursor>
#include <QUrl>
#include <gtest/gtest.h>
#include <random>

using namespace richedit_test;

namespace {

std::string Load(CRichEditCtrl& ctrl, const std::string& rtf) {
    StreamIn(ctrl, rtf);
    return Describe(ctrl);
}

// Reading what the control writes of any content gives that content again.
void ExpectWritingIsStable(CRichEditCtrl& ctrl, const std::string& context) {
    const std::string once = StreamOut(ctrl);
    CRichEditCtrl again;
    StreamIn(again, once);
    EXPECT_EQ(StreamOut(again), once) << context;
}

QByteArray Encoded(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 100, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

std::string Hex(const QByteArray& bytes) {
    return bytes.toHex().toStdString();
}

std::vector<std::string> GoldenNames() {
    std::vector<std::string> names;
    const QDir dir(QString(PARL_TEST_DATA_DIR) + "/rtf");
    for (const QString& file : dir.entryList({"*.rtf"}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(4).toStdString());
    return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(Golden, readsAsTheEditorMustShowIt) {
    const std::string rtf = ReadDataFile(GetParam() + ".rtf");
    const std::string shows = ReadDataFile(GetParam() + ".shows");
    ASSERT_FALSE(rtf.empty());
    ASSERT_FALSE(shows.empty()) << "each sample has its .shows beside it";
    CRichEditCtrl ctrl;
    EXPECT_EQ(Load(ctrl, rtf), shows);
    ExpectWritingIsStable(ctrl, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Samples, Golden, ::testing::ValuesIn(GoldenNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

TEST(RtfReader, pngAndJpegPicturesAreShownAndOtherKindsSkipped) {
    const QByteArray png = Encoded("PNG", 4, 2);
    const QByteArray jpeg = Encoded("JPEG", 3, 3);
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 "
        "A{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}}}\\pngblip\\picw4\\pich2\\picwgoal600"
        "\\pichgoal300\r\n" +
        Hex(png).insert(10, "\r\n") +
        "}}{\\nonshppict{\\pict\\wmetafile8\\picw4\\pich2 010009000003}}"
        "B{\\pict\\jpegblip\\picscalex50\\picscaley200 " +
        Hex(jpeg) +
        "}C{\\pict\\emfblip 0100000088}D{\\pict\\pngblip 0badc0de}E"
        "{\\pict\\pngblip\\bin" +
        std::to_string(png.size()) + " " + png.toStdString() + "}F\\par}";
    CRichEditCtrl ctrl;
    StreamIn(ctrl, rtf);
    const QString text = PlainText(ctrl);
    const QString object(QChar::ObjectReplacementCharacter);
    EXPECT_EQ(text, "A" + object + "B" + object + "CDE" + object + "F");
    const std::string shown = Describe(ctrl);
    EXPECT_NE(shown.find("<picture 40x20 " + std::to_string(png.size()) + " bytes>"),
              std::string::npos)
        << shown;
    // A JPEG without goal sizes is shown at its pixels, scaled: 3x3 at 50% and 200%.
    EXPECT_NE(StreamOut(ctrl).find("\\jpegblip\\picw3\\pich3\\picwgoal23\\pichgoal90 "),
              std::string::npos);
    ExpectWritingIsStable(ctrl, "pictures");
}

TEST(RtfReader, picturesBeyondTheMessagesPixelBudgetShowAPlaceholderAndKeepTheirBytes) {
    // Pictures of 4 megapixels against a budget of 10: two are decoded, every later one is
    // shown as a box at its own size, and all of them are written back byte for byte.
    const std::string bomb = png_bomb::Make(2000, 2000);
    const QByteArray bombBytes(bomb.data(), static_cast<qsizetype>(bomb.size()));
    const QByteArray normal = Encoded("PNG", 40, 20);
    struct Row {
        const char* name;
        std::vector<QByteArray> pictures;
        std::vector<bool> decoded;
    };
    const std::vector<Row> rows = {
        {"one bomb", {bombBytes}, {true}},
        {"many bombs",
         {bombBytes, normal, bombBytes, bombBytes, bombBytes, normal},
         {true, true, true, false, false, true}},
        {"normal pictures", {normal, Encoded("JPEG", 30, 30)}, {true, true}},
    };
    for (const Row& row : rows) {
        std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 A";
        for (const QByteArray& picture : row.pictures) {
            rtf += picture.startsWith("\x89PNG") ? "{\\pict\\pngblip " : "{\\pict\\jpegblip ";
            rtf += Hex(picture) + "}";
        }
        rtf += "B\\par}";
        CRichEditCtrl ctrl;
        ctrl.SetPictureBudget(10 * 1000 * 1000);
        StreamIn(ctrl, rtf);

        std::vector<bool> decoded;
        std::vector<QSizeF> shown;
        const QTextDocument& doc = *ctrl.document();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (!format.isImageFormat())
                    continue;
                const QTextImageFormat image = format.toImageFormat();
                const QImage resource =
                    doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
                decoded.push_back(resource.width() ==
                                  format.intProperty(CRichEditFormat::PictureWidth));
                shown.emplace_back(image.width(), image.height());
            }
        }
        EXPECT_EQ(decoded, row.decoded) << row.name;
        ASSERT_EQ(shown.size(), row.pictures.size()) << row.name;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            // Shown at 15 twips a pixel of the picture's own header, decoded or not.
            const QImage natural = QImage::fromData(row.pictures[i]);
            const double scale = ctrl.Dpi() / 96.0;
            if (row.pictures[i] == bombBytes) {
                EXPECT_NEAR(shown[i].width(), 2000 * scale, 1) << row.name;
            } else {
                EXPECT_NEAR(shown[i].width(), natural.width() * scale, 1) << row.name;
            }
        }
        const std::string out = StreamOut(ctrl);
        for (const QByteArray& picture : row.pictures)
            EXPECT_NE(out.find(Hex(picture)), std::string::npos) << row.name;
        ExpectWritingIsStable(ctrl, row.name);
    }

    // A picture file inserted whole goes by the same budget.
    CRichEditCtrl ctrl;
    ctrl.SetPictureBudget(1000 * 1000);
    ASSERT_TRUE(ctrl.InsertPicture(bombBytes, RtfPictureKind::Png));
    const QTextImageFormat inserted =
        ctrl.document()->begin().begin().fragment().charFormat().toImageFormat();
    const QImage shown = ctrl.document()
                             ->resource(QTextDocument::ImageResource, QUrl(inserted.name()))
                             .value<QImage>();
    EXPECT_EQ(shown.size(), QSize(32, 32)); // the placeholder, not 2000 x 2000 pixels
    EXPECT_NE(StreamOut(ctrl).find("\\picw2000\\pich2000\\picwgoal30000\\pichgoal30000 " +
                                   Hex(bombBytes) + "}"),
              std::string::npos);
}

TEST(RtfReader, unicodeEscapesSkipTheirFallbacksAsUcSays) {
    struct Row {
        const char* rtf;
        const char* text; // UTF-8
    } rows[] = {
        {"{\\rtf1 a\\u8364?b}", "a\xE2\x82\xAC"
                                "b"},
        {"{\\rtf1 \\uc0 a\\u8364 b}", "a\xE2\x82\xAC"
                                      "b"},
        {"{\\rtf1 \\uc2 a\\u8364\\'80\\'80b}", "a\xE2\x82\xAC"
                                               "b"},
        {"{\\rtf1 a{\\uc3\\u937 ??}?b}", "a\xCE\xA9?b"}, // a group end ends the skipping
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
        {"{\\rtf1 \\u128512?}", "\xF0\x9F\x98\x80"},
        {"{\\rtf1 \\'93q\\'94 \\~\\-\\_}",
         "\xE2\x80\x9Cq\xE2\x80\x9D \xC2\xA0\xC2\xAD\xE2\x80\x91"},
        {"{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
         "\xE2\x80\x94\xE2\x80\x93\xE2\x80\xA2\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D"},
        {"{\\rtf1 a\\u65532?\\u64976?b}", "a\xEF\xBF\xBD\xEF\xBF\xBD"
                                          "b"},
    };
    for (const Row& row : rows) {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, row.rtf);
        EXPECT_EQ(PlainText(ctrl), QString::fromUtf8(row.text)) << row.rtf;
    }
}

TEST(RtfReader, paragraphEndsInAllTheirFormsMakeBlocksAndTheLastMarkAddsNone) {
    struct Row {
        const char* rtf;
        const char* text;
    } rows[] = {
        {"{\\rtf1 a\\par b\\par}", "a\nb"},
        {"{\\rtf1 a\\par\r\nb\\par\r\n}", "a\nb"},
        {"{\\rtf1 a\\\r\nb}", "a\nb"},
        {"{\\rtf1 a\\par\\par b}", "a\n\nb"},
        {"{\\rtf1 a\\par\\par}", "a\n"},
        {"{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\t\nc"},
        {"{\\rtf1 a}\\par trailing words after the document", "a"},
        {"{\\rtf1 \\par}", ""},
    };
    for (const Row& row : rows) {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, row.rtf);
        EXPECT_EQ(PlainText(ctrl), QString(row.text)) << row.rtf;
    }
}

TEST(RtfReader, streamingIntoTheSelectionInsertsAtTheCaretAndKeepsItsParagraph) {
    CRichEditCtrl ctrl;
    ApplyProgramDefaults(ctrl);
    Replace(ctrl, "[]");
    PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
    pf.wAlignment = PFA_CENTER;
    SetParaFormat(ctrl, pf);
    Select(ctrl, 1, 1);
    StreamIn(ctrl, "{\\rtf1 \\pard\\qr {\\b in}\\par}", SF_RTF | CRichEditCtrl::SFF_SELECTION);
    EXPECT_EQ(PlainText(ctrl), QString("[in]"));
    EXPECT_EQ(GetParaFormat(ctrl).wAlignment, PFA_CENTER);
    Select(ctrl, 1, 3);
    EXPECT_TRUE(GetCharFormat(ctrl).dwEffects & CFE_BOLD);
    EXPECT_TRUE(ctrl.SendMessage(EM_GETMODIFY, 0, 0));
}

TEST(DamagedRtf, everyTruncationLoadsWhatWasReadBeforeIt) {
    const std::string rtf = ReadDataFile("word_processor.rtf");
    const std::string::size_type done = rtf.find("done.}");
    ASSERT_NE(done, std::string::npos);
    for (std::size_t length = 0; length <= rtf.size(); ++length) {
        CRichEditCtrl ctrl;
        StreamIn(ctrl, rtf.substr(0, length));
        if (length >= done + 5) {
            EXPECT_TRUE(
                PlainText(ctrl).startsWith(QString::fromUtf8("Caf\xC3\xA9 na\xC3\xAFve and a "
                                                             "link done.")))
                << length;
        }
    }
}

TEST(DamagedRtf, deepNestingLoadsTheTextAndRestoresTheStateOfEveryLevel) {
    const std::size_t depth = 100000;
    const std::string open(depth, '{');
    const std::string close(depth, '}');
    CRichEditCtrl ctrl;
    StreamIn(ctrl, "{\\rtf1 before " + open + "\\b deep" + close + " after}");
    EXPECT_EQ(PlainText(ctrl), QString("before deep after"));
    Select(ctrl, 7, 11);
    EXPECT_TRUE(GetCharFormat(ctrl).dwEffects & CFE_BOLD);
    Select(ctrl, 11, 17);
    EXPECT_FALSE(GetCharFormat(ctrl).dwEffects & CFE_BOLD);

    CRichEditCtrl unclosed;
    StreamIn(unclosed, "{\\rtf1 " + open + "never closed");
    EXPECT_EQ(PlainText(unclosed), QString("never closed"));
}

TEST(DamagedRtf, randomBytesLoadAndWhatIsShownWritesStably) {
    std::mt19937 random(20240607);
    const std::string alphabet = "{}\\\\\\'*abcfilnpqrstuv0123456789- ;\r\n\x80\xff";
    for (int round = 0; round < 60; ++round) {
        std::string noise(4000, '\0');
        for (char& c : noise) {
            c = round % 3 == 0 ? static_cast<char>(random() & 0xFF)
                               : alphabet[random() % alphabet.size()];
        }
        for (const std::string& input :
             {noise, "{\\rtf1 " + noise,
              "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red9;}" + noise}) {
            CRichEditCtrl ctrl;
            StreamIn(ctrl, input);
            ExpectWritingIsStable(ctrl, "round " + std::to_string(round));
        }
    }
}

TEST(DamagedRtf, nulBytesAreDropped) {
    CRichEditCtrl ctrl;
    StreamIn(ctrl, std::string("{\\rtf1 a\0b\\'00c\\par}", 20));
    EXPECT_EQ(PlainText(ctrl), QString("abc"));
    CRichEditCtrl plain;
    StreamIn(plain, std::string("x\0y\r\nz", 6));
    EXPECT_EQ(PlainText(plain), QString("xy\nz"));
}

TEST(PlainText, aFileThatIsNotRtfGivesOneParagraphALineInTheDefaultFormat) {
    struct Row {
        std::string bytes;
        const char* text; // UTF-8
    } rows[] = {
        {"one\r\ntwo\nthree\rfour\n", "one\ntwo\nthree\nfour"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE6\x97\xA5\xE6\x9C\xAC",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE6\x97\xA5\xE6\x9C\xAC"},
        {"Gr\xFC\xDF"
         "e \x80",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC"},
        {"\xEF\xBB\xBF"
         "bom",
         "bom"},
        {"\n\nend\n\n", "\n\nend\n"},
        {"{\\rt not quite", "{\\rt not quite"},
        {"", ""},
    };
    for (const Row& row : rows) {
        for (WPARAM format : {SF_RTF, SF_TEXT}) {
            CRichEditCtrl ctrl;
            ApplyProgramDefaults(ctrl);
            StreamIn(ctrl, row.bytes, format);
            EXPECT_EQ(PlainText(ctrl), QString::fromUtf8(row.text)) << row.bytes;
            Select(ctrl, 0, -1);
            const CHARFORMAT cf = GetCharFormat(ctrl);
            EXPECT_STREQ(cf.szFaceName, "Arial") << row.bytes;
            EXPECT_EQ(cf.yHeight, 240) << row.bytes;
            EXPECT_EQ(cf.dwMask & CFM_SIZE, CFM_SIZE) << row.bytes;
        }
    }
}

TEST(LargeRtf, fortyThousandFontsEachWithItsTextOpenAndWriteInLinearTime) {
    // 1.8 MB: a font table of 40,000 faces and a paragraph with one word in each. The format
    // table of the document and the writer's font table used to take time with the square of
    // the number of faces (a minute here); now it is well under a second in a normal build.
    constexpr int kFonts = 40000;
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < kFonts; ++i)
        rtf += "{\\f" + std::to_string(i) + "\\fswiss Face no " + std::to_string(i) + ";}";
    rtf += "}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\pard\\fs24 ";
    for (int i = 0; i < kFonts; ++i)
        rtf += "\\f" + std::to_string(i) + " w" + std::to_string(i) + " ";
    rtf += "\\par\r\n}\r\n";
    ASSERT_GT(rtf.size(), 1700000u);
    ASSERT_LT(rtf.size(), 2000000u);

    QElapsedTimer timer;
    timer.start();
    CRichEditCtrl ctrl;
    StreamIn(ctrl, rtf);
    const qint64 readMs = timer.restart();
    const std::string out = StreamOut(ctrl);
    const qint64 writeMs = timer.elapsed();
    std::printf("40,000 fonts, %zu bytes: read %lld ms, written %lld ms\n", rtf.size(),
                static_cast<long long>(readMs), static_cast<long long>(writeMs));
    // Loose bounds: the sanitizer build on a loaded machine is many times slower.
    EXPECT_LT(readMs, 5000);
    EXPECT_LT(writeMs, 5000);

    // Every word kept its own face.
    const QString text = PlainText(ctrl);
    EXPECT_TRUE(text.startsWith("w0 w1 w2 "));
    EXPECT_TRUE(text.endsWith(QString("w%1 ").arg(kFonts - 1)));
    const std::size_t entry = out.find("\\fswiss Face no 39999;}");
    ASSERT_NE(entry, std::string::npos);
    const std::size_t number = out.rfind("{\\f", entry) + 3;
    const std::string font = out.substr(number, entry - number);
    EXPECT_NE(out.find("\\plain\\f" + font + "\\fs24\\cf0 w39999 "), std::string::npos) << font;
}

TEST(LargeRtf, thousandsOfFacesTheSystemLacksOpenInAShownEditorAndSaveWithTheirNames) {
    // Each face is looked up once; faces that are not installed are shown through one fallback,
    // so laying the message out no longer searches the font database for every one of them.
    for (const int fonts : {10000, 40000}) {
        std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (int i = 0; i < fonts; ++i)
            rtf += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 Missing Face " +
                   std::to_string(i) + ";}";
        rtf += "}\r\n\\pard\\fs24 ";
        for (int i = 0; i < fonts; ++i) {
            rtf += "\\f" + std::to_string(i) + " word" + std::to_string(i) + " ";
            if (i % 8 == 7)
                rtf += "\\par\r\n";
        }
        rtf += "\\par\r\n}\r\n";

        CRichEditCtrl ctrl;
        ctrl.resize(800, 600);
        ctrl.show();
        QElapsedTimer timer;
        timer.start();
        StreamIn(ctrl, rtf);
        // Laid out whole, as scrolling to the end would have it.
        QTextDocument* doc = ctrl.document();
        const QRectF last = doc->documentLayout()->blockBoundingRect(doc->lastBlock());
        QCoreApplication::processEvents();
        const qint64 openMs = timer.elapsed();
        std::printf("%d faces, %zu bytes: opened and laid out in %lld ms\n", fonts, rtf.size(),
                    static_cast<long long>(openMs));
        EXPECT_GT(last.bottom(), 1000.0);
        EXPECT_LT(openMs, fonts == 10000 ? 8000 : 20000); // loose, for sanitizer builds

        const std::string out = StreamOut(ctrl);
        for (const int i : {0, fonts / 2, fonts - 1}) {
            const std::string face = "Missing Face " + std::to_string(i) + ";}";
            const std::size_t entry = out.find(face);
            ASSERT_NE(entry, std::string::npos) << face;
            const std::size_t number = out.rfind("{\\f", entry) + 3;
            const std::string font = out.substr(number, out.find('\\', number) - number);
            EXPECT_NE(out.find("\\f" + font + "\\fs24\\cf0 word" + std::to_string(i) + " "),
                      std::string::npos)
                << face;
        }
    }
}
