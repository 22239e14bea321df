#include "platform/qt/dialog.h"

#include "platform/qt/modal_seam.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

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

void CDialog::showEvent(QShowEvent* event) {
    FitTexts();
    QDialog::showEvent(event);
}

namespace {

// The width a control placed by hand needs to show its whole text; 0 for other controls. A push
// button's own hint asks for a customary minimum beyond its text, which a dialog laid out in
// dialog units does not follow.
int NeededWidth(const QWidget& control) {
    if (auto* button = qobject_cast<const QPushButton*>(&control)) {
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return button->fontMetrics().horizontalAdvance(text) + icon + 4;
    }
    auto* label = qobject_cast<const QLabel*>(&control);
    if ((label != nullptr && !label->wordWrap()) ||
        qobject_cast<const QAbstractButton*>(&control) != nullptr)
        return control.sizeHint().width();
    return 0;
}

} // namespace

void CDialog::FitTexts() {
    if (layout() != nullptr)
        return;
    QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    int right = width();
    const int margin = DialogUnits().ToPixelsX(7);
    for (QWidget* child : children) {
        const int grow = NeededWidth(*child) - child->width();
        if (grow > 0) {
            // Whatever stands to its right moves over by as much, so columns stay aligned.
            const int oldRight = child->x() + child->width();
            child->resize(child->width() + grow, child->height());
            for (QWidget* other : children) {
                if (other != child && other->x() >= oldRight)
                    other->move(other->x() + grow, other->y());
            }
        }
    }
    for (QWidget* child : children) {
        if (child->x() + child->width() > width())
            right = std::max(right, child->x() + child->width() + margin);
    }
    if (right <= width())
        return;
    if (minimumWidth() == maximumWidth())
        setFixedWidth(right);
    else
        resize(right, height());
}
