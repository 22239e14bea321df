#include "document_fixture.h"
#include "support/file_faults.h"

#include <QFileDialog>

namespace {

using NewOpenTest = DocumentTest;

// Gives every field that New and Open reset a value of its own.
void Disturb(CParlDoc& doc) {
    doc.m_bWaitPending = 1;
    doc.m_bRecipientHasAgent = 1;
    doc.m_bPlayInBrowsers = 0;
    doc.m_bReading = 1;
    doc.m_bHtmlEdited = 1;
    doc.m_strHtml = "<P>kept</P>";
    doc.m_strCharacterLocation = "/home/ann/characters/";
    doc.m_nScreenWidth = 1024;
    doc.m_nScreenHeight = 768;
    doc.m_strRequestName = "Request3";
    doc.m_strDefaultCharacter = "merlin";
    doc.m_strBackgroundPicture = "sky.jpg";
    doc.m_nIndent = 40;
    doc.m_arrCharacters = {"merlin"};
    doc.m_arrFonts = {"Arial"};
    doc.m_arrColors = {"000000"};
    doc.m_strLastEmailPath = "/home/ann/hello.htm";
    doc.m_nSaveKind = 1;
    doc.m_crBackground = 0x00FF00;
    doc.m_crCommand = 0x123456;
}

void ExpectNewMessageSettings(const CParlDoc& doc) {
    EXPECT_EQ(doc.m_bWaitPending, 0);
    EXPECT_EQ(doc.m_bRecipientHasAgent, 0);
    EXPECT_EQ(doc.m_bPlayInBrowsers, 1);
    EXPECT_EQ(doc.m_bReading, 0);
    EXPECT_EQ(doc.m_bHtmlEdited, 0);
    EXPECT_EQ(doc.m_strCharacterLocation, DEFAULT_CHARACTER_BASE);
    EXPECT_EQ(doc.m_nScreenWidth, 640);
    EXPECT_EQ(doc.m_nScreenHeight, 480);
    EXPECT_EQ(doc.m_strRequestName, "");
    EXPECT_EQ(doc.m_strDefaultCharacter, "genie");
    EXPECT_EQ(doc.m_strBackgroundPicture, "");
    EXPECT_EQ(doc.m_nIndent, 0);
    EXPECT_TRUE(doc.m_arrCharacters.empty());
    EXPECT_TRUE(doc.m_arrFonts.empty());
    EXPECT_TRUE(doc.m_arrColors.empty());
    EXPECT_EQ(doc.m_strLastEmailPath, "");
    EXPECT_EQ(doc.m_nSaveKind, 0);
    EXPECT_EQ(doc.m_crBackground, 0xFFFFFFu);
}

} // namespace

TEST_F(NewOpenTest, newResetsTheMessageKeepsTheCommandColourAndGivesDefaultFormats) {
    Type("Hello");
    SaveAs(PathOf("hello"), 1);
    Disturb(Doc());
    const int applied = View().m_nDefaultFormatsApplied;
    m_app->OnFileNew();
    ExpectNewMessageSettings(Doc());
    EXPECT_EQ(Doc().m_crCommand, 0x123456u);
    EXPECT_EQ(Doc().m_strHtml, "<P>kept</P>");
    EXPECT_EQ(View().m_nDefaultFormatsApplied, applied + 1);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_FALSE(Doc().IsModified());

    Type("x");
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    View().SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, "Arial");
}

TEST_F(NewOpenTest, aProjectOpensWithDefaultSettingsItsOwnTextAndNoDefaultFormats) {
    Type("Hello <merlin Speak Hi>");
    SaveAs(PathOf("hello"), 1);
    m_app->OnFileNew();
    Disturb(Doc());
    const int applied = View().m_nDefaultFormatsApplied;
    ASSERT_NE(m_app->OpenDocumentFile(PathOf("hello.plp")), nullptr);
    ExpectNewMessageSettings(Doc());
    // The project keeps the command colour it was saved with, red.
    EXPECT_EQ(Doc().m_crCommand, 255u);
    EXPECT_EQ(Doc().m_strHtml, "<P>kept</P>");
    EXPECT_EQ(View().m_nDefaultFormatsApplied, applied);
    EXPECT_EQ(Text(), "Hello <merlin Speak Hi>");
    EXPECT_EQ(Doc().GetPathName(), PathOf("hello.plp"));
    EXPECT_EQ(Doc().GetTitle(), "hello.plp");
    EXPECT_FALSE(Doc().IsModified());

    // The hand-edited mark went with the rest, so an e-mail save compiles again.
    SaveAs(PathOf("hello"), 2);
    EXPECT_NE(ReadFile(PathOf("hello.htm")).find("merlin"), std::string::npos);
}

