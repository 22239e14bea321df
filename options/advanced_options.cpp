#include "options/advanced_options.h"

#include "document/parl_doc.h"
#include "options/option_sht.h"

#include <tuple>

void ShowAdvancedOptions(CParlDoc& doc, QWidget* parent) {
    COptionSht sheet("Advanced Options", parent, 1);
    sheet.m_locPage.m_strCharacterLocation = doc.m_strCharacterLocation;
    sheet.m_defPage.m_strDefaultCharacter = doc.m_strDefaultCharacter;
    sheet.m_colorPage.m_crCommand = doc.m_crCommand;
    // Every setting the sheet hands back starts from the document, so OK alone changes nothing.
    sheet.m_locPage.m_strBackgroundPicture = doc.m_strBackgroundPicture;
    sheet.m_defPage.m_bRecipientHasAgent = doc.m_bRecipientHasAgent;
    sheet.m_defPage.m_nResolution = ResolutionIndex(doc.m_nScreenWidth, doc.m_nScreenHeight);
    sheet.m_defPage.m_bPlayInBrowsers = doc.m_bPlayInBrowsers;
    sheet.m_defPage.m_strLanguage = doc.m_strLanguage;
    if (sheet.DoModal() != IDOK)
        return;
    const auto settings = [&doc] {
        return std::make_tuple(doc.m_strCharacterLocation, doc.m_strDefaultCharacter,
                               doc.m_crCommand, doc.m_strBackgroundPicture,
                               doc.m_bRecipientHasAgent, doc.m_bPlayInBrowsers, doc.m_nScreenWidth,
                               doc.m_nScreenHeight);
    };
    const auto before = settings();
    doc.m_strCharacterLocation = sheet.m_locPage.m_strCharacterLocation;
    doc.m_strDefaultCharacter = sheet.m_defPage.m_strDefaultCharacter;
    doc.m_crCommand = sheet.m_colorPage.m_crCommand;
    doc.m_strBackgroundPicture = sheet.m_locPage.m_strBackgroundPicture;
    doc.m_bRecipientHasAgent = sheet.m_defPage.m_bRecipientHasAgent;
    doc.m_bPlayInBrowsers = sheet.m_defPage.m_bPlayInBrowsers;
    doc.m_strLanguage = playback::LanguageTag(sheet.m_defPage.m_strLanguage);
    // The combo box takes typed text and a choice can end with nothing selected; such an index
    // names no screen, so the one the document has stays.
    if (const CResolution* resolution = ResolutionAt(sheet.m_defPage.m_nResolution)) {
        doc.m_nScreenWidth = resolution->cx;
        doc.m_nScreenHeight = resolution->cy;
    }
    // OK with nothing changed is no edit of the message.
    if (settings() != before)
        doc.SetModifiedFlag(TRUE);
}
