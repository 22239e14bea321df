// Dialog units: a quarter of the font's average character width across, an eighth of its
// height down, so a dialog laid out in them grows with its font.
#pragma once

#include <QFont>
#include <QRect>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int AverageCharWidth() const { return m_cxChar; }
    int CharHeight() const { return m_cyChar; }

    int ToPixelsX(int x) const;
    int ToPixelsY(int y) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int m_cxChar;
    int m_cyChar;
};
