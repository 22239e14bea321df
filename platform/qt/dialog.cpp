#include "platform/qt/dialog.h"

#include "platform/qt/modal_seam.h"

#include <QPushButton>

CDialog::CDialog(QWidget* pParent) : QDialog(pParent) {}

int CDialog::DoModal() {
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
    const int result = CModalSeam::Exec(*this);
    if (result == QDialog::Accepted)
        return IDOK;
    if (result == QDialog::Rejected)
        return IDCANCEL;
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::EndDialog(int nResult) {
    if (nResult == IDOK)
        done(QDialog::Accepted);
    else if (nResult == IDCANCEL)
        done(QDialog::Rejected);
    else
        done(nResult);
}

void CDialog::SetDialogSize(int cx, int cy) {
    const CDialogUnits du = DialogUnits();
    resize(du.ToPixelsX(cx), du.ToPixelsY(cy));
}

void CDialog::Place(QWidget* control, int x, int y, int cx, int cy) {
    control->setGeometry(DialogUnits().ToPixels(x, y, cx, cy));
}

QPushButton* CDialog::AddButton(int nID, const QString& text, int x, int y, int cx, int cy,
                                bool bDefault) {
    auto* button = new QPushButton(text, this);
    Place(button, x, y, cx, cy);
    button->setDefault(bDefault);
    button->setAutoDefault(bDefault);
    connect(button, &QPushButton::clicked, this, [this, nID] { EndDialog(nID); });
    return button;
}

void CDialog::done(int result) {
    if (result == QDialog::Accepted && !UpdateData(TRUE))
        return;
    QDialog::done(result);
}
