// The command-line compile of a project: the file is opened through the rich-edit control, as
// File Open opens it, so RTF from any writer gives the page the editor would show.
#include "app/compile_command.h"
#include "app/project_loader.h"
#include "platform/qt/rich_edit_view.h"
#include "support/png_bomb.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ProjectCompile : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }

    int Compile(const std::string& input, const std::vector<std::string>& more = {}) {
        std::vector<std::string> args{"--compile", Path(input), "-o", "-"};
        args.insert(args.end(), more.begin(), more.end());
        std::ostringstream o;
        std::ostringstream e;
        const int code = RunCompileCommand(args, o, e, MakeProjectLoader(view));
        out = o.str();
        err = e.str();
        return code;
    }

    QTemporaryDir dir;
    CRichEditView view;
    std::string out;
    std::string err;
};

TEST_F(ProjectCompile, rtfOfANewerWriterGivesThePageTheEditorShows) {
    // Runs written as differences, an automatic first colour, a generator group.
    std::ofstream(Path("newer.plp"), std::ios::binary)
        << "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n"
           "{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Writer 10.0}\\viewkind4"
           "\\uc1\\pard\\sl276\\slmult1\\cf1\\b\\f0\\fs22 Red bold\\cf0\\b0  plain "
           "<genie Speak Hi>\\par\r\n}\r\n";
    ASSERT_EQ(Compile("newer.plp"), 0) << err;
    EXPECT_NE(out.find("<FONT color=FF0000 face=\"Calibri\" size=2><B>Red bold</B></FONT>"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("<FONT color=000000 face=\"Calibri\" size=2> plain "), std::string::npos)
        << out;
    EXPECT_NE(out.find("Hi"), std::string::npos);
    EXPECT_EQ(out.find("generator"), std::string::npos) << out;
}

TEST_F(ProjectCompile, aPlainTextFileIsOneParagraphALine) {
    std::ofstream(Path("notes.txt"), std::ios::binary) << "first line\nsecond <genie Play Wave>\n";
    ASSERT_EQ(Compile("notes.txt"), 0) << err;
    const std::size_t first = out.find("first line</FONT></DIV>");
    ASSERT_NE(first, std::string::npos) << out;
    EXPECT_NE(out.find("second ", first), std::string::npos) << out;
    EXPECT_NE(out.find("Wave"), std::string::npos) << out;
}

TEST_F(ProjectCompile, settingsFromTheCommandLineApplyToAnOpenedProject) {
    std::ofstream(Path("bg.plp"), std::ios::binary) << "Hello";
    ASSERT_EQ(Compile("bg.plp", {"--background-color", "102030"}), 0) << err;
    EXPECT_NE(out.find("BGCOLOR=#102030"), std::string::npos) << out;

    // A project's own settings come with it, and the command line's go over them.
    std::ofstream(Path("kept.plp"), std::ios::binary)
        << "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;}{\\*\\parlinosettings{\\backgroundcolor "
           "3351057}{\\backgroundpicture sky.jpg}}\\pard Hello\\par }";
    const auto bodyTag = [this] {
        const std::size_t start = out.find("<BODY");
        return start == std::string::npos ? std::string()
                                          : out.substr(start, out.find('>', start) - start);
    };
    ASSERT_EQ(Compile("kept.plp"), 0) << err;
    EXPECT_NE(bodyTag().find("112233"), std::string::npos) << out;
    EXPECT_NE(bodyTag().find("sky.jpg"), std::string::npos) << out;
    ASSERT_EQ(Compile("kept.plp", {"--background-color", "102030"}), 0) << err;
    EXPECT_NE(bodyTag().find("102030"), std::string::npos) << out;
    EXPECT_NE(bodyTag().find("sky.jpg"), std::string::npos) << out;
}

TEST_F(ProjectCompile, aBackgroundPictureOfAnotherKindIsLeftOutOfThePageWithAWarning) {
    std::ofstream(Path("script.plp"), std::ios::binary)
        << "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;}{\\*\\parlinosettings"
           "{\\backgroundpicture javascript:document.title=1}}\\pard Hello\\par }";
    ASSERT_EQ(Compile("script.plp"), 0) << err;
    EXPECT_EQ(out.find("BACKGROUND"), std::string::npos) << out;
    EXPECT_EQ(out.find("javascript:"), std::string::npos) << out;
    EXPECT_NE(err.find("warning: " + Path("script.plp")), std::string::npos) << err;
    EXPECT_NE(err.find("\"javascript:document.title=1\" of this project was left out"),
              std::string::npos)
        << err;

    // Named on the command line, it is a bad command line.
    for (const char* bad : {"javascript:document.title=1", "//evil.example/x.jpg", "ftp://x/y"}) {
        EXPECT_EQ(Compile("script.plp", {"--background-picture", bad}), 2) << bad;
        EXPECT_NE(err.find("--background-picture"), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
    ASSERT_EQ(Compile("script.plp", {"--background-picture", "https://x/sky.jpg"}), 0) << err;
    EXPECT_NE(out.find(" BACKGROUND=https://x/sky.jpg>"), std::string::npos) << out;
}

// Binary data may hold zero bytes: they end no text, read raw or opened as a project.
TEST_F(ProjectCompile, zeroBytesInBinaryDataEndNoTextOnEitherRoad) {
    const std::string zeros("\0\0\0\0", 4);
    const std::string bodies[] = {
        "{\\pict\\pngblip\\picw1\\pich1 \\bin4 " + zeros + "}",
        "{\\*\\blob\\bin3 a" + zeros.substr(0, 1) + "b}",
        "{\\*\\blob\\bin2 " + zeros.substr(0, 2) + "}{\\*\\blob\\bin00001 " + zeros.substr(0, 1) +
            "}",
    };
    for (const std::string& body : bodies) {
        std::ofstream(Path("bin.rtf"), std::ios::binary)
            << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 Before " + body +
                   " After <genie Speak done>\\par}";
        for (const bool raw : {true, false}) {
            SCOPED_TRACE(raw ? "raw" : "project");
            ASSERT_EQ(Compile("bin.rtf",
                              raw ? std::vector<std::string>{"--raw"} : std::vector<std::string>{}),
                      0)
                << err;
            EXPECT_NE(out.find("Before"), std::string::npos) << out;
            EXPECT_NE(out.find("After"), std::string::npos) << out;
            EXPECT_NE(out.find("genie.Speak (\"done\")"), std::string::npos) << out;
        }
    }
}

TEST_F(ProjectCompile, aProjectThatCannotBeOpenedIsNamedWithTheReason) {
    EXPECT_EQ(Compile("missing.plp"), 1);
    EXPECT_NE(err.find(Path("missing.plp")), std::string::npos) << err;
    EXPECT_NE(err.find("does not exist"), std::string::npos) << err;
    EXPECT_TRUE(out.empty());

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.plp"));
    EXPECT_EQ(Compile("folder.plp"), 1);
    EXPECT_NE(err.find("folder"), std::string::npos) << err;
}

TEST_F(ProjectCompile, theDefaultOutputIsWrittenBesideTheProject) {
    std::ofstream(Path("hello.plp"), std::ios::binary) << "Hello";
    std::ostringstream o;
    std::ostringstream e;
    ASSERT_EQ(RunCompileCommand({"--compile", Path("hello.plp")}, o, e, MakeProjectLoader(view)), 0)
        << e.str();
    const std::string page = ReadFile(Path("hello.htm"));
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.back(), '\0');
    EXPECT_NE(page.find("Hello"), std::string::npos);
}

TEST_F(ProjectCompile, picturesThatDecodeHugeCompileQuicklyAndKeepTheirBytes) {
    // 170 KB of PNG each that would decode to 125 MB; nothing is shown in a compile, so none
    // is decoded, and the page and the project written back carry the bytes as they came.
    const std::string bomb = png_bomb::Make(5600, 5600);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray normal;
    QBuffer buffer(&normal);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    const QByteArray bombBytes(bomb.data(), static_cast<qsizetype>(bomb.size()));
    struct Row {
        const char* name;
        int bombs;
        int normal;
    };
    for (const Row& row :
         {Row{"one bomb", 1, 0}, Row{"twelve bombs", 12, 1}, Row{"normal pictures", 0, 3}}) {
        std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0 Look ";
        auto picture = [&rtf](const QByteArray& bytes) {
            rtf += "{\\pict\\pngblip\\picwgoal1500\\pichgoal1500\r\n" +
                   bytes.toHex().toStdString() + "}";
        };
        for (int i = 0; i < row.bombs; ++i)
            picture(bombBytes);
        for (int i = 0; i < row.normal; ++i)
            picture(normal);
        rtf += " here\\par }";
        std::ofstream(Path("pictures.plp"), std::ios::binary) << rtf;

        QElapsedTimer timer;
        timer.start();
        ASSERT_EQ(Compile("pictures.plp"), 0) << row.name << ": " << err;
        const qint64 ms = timer.elapsed();
        std::printf("%s: %zu bytes compiled in %lld ms\n", row.name, rtf.size(),
                    static_cast<long long>(ms));
        EXPECT_LT(ms, 30000) << row.name; // loose: sanitizer builds on a loaded machine

        std::size_t images = 0;
        for (std::size_t at = out.find("<IMG "); at != std::string::npos;
             at = out.find("<IMG ", at + 1))
            ++images;
        EXPECT_EQ(images, static_cast<std::size_t>(row.bombs + row.normal)) << row.name;
        if (row.bombs > 0) {
            EXPECT_NE(out.find("data:image/png;base64," + bombBytes.toBase64().toStdString()),
                      std::string::npos)
                << row.name;
        }
        const std::string again = view.StreamOutRtf();
        if (row.bombs > 0) {
            EXPECT_NE(again.find(bombBytes.toHex().toStdString()), std::string::npos) << row.name;
        }
        if (row.normal > 0) {
            EXPECT_NE(again.find(normal.toHex().toStdString()), std::string::npos) << row.name;
        }
        EXPECT_NE(again.find("Look "), std::string::npos) << row.name;
    }
}

TEST_F(ProjectCompile, bytesOfFontsWithoutACharsetAreReadInTheDocumentsCodePage) {
    // The page carries the message's text in its own code page, in the text and in the script;
    // a lead byte of code page 932 is followed by an escaped trail byte or by a plain one.
    struct Row {
        const char* name;
        std::string rtf;
        std::string text;   // the paragraph's bytes on the page
        std::string spoken; // the Speak text's bytes
    };
    const Row rows[] = {
        {"1251",
         "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0 "
         "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 <genie Speak \\'cc\\'e8\\'f0>\\par }",
         "\xcf\xf0\xe8\xe2\xe5\xf2 ", "\xcc\xe8\xf0"},
        {"1252",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0 "
         "na\\'efve <genie Speak caf\\'e9>\\par }",
         "na\xefve ", "caf\xe9"},
        {"932",
         "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil MS Gothic;}}\\pard\\f0 "
         "\\'82\\'b1\\'82\\'f1 \\'83e\\'83X\\'83g <genie Speak \\'93\\'fa\\'96\\'7b>\\par }",
         "\x82\xb1\x82\xf1 \x83\x65\x83\x58\x83\x67 ", "\x93\xfa\x96\x7b"},
        {"936",
         "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil SimSun;}}\\pard\\f0 "
         "\\'d6\\'d0\\'ce\\'c4 <genie Speak \\'c4\\'e3\\'ba\\'c3>\\par }",
         "\xd6\xd0\xce\xc4 ", "\xc4\xe3\xba\xc3"},
        {"949",
         "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil Gulim;}}\\pard\\f0 "
         "\\'c7\\'d1\\'b1\\'b9 <genie Speak \\'be\\'c8\\'b3\\'e7>\\par }",
         "\xc7\xd1\xb1\xb9 ", "\xbe\xc8\xb3\xe7"},
        {"950",
         "{\\rtf1\\ansi\\ansicpg950\\deff0{\\fonttbl{\\f0\\fnil MingLiU;}}\\pard\\f0 "
         "\\'a4\\'a4\\'a4\\'e5 <genie Speak \\'a7A\\'a6n>\\par }",
         "\xa4\xa4\xa4\xe5 ", "\xa7\x41\xa6\x6e"},
    };
    for (const Row& row : rows) {
        std::ofstream(Path("codepage.plp"), std::ios::binary) << row.rtf;
        ASSERT_EQ(Compile("codepage.plp"), 0) << row.name << ": " << err;
        EXPECT_NE(out.find("size=3>" + row.text + "</FONT>"), std::string::npos) << row.name;
        EXPECT_NE(out.find("Speak (\"" + row.spoken + "\")"), std::string::npos) << row.name;
    }
}

} // namespace
