// The message's settings travel with the project: saved in a group of the header that other
// readers skip, read back on Open, and invisible to the page.
#include "document_fixture.h"
#include "platform/raw_rtf_ctrl.h"

#include <climits>

namespace {

using ProjectSettingsTest = DocumentTest;

struct Settings {
    std::string defaultCharacter, characterLocation, backgroundPicture;
    COLORREF background;
    LONG width, height;
    int hasAgent;
    COLORREF command;
    int playInBrowsers = 1;

    void ApplyTo(CParlDoc& doc) const {
        doc.m_strDefaultCharacter = defaultCharacter;
        doc.m_strCharacterLocation = characterLocation;
        doc.m_strBackgroundPicture = backgroundPicture;
        doc.m_crBackground = background;
        doc.m_nScreenWidth = width;
        doc.m_nScreenHeight = height;
        doc.m_bRecipientHasAgent = hasAgent;
        doc.m_crCommand = command;
        doc.m_bPlayInBrowsers = playInBrowsers;
    }
    static Settings Of(const CParlDoc& doc) {
        return {doc.m_strDefaultCharacter,  doc.m_strCharacterLocation,
                doc.m_strBackgroundPicture, doc.m_crBackground,
                doc.m_nScreenWidth,         doc.m_nScreenHeight,
                doc.m_bRecipientHasAgent,   doc.m_crCommand,
                doc.m_bPlayInBrowsers};
    }
    bool operator==(const Settings& o) const {
        return defaultCharacter == o.defaultCharacter && characterLocation == o.characterLocation &&
               backgroundPicture == o.backgroundPicture && background == o.background &&
               width == o.width && height == o.height && hasAgent == o.hasAgent &&
               command == o.command && playInBrowsers == o.playInBrowsers;
    }
};

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "{" << s.defaultCharacter << "|" << s.characterLocation << "|" << s.backgroundPicture
        << "|" << s.background << "|" << s.width << "x" << s.height << "|" << s.hasAgent << "|"
        << s.command << "|" << s.playInBrowsers << "}";
}

const Settings kNew{"genie", DEFAULT_CHARACTER_BASE, "", 0xFFFFFF, 640, 480, 0, 255};

// Compiles the file's bytes as the command line's --raw does: the RTF exactly as stored.
std::string CompileRaw(const std::string& rtf, const Settings& settings) {
    CRawRtfCtrl raw(rtf);
    CParlDoc doc;
    doc.ResetMessageSettings();
    doc.SetView(&raw);
    settings.ApplyTo(doc);
    doc.BuildHtml();
    return doc.m_strHtml;
}

} // namespace

TEST_F(ProjectSettingsTest, aSavedProjectReopensWithEverySettingAndCompilesToTheSamePage) {
    const struct Row {
        const char* what;
        Settings settings;
    } rows[] = {
        // The default character is always a name the script can use: the compile puts genie in
        // the place of any other, so the hostile bytes stand in the other texts.
        {"every setting changed",
         {"merlin", "/home/ann/characters/", "sky.jpg", 0x336699, 1024, 768, 1, 0x00FF00, 0}},
        {"quotes, backslashes and braces",
         {"Mer_lin", "C:\\Agent\\{chars}\\", "say \"hi\" {\\b x} \\par }", 0, 1, 1, 0, 0}},
        // Control bytes stand in the character location: a background picture holding them is
        // left out on Open.
        {"non-ASCII, control bytes and blanks at both ends",
         {"Zoe_9", "http://ex\xc3\xa4mple.com/\xe2\x82\xac\t\r\n" + std::string("\0b\x01\x7f", 4),
          " a b\xff ", 0xFFFFFF, INT32_MAX, -5, 1, 0xFFFFFFFF}},
        {"empty texts", {"g", "", "", 0x010203, 0, INT32_MIN, 0, 0x0000FE}},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string name = "settings" + std::to_string(++n);
        m_app->OnFileNew();
        Type("Hello <merlin Speak Hi> there <merlin Move Lower Right>");
        row.settings.ApplyTo(Doc());
        Doc().BuildHtml();
        const std::string page = Doc().m_strHtml;
        SaveAs(PathOf(name), 1);
        const std::string file = ReadFile(PathOf(name + ".plp"));

        // The group stands right after the colour table, and the page of the file's RTF is the
        // editor's page: the compiler never sees the group.
        const std::size_t colors = file.find("{\\colortbl");
        ASSERT_NE(colors, std::string::npos);
        EXPECT_EQ(file.find("{\\*\\parlinosettings"), file.find('}', colors) + 1);
        EXPECT_EQ(CompileRaw(file, row.settings), page);

        m_app->OnFileNew();
        kNew.ApplyTo(Doc());
        ASSERT_NE(m_app->OpenDocumentFile(PathOf(name + ".plp")), nullptr);
        EXPECT_EQ(Settings::Of(Doc()), row.settings);
        EXPECT_FALSE(Doc().IsModified());
        // The editor shows the stored background.
        EXPECT_EQ(static_cast<COLORREF>(
                      View().SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(0xABCDEF))),
                  row.settings.background & 0xFFFFFF);
        View().SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(row.settings.background));
        Doc().BuildHtml();
        EXPECT_EQ(Doc().m_strHtml, page);

        // Saving the opened project unchanged writes the same bytes.
        ASSERT_TRUE(Doc().OnSaveDocument(PathOf(name + ".plp")));
        EXPECT_EQ(ReadFile(PathOf(name + ".plp")), file);
    }
}

