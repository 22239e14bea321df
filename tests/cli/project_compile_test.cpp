// The command-line compile of a project: the file is opened through the rich-edit control, as
// File Open opens it, so RTF from any writer gives the page the editor would show.
#include "app/compile_command.h"
#include "app/project_loader.h"
#include "platform/qt/rich_edit_view.h"

#include <gtest/gtest.h>

#include <QDir>
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

} // namespace
