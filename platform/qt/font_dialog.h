// The framework's font dialog on Qt's own font dialog, with the colour list of the effects
// group added. In and out through a LOGFONT (heights in pixels at 96 per inch) and the colour.
//
//     CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
//     dlg.m_cf.rgbColors = cf.crTextColor;
//     if (dlg.DoModal() == IDOK) { dlg.GetCurrentFont(&lf); int tenths = dlg.GetSize(); ... }
#pragma once

#include "platform/logfont.h"

#include <QFont>
#include <string>

class QWidget;

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_EFFECTS = 0x00000100;

struct CHOOSEFONT {
    DWORD Flags = 0;
    int iPointSize = 0; // tenths of a point, after OK
    COLORREF rgbColors = 0;
};

class CFontDialog {
public:
    explicit CFontDialog(const LOGFONT* lplfInitial = nullptr,
                         DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         QWidget* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    int DoModal();

    void GetCurrentFont(LOGFONT* lplf) const { *lplf = m_lf; }
    std::string GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD ? TRUE : FALSE; }
    BOOL IsItalic() const { return m_lf.lfItalic ? TRUE : FALSE; }
    BOOL IsUnderline() const { return m_lf.lfUnderline ? TRUE : FALSE; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut ? TRUE : FALSE; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

    // Name of the colour list inside the dialog, for scripted answers.
    static constexpr const char* kColorListName = "fontColor";

    // The font the dialog showed when it opened, as it would have come back untouched: a
    // caller compares the choice with it to learn what the user changed.
    const LOGFONT& GetShownFont() const { return m_lfShown; }
    int GetShownSize() const { return m_nShownPointSize; }

    static QFont FontFromLogFont(const LOGFONT& lf);
    // Keeps the character set and pitch of `base`; the height is the character height.
    static LOGFONT LogFontFromFont(const QFont& font, const LOGFONT& base);

private:
    QWidget* m_pParent;
    LOGFONT m_lfShown{};
    int m_nShownPointSize = 0;
};
