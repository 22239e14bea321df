// The message document: per-message settings, the compiler's working state, the last page and
// where the last e-mail went. Plain C++; the compiler operations live in compiler/.
#pragma once

#include "compiler/playback.h"
#include "platform/rich_edit_doc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The web base under which each character's data is published, one folder per character.
constexpr const char* DEFAULT_CHARACTER_BASE = "http://www.parlino.com/characters/";
// Installation file of the agent control, named in the page's OBJECT tag.
constexpr const char* AGENT_CONTROL_CODEBASE = "http://www.parlino.com/agent/msagent.exe";
// Page from which a recipient can download characters, named in the page's notice.
constexpr const char* CHARACTER_DOWNLOAD_PAGE = "http://www.parlino.com/characters.htm";

class CParlCntrItem;

class CParlDoc : public CRichEditDoc {
public:
    // The file names that the document gives meaning to.
    static constexpr const char* kEmailEnding = "htm";          // an e-mail, else a project
    static constexpr const char* kPreviewFileName = "temp.htm"; // Preview and Send write it
    // Command of the page's hand editing (Edit menu, "&HTML Document...").
    static constexpr UINT kCmdEditHtml = 32805;

    CParlDoc();
    ~CParlDoc() override;

    // The document as the application's template makes it: with the commands that run the
    // save dialog and the page's edit dialog mapped (they need the widget toolkit, so a plain
    // CParlDoc, as the compiler's users make it, has only the framework's Save and Save As).
    // Defined in document/qt.
    static std::unique_ptr<CParlDoc> CreateObject();

    virtual CParlCntrItem* CreateClientItem();

    // Sets every per-message setting and the compile state that New and Open reset.
    void ResetMessageSettings();

    // The warning that says that a project's background picture (m_strRefusedPicture, as
    // `quoted` shows it) was left out, and why.
    static std::string RefusedPictureText(const std::string& quoted);

    // A name whose last three characters are exactly "htm", or that ends in ".htm" or ".html"
    // in any case, is an e-mail; any other a project.
    static bool IsEmailFileName(const std::string& path);
    // An e-mail name ending in "temp.htm" is the preview file, never remembered as the e-mail.
    static bool IsPreviewFileName(const std::string& path);
    // Where Preview and Send write the page of a message without an e-mail: "temp.htm" in the
    // program's cache folder, so no file of the user's is ever replaced.
    static std::string PreviewFilePath();

    // New: empties the text, resets the settings and gives the empty text its default formats.
    BOOL OnNewDocument() override;
    // Open: resets the settings and reads the project file as rich text. A file that cannot be
    // read is reported by the framework and leaves the open message as it was; one that fails
    // halfway through its text leaves the document as New leaves it.
    BOOL OnOpenDocument(const std::string& path) override;
    // Empties the text; during Open, also resets the settings.
    void DeleteContents() override;
    // Turns the file name into a kind and writes the file. A failed write takes back what the
    // save had set: path name, title, modified flag and the last e-mail path stay as they were.
    // Only a project save clears the modified flag; an e-mail page is an export of the message.
    BOOL OnSaveDocument(const std::string& path) override;
    // Modified while the message has changes that no project file holds, including changes
    // that only went out in an e-mail page.
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Yes to "Save changes" saves through the dialog with a project name proposed; it goes on
    // only once a project holds the message. After an e-mail page the question comes back.
    BOOL SaveModified() override;
    // The project name beside an e-mail page: "note.htm" gives "note.plp".
    static std::string ProjectNameFor(const std::string& path);
    // Storing with m_nSaveKind 1 writes the page and one zero byte; everything else is the
    // rich text.
    void Serialize(CArchive& ar) override;

    // Commands (the message map).
    void OnFileSave();   // document/qt
    void OnFileSaveAs(); // document/qt
    void OnFileSend();
    // The mail's text: the message as plain text without its tags, and a line that asks the
    // reader to open the attached page.
    std::string MailBody(const std::string& attachment) override;
    // The line that ends the mail's text.
    static std::string MailClosingLine(const std::string& attachmentName);
    void OnEditHtml(); // document/qt

