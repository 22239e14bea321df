// Conversions between the program's 0x00BBGGRR colours and Qt's.
#pragma once

#include "platform/richedit.h"

#include <QColor>

inline QColor ColorFromRef(COLORREF cr) {
    return QColor(static_cast<int>(GetRValue(cr)), static_cast<int>(GetGValue(cr)),
                  static_cast<int>(GetBValue(cr)));
}

inline COLORREF RefFromColor(const QColor& color) {
    return RGB(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
               static_cast<unsigned>(color.blue()));
}
