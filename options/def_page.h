// The Defaults page of the options sheet: the recipient's screen resolution, the default
// character and whether the recipient has the agent control.
#pragma once

#include "res/resource.h"

#include "platform/qt/property_sheet.h"

#include <string>

class QComboBox;

// The recipient's screen sizes offered by the Defaults page, in list order.
struct CResolution {
    const char* text;
    LONG cx;
    LONG cy;
};
constexpr CResolution kResolutions[] = {
    {"640x480", 640, 480},   {"720x480", 720, 480},     {"800x600", 800, 600},
    {"1024x768", 1024, 768}, {"1280x1024", 1280, 1024}, {"1600x1200", 1600, 1200},
};
constexpr int kResolutionCount = static_cast<int>(sizeof kResolutions / sizeof kResolutions[0]);

// The resolution at list index `nIndex`; nullptr outside the list.
inline const CResolution* ResolutionAt(int nIndex) {
    return nIndex >= 0 && nIndex < kResolutionCount ? &kResolutions[nIndex] : nullptr;
}

class CDefPage : public CPropertyPage {
    Q_OBJECT

public:
    CDefPage();

    static const CDialogTemplate& Template();

    // Index into kResolutions of the entry last chosen from the list; -1 when a choice ended
    // with no entry selected.
    int m_nResolution = 0;
    QComboBox* m_wndResolution = nullptr;
    std::string m_strDefaultCharacter;
    int m_bRecipientHasAgent = 0;
    // The page also plays in browsers without the character control.
    int m_bPlayInBrowsers = 1;

    void DoDataExchange(CDataExchange* pDX) override;
    // Fills the controls, lists the resolutions and selects the first.
    BOOL OnInitDialog() override;
    void OnSelendokResolution();
    // The default character becomes a name in the page's script: true when the edit holds one
    // the script can use, or the page was never shown.
    bool ShowsScriptName() const;
    // Says why the name in the edit cannot be the default character, then gives the edit the
    // focus with its text selected.
    void RefuseDefaultCharacter();
};
