// The command-line compile: options, exit codes, and files left whole when something fails.
#include "app/compile_command.h"

#include "support/page_parts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\r\n{\\colortbl\\red0\\green0"
    "\\blue0;}\r\n\\pard\\plain\\f0\\fs24\\cf0 <genie Move Lower Right>Hi\r\n"
    "\\par }";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome Compile(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCompileCommand(args, out, err);
    return {code, out.str(), err.str()};
}

class CompileCommand : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CompileCommand, writesThePageAndOneZeroByteBesideTheInput) {
    WriteFile(Path("hello.rtf"), kRtf);
    const Outcome r = Compile({"--compile", Path("hello.rtf"), "--raw"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string page = ReadFile(Path("hello.htm"));
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.back(), '\0');
    EXPECT_TRUE(testing_support::EndsAsAPage(page.substr(0, page.size() - 1)));
    EXPECT_NE(r.out.find(Path("hello.htm")), std::string::npos); // says where the page is
}

TEST_F(CompileCommand, classicLeavesOutThePlayerAndChangesNothingElse) {
    WriteFile(Path("m.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 Hi <genie Play "
                             "Wave>\\par}");
    const Outcome playing = Compile({"--compile", Path("m.rtf"), "--raw", "-o", "-"});
    const Outcome classic = Compile({"--compile", Path("m.rtf"), "--raw", "-o", "-", "--classic"});
    ASSERT_EQ(playing.code, 0) << playing.err;
    ASSERT_EQ(classic.code, 0) << classic.err;
    EXPECT_EQ(classic.out.compare(classic.out.size() - 9, 9, "</HTML>\r\n"), 0);
    EXPECT_GT(playing.out.size(), classic.out.size());
    EXPECT_EQ(playing.out.substr(0, classic.out.size()), classic.out);
    EXPECT_EQ(testing_support::ClassicPage(playing.out), classic.out);
}

TEST_F(CompileCommand, dashWritesThePageAloneToStandardOutput) {
    WriteFile(Path("m"), kRtf);
    const Outcome r = Compile({"--compile", Path("m"), "--raw", "-o", "-"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("<META", 0), 0u);
    EXPECT_TRUE(testing_support::EndsAsAPage(r.out));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("m.htm"))));
}

