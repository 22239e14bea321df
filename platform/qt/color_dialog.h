// The framework's colour dialog on Qt's own, run through the modal seam.
//
//     CColorDialog dlg(0, 0);
//     if (dlg.DoModal() == IDOK) cr = dlg.GetColor();
#pragma once

#include "platform/richedit.h"

class QWidget;

struct CHOOSECOLOR {
    COLORREF rgbResult = 0;
    DWORD Flags = 0;
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, QWidget* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    int DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLOR m_cc;

private:
    QWidget* m_pParent;
};
