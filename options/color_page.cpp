#include "options/color_page.h"

#include "platform/qt/color_dialog.h"
#include "platform/qt/colorref.h"

#include <QPainter>

CColorPage::CColorPage() : CPropertyPage(Template()) {
    OnControl(BN_CLICKED, IDC_CHANGE_COLOR, [this] { OnChange(); });
}

const CDialogTemplate& CColorPage::Template() {
    static const CDialogTemplate tmpl{IDD_COLOR,
                                      "Color",
                                      186,
                                      95,
                                      {
                                          {CDialogItem::Static, IDC_STATIC, "Current Command Color",
                                           7, 14, 172, 8, SS_LEFT | WS_GROUP},
                                          {CDialogItem::Button, IDC_CHANGE_COLOR, "Change", 129, 63,
                                           50, 14, BS_PUSHBUTTON | WS_TABSTOP},
                                      }};
    return tmpl;
}

void CColorPage::OnChange() {
    // No colour is preselected: the dialog starts from black.
    CColorDialog dlg(0, 0, window());
    if (dlg.DoModal() != IDOK)
        return;
    m_crCommand = dlg.GetColor();
    Invalidate();
}

QRect CColorPage::SwatchRect() const {
    const QRect client = rect();
    const int centreX = client.left() + client.width() / 2;
    const int centreY = client.top() + client.height() / 2;
    return QRect(centreX - 50, centreY - 25, 100, 25);
}

void CColorPage::OnPaint() {
    QPainter painter(this);
    painter.fillRect(SwatchRect(), ColorFromRef(m_crCommand));
}
