// The Locations page of the options sheet: where the page finds optional character files and
// its background picture.
#pragma once

#include "res/resource.h"

#include "platform/qt/property_sheet.h"

#include <string>

class CLocPage : public CPropertyPage {
    Q_OBJECT

public:
    CLocPage();

    static const CDialogTemplate& Template();

    std::string m_strCharacterLocation;
    std::string m_strBackgroundPicture;

    void DoDataExchange(CDataExchange* pDX) override;
    // The page's background picture: true when the edit holds a location the page may take it
    // from (or nothing), or the page was never shown.
    bool ShowsPictureLocation() const;
    // Says why the location in the edit cannot be the background picture, then gives the edit
    // the focus with its text selected.
    void RefuseBackgroundPicture();
};
