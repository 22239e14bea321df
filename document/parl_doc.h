// The message document: per-message settings, the compiler's working state, the last page and
// where the last e-mail went. Plain C++; the compiler operations live in compiler/.
#pragma once

#include "platform/rich_edit_doc.h"

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
    CParlDoc();
    ~CParlDoc() override;

    virtual CParlCntrItem* CreateClientItem();

    // Sets every per-message setting and the compile state that New and Open reset.
    void ResetMessageSettings();

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