TEST_F(NewOpenTest, aProjectThatCannotBeReadIsNamedWithTheReasonAndLeavesTheOpenMessage) {
    const std::vector<UnreadablePath> rows = MakeUnreadablePaths(m_tmp.path());
    ASSERT_FALSE(rows.empty());
    int n = 0;
    for (const UnreadablePath& row : rows) {
        SCOPED_TRACE(row.path);
        m_app->OnFileNew();
        Type("Earlier message");
        SaveAs(PathOf("earlier" + std::to_string(++n)), 1);
        ASSERT_FALSE(Doc().IsModified());
        Disturb(Doc());
        m_script.Push(CModalScript::Button(QMessageBox::Ok));
        EXPECT_EQ(m_app->OpenDocumentFile(row.path), nullptr);
        EXPECT_EQ(m_script.Last().text.toStdString(),
                  "Could not open \"" + row.path + "\".\n" + row.reason);
        EXPECT_EQ(Text(), "Earlier message");
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_EQ(Doc().GetPathName(), PathOf("earlier" + std::to_string(n) + ".plp"));
        // The settings too are the open message's, not a new one's.
        EXPECT_EQ(Doc().m_strDefaultCharacter, "merlin");
        EXPECT_EQ(Doc().m_nScreenWidth, 1024);
        EXPECT_EQ(Doc().m_strLastEmailPath, "/home/ann/hello.htm");
        EXPECT_EQ(Doc().m_crCommand, 0x123456u);
    }
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(NewOpenTest, yesToSaveChangesBeforeNewAsksWhereAndCancellingThatKeepsTheMessage) {
    Type("Unsaved");
    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    m_script.Push(CModalScript::Reject());
    m_app->OnFileNew();
    ASSERT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(m_script.Shown()[1].title, "Save as an email or a project?");
    EXPECT_EQ(Text(), "Unsaved");
    EXPECT_TRUE(Doc().IsModified());

    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("kept")), 1));
    m_app->OnFileNew();
    EXPECT_EQ(Text(), "");
    EXPECT_NE(ReadFile(PathOf("kept.plp")).find("Unsaved"), std::string::npos);
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(NewOpenTest, savingTheChangesAsAnEmailAsksAgainBeforeOpenGoesOn) {
    WriteFile(PathOf("other.plp"), "{\\rtf1\\ansi Other\\par }");
    Type("Unsaved");
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("other.plp"))));
    m_script.Push(CModalScript::Button(QMessageBox::Yes));
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(PathOf("mail")), 2));
    // The page holds no message to open again: the question comes back, and only No gives the
    // message up.
    m_script.Push(CModalScript::Button(QMessageBox::No));
    m_app->OnFileOpen();
    EXPECT_NE(ReadFile(PathOf("mail.htm")).find("Unsaved"), std::string::npos);
    ASSERT_EQ(m_script.Shown().size(), 4u);
    EXPECT_EQ(m_script.Shown()[3].text, m_script.Shown()[1].text);
    EXPECT_EQ(Text(), "Other");
    EXPECT_EQ(Doc().GetPathName(), PathOf("other.plp"));
    EXPECT_EQ(m_script.Unanswered(), 0);
}

TEST_F(NewOpenTest, aFreshDocumentHasTheRedCommandColourEmptyTextsAndAValidFontSize) {
    CParlDoc fresh;
    EXPECT_EQ(fresh.m_crCommand, 255u);
    EXPECT_EQ(fresh.m_strHtml, "");
    EXPECT_EQ(fresh.m_strDefaultCharacter, "");
    EXPECT_EQ(fresh.m_strCharacterLocation, "");
    EXPECT_EQ(fresh.m_strLastEmailPath, "");
    EXPECT_TRUE(fresh.m_arrCharacters.empty());
    EXPECT_TRUE(fresh.m_arrFonts.empty());
    EXPECT_TRUE(fresh.m_arrColors.empty());
    EXPECT_GE(fresh.m_nFontSize, 1);
    EXPECT_LE(fresh.m_nFontSize, 7);
    EXPECT_EQ(fresh.m_bHtmlEdited, 0);
    EXPECT_EQ(fresh.m_nSaveKind, 0);
    EXPECT_TRUE(fresh.HasCommandHandler(ID_FILE_SEND_MAIL));
    EXPECT_FALSE(fresh.HasCommandHandler(CParlDoc::kCmdEditHtml));

    const std::unique_ptr<CParlDoc> made = CParlDoc::CreateObject();
    for (UINT nID : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_SEND_MAIL, CParlDoc::kCmdEditHtml})
        EXPECT_TRUE(made->HasCommandHandler(nID)) << nID;
}
