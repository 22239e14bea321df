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

// The list index of a screen size; -1 for a size the list does not hold.
inline int ResolutionIndex(LONG cx, LONG cy) {
    for (int i = 0; i < kResolutionCount; ++i) {
        if (kResolutions[i].cx == cx && kResolutions[i].cy == cy)
            return i;
    }
    return -1;
}

class CDefPage : public CPropertyPage {
    Q_OBJECT

public:
    CDefPage();

    static const CDialogTemplate& Template();

    // Index into kResolutions of the entry shown or last chosen from the list; -1 when the
    // screen size is not in the list or a choice ended with no entry selected.
    int m_nResolution = 0;
    QComboBox* m_wndResolution = nullptr;
    std::string m_strDefaultCharacter;
    int m_bRecipientHasAgent = 0;
    // The page also plays in browsers without the character control.
    int m_bPlayInBrowsers = 1;
    // The message's language ("en-US"); empty: the spelling language, else the desktop's.
    std::string m_strLanguage;

    void DoDataExchange(CDataExchange* pDX) override;
    // Fills the controls, lists the resolutions and selects m_nResolution's entry (none for
    // -1).
    BOOL OnInitDialog() override;
    void OnSelendokResolution();
    // The default character becomes a name in the page's script: true when the edit holds one
    // the script can use, or the page was never shown.
    bool ShowsScriptName() const;
    // Says why the name in the edit cannot be the default character, then gives the edit the
    // focus with its text selected.
    void RefuseDefaultCharacter();
    // The language reaches the page: true when the edit holds a language tag or nothing.
    bool ShowsLanguage() const;
    // Says why the text in the edit cannot be the message's language, then selects it.
    void RefuseLanguage();
};