    // Whether the e-mail at m_strLastEmailPath no longer shows the message: the text or the
    // page changed since it was written, or the file is gone.
    bool IsLastEmailOutOfDate();

    // The compiler.
    void BuildHtml();
    static DWORD StreamOutCallback(DWORD_PTR dwCookie, BYTE* pbBuff, LONG cb, LONG* pcb);
    void ReadRtfHeader();
    void CollectCharacters();
    void BeginPage();
    void AppendHtmlRun(std::string strText, int bCentred, int bBold, int bItalic, int bUnderline,
                       int bChanged);
    void TranslateToScript(int bTag, std::string strText);

    // Fields, in declaration order.
    int m_bWaitPending = 0;
    int m_bRecipientHasAgent = 0;
    int m_bReading = 0;
    int m_bHtmlEdited = 0;
    std::string m_strHtml;
    int m_bParagraphStart = 0;
    std::string m_strCharacterLocation;
    LONG m_nScreenWidth = 0;
    LONG m_nScreenHeight = 0;
    std::string m_strScript;
    std::string m_strRequestName;
    std::string m_strDefaultCharacter;
    std::string m_strBackgroundPicture;
    std::string m_strHtmlBody;
    std::string m_strParagraphClose;
    std::string m_strRunClose;
    LONG m_nIndent = 0;
    LONG m_nFontSize = 3; // the RTF default of 24 half-points
    LONG m_nFontIndex = 0;
    LONG m_nColorIndex = 0;
    std::vector<std::string> m_arrCharacters;
    std::string m_strRtf;
    std::vector<std::string> m_arrFonts;
    std::vector<std::string> m_arrColors;
    std::string m_strLastEmailPath;
    LONG m_nSaveKind = 0;
    COLORREF m_crBackground = 0;
    COLORREF m_crCommand = 255;
    // The page also plays in browsers without the character control (a block after the page).
    int m_bPlayInBrowsers = 0;
    // The message's language ("en-US"), which the page is read in; empty: the spelling
    // language, else the desktop's (MessageLanguage).
    std::string m_strLanguage;
    // The language the editor checks spelling in, as the view last chose it; empty when none.
    static std::string s_strSpellingLanguage;
    // The language the page names: the message's, the spelling language, the desktop's; empty
    // when none of them is a language tag.
    std::string MessageLanguage() const;
    // The language of a message without one of its own: the spelling language, else the
    // desktop's.
    static std::string DefaultLanguage();
    // Compiler state: the code page of the message's RTF, which the page's text keeps.
    int m_nCodePage = 1252;
    // Compiler state: the steps of the show for that block, recorded by the translator.
    playback::Recorder m_playback;

    // A background picture that the project just read carried and that was left out, being of
    // a kind the page may not take (a script address, another scheme); empty when none was.
    std::string m_strRefusedPicture;

    // Called when the message was saved (not into the preview file) and after New and Open:
    // the text is then in a file or was given up (the keeper of recovery copies drops its copy).
    std::function<void()> m_onMessageSettled;

private:
    // The save dialog of Save and Save As; `proposal` fills the name field, and without a folder
    // of its own the dialog starts in the "Current Path" folder.
    void SaveThroughDialog(const std::string& proposal);

    // A project save after the last e-mail, of a text changed since that e-mail, left the
    // e-mail behind the text while clearing the modified flag.
    bool m_bLastEmailStale = false;
    // Changes that went out in an e-mail page but into no project file.
    bool m_bProjectUnsaved = false;
    // Successful saves so far.
    unsigned m_nSaves = 0;
    // While the save that answers "Save changes?" runs.
    bool m_bSavingToKeep = false;
    // While Open runs, and whether it has begun to replace the text.
    bool m_bOpening = false;
    bool m_bOpenReplacedText = false;
};

// One embedded object of the rich text; adds nothing to the framework's item.
class CParlCntrItem {
public:
    explicit CParlCntrItem(CParlDoc* pDoc) : m_pDoc(pDoc) {}
    virtual ~CParlCntrItem() = default;
    CParlDoc* GetDocument() const { return m_pDoc; }
    static constexpr unsigned kSchema = 0;

private:
    CParlDoc* m_pDoc;
};
