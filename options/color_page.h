// The Color page of the options sheet: the colour given to new command tags, shown as a
// swatch and changed through the colour dialog.
#pragma once

#include "res/resource.h"

#include "platform/qt/property_sheet.h"

#include <QRect>

class CColorPage : public CPropertyPage {
    Q_OBJECT

public:
    CColorPage();

    static const CDialogTemplate& Template();

    COLORREF m_crCommand = 0;

    // Asks for a new colour and shows it at once.
    void OnChange();
    void OnPaint() override;
    // Where OnPaint puts the swatch: 100 by 25 pixels, centred across, just above the middle.
    QRect SwatchRect() const;
};