TEST_F(CompileCommand, optionsSetTheMessageSettingsBeforeTheCompile) {
    WriteFile(Path("m.rtf"), kRtf);
    const Outcome r =
        Compile({"--compile", Path("m.rtf"), "--raw", "-o", "-", "--default-character", "robby",
                 "--character-location", "/srv/chars/", "--background-picture", "sky.gif",
                 "--background-color", "123456", "--screen", "800x600", "--recipient-has-agent"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("<BODY BGCOLOR=#123456 BACKGROUND=sky.gif>\r\n<OBJECT"),
              std::string::npos);
    EXPECT_NE(r.out.find("genie.MoveTo 662, 462\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\"/srv/chars/genie.acf\""), std::string::npos);
    EXPECT_EQ(r.out.find("Else\r\n"), std::string::npos);
}

TEST_F(CompileCommand, aBadCommandLineExitsTwoWithUsage) {
    WriteFile(Path("m.rtf"), kRtf);
    const std::vector<std::vector<std::string>> bad = {
        {"--compile"},
        {"--raw"},
        {"--compile", Path("m.rtf"), "--screen", "800"},
        {"--compile", Path("m.rtf"), "--screen", "0x600"},
        {"--compile", Path("m.rtf"), "--background-color", "12345G"},
        {"--compile", Path("m.rtf"), "--frobnicate"},
        {"--compile", Path("m.rtf"), "--language", "en-US\"><script>"},
        {"--compile", Path("m.rtf"), "--language", "english"},
        {"--compile", Path("m.rtf"), "-o"},
    };
    for (const auto& args : bad) {
        const Outcome r = Compile(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_NE(r.err.find("usage: parlino --compile"), std::string::npos);
    }
}

TEST_F(CompileCommand, anUnreadableInputExitsOneNamingTheFileAndTheReason) {
    const Outcome r = Compile({"--compile", Path("missing.rtf"), "--raw"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(Path("missing.rtf")), std::string::npos);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(Compile({"--compile", dir.path().toStdString(), "--raw"}).code, 1);
}

TEST_F(CompileCommand, anUnwritableOutputExitsOneAndLeavesTheOldFileAsItWas) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    WriteFile(Path("m.rtf"), kRtf);
    ASSERT_EQ(::mkdir(Path("locked").c_str(), 0755), 0);
    WriteFile(Path("locked/m.htm"), "old page");
    ASSERT_EQ(::chmod(Path("locked").c_str(), 0555), 0);
    const Outcome r = Compile({"--compile", Path("m.rtf"), "--raw", "-o", Path("locked/m.htm")});
    ::chmod(Path("locked").c_str(), 0755);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(Path("locked/m.htm")), std::string::npos);
    EXPECT_EQ(ReadFile(Path("locked/m.htm")), "old page");
}

TEST_F(CompileCommand, anOutputInAMissingFolderFailsWithoutALeftoverFile) {
    WriteFile(Path("m.rtf"), kRtf);
    const Outcome r = Compile({"--compile", Path("m.rtf"), "--raw", "-o", Path("no/such/out.htm")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos);
}

TEST(AtomicWrite, replacesTheFileWholeAndKeepsItsPermissions) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/page.htm";
    WriteFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0", 4), error)) << error;
    EXPECT_EQ(ReadFile(path), std::string("new\0", 4));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers
}

TEST_F(CompileCommand, anOutputThatCannotBeReplacedLeavesItAndNoTemporaryFile) {
    WriteFile(Path("m.rtf"), kRtf);
    ASSERT_EQ(::mkdir(Path("out.htm").c_str(), 0755), 0);
    WriteFile(Path("out.htm/keep"), "kept");
    const Outcome r = Compile({"--compile", Path("m.rtf"), "--raw", "-o", Path("out.htm")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot write " + Path("out.htm")), std::string::npos);
    EXPECT_EQ(ReadFile(Path("out.htm/keep")), "kept");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // m.rtf only
}

// Names with control characters reach the terminal quoted as ls quotes them, so that an escape
// sequence in a file name is shown and never run; other names stay as they are.
TEST_F(CompileCommand, namesWithControlCharactersAreQuotedOnTheTerminal) {
    const struct {
        std::string stem;
        std::string shown; // of stem + ".htm"
    } rows[] = {
        {"plain", "plain.htm"},
        {"it's \xc3\xa9t\xc3\xa9", "it's \xc3\xa9t\xc3\xa9.htm"},
        {"red\x1b[31mtext", "'red'$'\\033''[31mtext.htm'"},
        {"\x1b]0;title\a", "$'\\033'']0;title'$'\\a''.htm'"},
        {"two\nlines", "'two'$'\\n''lines.htm'"},
        {"tab\tand 'quote'", "'tab'$'\\t''and '\\''quote'\\''.htm'"},
        {"csi\xc2\x9b"
         "2J",
         "'csi'$'\\302\\233''2J.htm'"},
        {"lone\x9b", "'lone'$'\\233''.htm'"},
        {"del\x7f", "'del'$'\\177''.htm'"},
    };
    auto hasControl = [](const std::string& s) {
        for (char c : s) {
            if ((static_cast<unsigned char>(c) < 32 && c != '\n') || c == 127)
                return true;
        }
        return false;
    };
    // The folder joins the name's first quoted part.
    const std::string folder = dir.path().toStdString() + "/";
    auto inFolder = [&folder](const std::string& shown) {
        return shown[0] == '\''  ? "'" + folder + shown.substr(1)
               : shown[0] == '$' ? "'" + folder + "'" + shown
                                 : folder + shown;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        const std::string input = folder + row.stem + ".rtf";
        WriteFile(input, kRtf);
        const Outcome wrote = Compile({"--compile", "--raw", input});
        ASSERT_EQ(wrote.code, 0) << wrote.err;
        EXPECT_NE(wrote.out.find("wrote " + inFolder(row.shown) + "\n"), std::string::npos)
            << wrote.out;
        EXPECT_FALSE(hasControl(wrote.out));

        ::unlink(input.c_str());
        const Outcome failed = Compile({"--compile", "--raw", input});
        EXPECT_EQ(failed.code, 1);
        EXPECT_FALSE(hasControl(failed.err)) << failed.err;
        std::string shownInput = inFolder(row.shown);
        shownInput.replace(shownInput.rfind(".htm"), 4, ".rtf");
        EXPECT_NE(failed.err.find("cannot read " + shownInput + ":"), std::string::npos)
            << failed.err;
    }
    const Outcome bad = Compile({"--compile", "--raw", Path("x.rtf"), "--screen", "\x1b[2J"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("not $'\\033''[2J'"), std::string::npos) << bad.err;
}
