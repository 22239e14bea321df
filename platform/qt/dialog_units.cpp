#include "platform/qt/dialog_units.h"

#include <QFontMetrics>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    // The average over the Latin letters, as dialog layouts have always measured it.
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_cxChar = (letters / 26 + 1) / 2;
    m_cyChar = fm.height();
    if (m_cxChar <= 0)
        m_cxChar = 1;
    if (m_cyChar <= 0)
        m_cyChar = 1;
}

int CDialogUnits::ToPixelsX(int x) const {
    return MulDiv(x, m_cxChar, 4);
}

int CDialogUnits::ToPixelsY(int y) const {
    return MulDiv(y, m_cyChar, 8);
}

QRect CDialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}
