#include "document/parl_doc.h"

CParlDoc::CParlDoc() = default;

CParlDoc::~CParlDoc() = default;

CParlCntrItem* CParlDoc::CreateClientItem() {
    return new CParlCntrItem(this);
}

void CParlDoc::ResetMessageSettings() {
    m_arrFonts.clear();
    m_arrCharacters.clear();
    m_arrColors.clear();
    m_bWaitPending = 0;
    m_bRecipientHasAgent = 0;
    m_bReading = 0;
    m_bHtmlEdited = 0;
    m_nSaveKind = 0;
    m_strLastEmailPath.clear();
    m_strBackgroundPicture.clear();
    m_strDefaultCharacter = "genie";
    m_strRequestName.clear();
    m_strCharacterLocation = DEFAULT_CHARACTER_BASE;
    m_nScreenWidth = 640;
    m_nScreenHeight = 480;
    m_nIndent = 0;
    m_crBackground = 0xFFFFFF;
}
