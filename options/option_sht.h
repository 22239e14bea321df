// The Advanced Options sheet: the Locations, Defaults and Color pages, in that order.
#pragma once

#include "options/color_page.h"
#include "options/def_page.h"
#include "options/loc_page.h"
#include "platform/qt/property_sheet.h"

class COptionSht : public CPropertySheet {
    Q_OBJECT

public:
    COptionSht(const std::string& caption, QWidget* pParent = nullptr, UINT iSelectPage = 0);

    CLocPage m_locPage;
    CDefPage m_defPage;
    CColorPage m_colorPage;

    // OK is refused, and the sheet stays open on the page at fault, while the Locations page
    // holds a background picture of a kind the page may not take, or the Defaults page a
    // default character that is not a script name.
    void done(int result) override;
};
