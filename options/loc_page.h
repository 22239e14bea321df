// The Locations page of the options sheet: where the page finds optional character files and
// its background picture.
#pragma once

#include "platform/qt/property_sheet.h"

#include <string>

constexpr UINT IDD_LOCATIONS = 138;
constexpr UINT IDC_CHARACTER_LOCATION = 1002;
constexpr UINT IDC_BACKGROUND_PICTURE = 1003;

class CLocPage : public CPropertyPage {
    Q_OBJECT

public:
    CLocPage();

    static const CDialogTemplate& Template();

    std::string m_strCharacterLocation;
    std::string m_strBackgroundPicture;

    void DoDataExchange(CDataExchange* pDX) override;
};