TEST_F(ProjectSettingsTest, filesWithoutAUsableGroupOpenWithTheValuesOfANewMessage) {
    m_app->OnFileNew();
    Type("Hello");
    SaveAs(PathOf("current"), 1);
    std::string old = ReadFile(PathOf("current.plp"));
    const std::size_t group = old.find("{\\*\\parlinosettings");
    ASSERT_NE(group, std::string::npos);
    old.erase(group, old.find("}}", group) + 2 - group);

    Settings merlin = kNew;
    merlin.defaultCharacter = "merlin";
    const struct Row {
        const char* what;
        std::string file;
        Settings expected;
        const char* text;
    } rows[] = {
        {"a project written before settings were kept", old, kNew, "Hello"},
        {"another writer's file, with a group of its own of the same form",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 "
         "Calibri;}}\r\n{\\*\\otherapp{\\defaultcharacter merlin}}{\\*\\generator Riched20 "
         "10.0}\\viewkind4\\uc1\r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Hello\\par\r\n}",
         kNew, "Hello"},
        {"the group's words typed in the text",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard x \\{\\\\*"
         "\\\\parlinosettings\\{\\\\defaultcharacter merlin\\}\\}\\par }",
         kNew, "x {\\*\\parlinosettings{\\defaultcharacter merlin}}"},
        {"a group after the body started",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard x{\\*\\parlinosettings{\\defaultcharacter "
         "merlin}}\\par }",
         kNew, "x"},
        {"values the settings cannot take and a key of a later version",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;}{\\*\\parlinosettings{\\screenwidth 12x}"
         "{\\screenheight 99999999999}{\\recipienthasagent 2}{\\backgroundcolor -1}"
         "{\\commandcolor }{\\futuresetting {\\b x}}{\\defaultcharacter merlin}}\\pard x\\par }",
         merlin, "x"},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string path = PathOf("other" + std::to_string(++n) + ".rtf");
        WriteFile(path, row.file);
        m_app->OnFileNew();
        Settings disturbed{"robby", "/x/", "y.gif", 0x00FF00, 800, 600, 1, 255};
        disturbed.ApplyTo(Doc());
        ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
        EXPECT_EQ(Settings::Of(Doc()), row.expected);
        EXPECT_EQ(Text(), row.text);
    }
}

// A project from someone else may carry a background picture that would run a script or fetch
// from elsewhere: Open leaves it out and says so, and keeps every other setting.
TEST_F(ProjectSettingsTest, openLeavesOutABackgroundPictureOfAnotherKindWithAWarning) {
    const struct Row {
        std::string stored; // as the group holds it
        std::string picture;
        bool warned;
    } rows[] = {
        {"javascript:document.title=1", "", true},
        {"vbscript:MsgBox 1", "", true},
        {"//evil.example/sky.jpg", "", true},
        {"java\\'09script:x", "", true},
        {"https://x/sky.jpg", "https://x/sky.jpg", false},
        {"pics/sky.jpg", "pics/sky.jpg", false},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        const std::string path = PathOf("picture" + std::to_string(++n) + ".plp");
        WriteFile(path, "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;}{\\*\\parlinosettings"
                        "{\\defaultcharacter merlin}{\\backgroundpicture " +
                            row.stored + "}}\\pard x\\par }");
        const std::size_t shownBefore = m_script.Shown().size();
        if (row.warned)
            m_script.Push(CModalScript::Button(QMessageBox::Ok));
        ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
        EXPECT_EQ(Doc().m_strBackgroundPicture, row.picture);
        EXPECT_EQ(Doc().m_strDefaultCharacter, "merlin");
        EXPECT_EQ(Text(), "x");
        const bool warned = m_script.Shown().size() > shownBefore &&
                            m_script.Last().kind == "QMessageBox" &&
                            m_script.Last().text.startsWith("The background picture \"");
        EXPECT_EQ(warned, row.warned);
        Doc().BuildHtml();
        EXPECT_EQ(Doc().m_strHtml.find("BACKGROUND=") != std::string::npos, !row.picture.empty());
    }
}
