#include "platform/qt/color_dialog.h"

#include "platform/afx_ids.h"
#include "platform/qt/colorref.h"
#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"

#include <QColorDialog>

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, QWidget* pParentWnd)
    : m_pParent(pParentWnd) {
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags;
}

int CColorDialog::DoModal() {
    QColorDialog dialog(m_pParent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(ParlTr("Color"));
    dialog.setCurrentColor(ColorFromRef(m_cc.rgbResult));
    if (CModalSeam::Exec(dialog) != QDialog::Accepted)
        return IDCANCEL;
    m_cc.rgbResult = RefFromColor(dialog.selectedColor());
    return IDOK;
}
