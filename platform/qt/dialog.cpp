#include "platform/qt/dialog.h"

#include "platform/qt/modal_seam.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

CDialog::CDialog(QWidget* pParent) : QDialog(pParent) {}

int CDialog::DoModal() {
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
    // Text measured for another font would be cut off: the controls placed in dialog units
    // take the size their text needs, and the dialog grows to hold them. (A dialog with a
    // layout sizes itself.)
    if (layout() == nullptr) {
        const QSize need = FitTextControls(*this, DialogUnits().ToPixelsX(4));
        if (need.width() > width() || need.height() > height())
            resize(std::max(need.width(), width()), std::max(need.height(), height()));
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

QSize CDialog::TextNeed(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->text().isEmpty())
            return {};
        if (!label->wordWrap())
            return label->sizeHint();
        return {label->width(), label->heightForWidth(label->width())};
    }
    if (qobject_cast<const QCheckBox*>(&control) != nullptr ||
        qobject_cast<const QRadioButton*>(&control) != nullptr)
        return control.sizeHint();
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        if (button->text().isEmpty())
            return {};
        // The style's own size hint adds a least width of its liking; the text needs the
        // text, the button's margin and its frame.
        const QStyle* style = button->style();
        const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        int extra = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                    2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        if (button->isDefault() || button->autoDefault())
            extra += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, button);
        int width = text.width() + extra;
        if (!button->icon().isNull())
            width += button->iconSize().width() + 4;
        return {width, text.height() + extra};
    }
    return {};
}

QSize CDialog::FitTextControls(QWidget& container, int margin) {
    QList<QWidget*> controls = container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.erase(std::remove_if(controls.begin(), controls.end(),
                                  [](const QWidget* w) { return w->isWindow(); }),
                   controls.end());
    // From left to right: a control that grows pushes whatever stands to its right over by as
    // much, so columns stay aligned and nothing is covered.
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    QSize need;
    for (QWidget* control : controls) {
        QRect r = control->geometry();
        const QSize text = TextNeed(*control);
        if (text.isValid()) {
            const int grow = text.width() - r.width();
            if (grow > 0) {
                const int oldRight = r.x() + r.width();
                r.setWidth(text.width());
                for (QWidget* other : controls) {
                    if (other != control && other->x() >= oldRight)
                        other->move(other->x() + grow, other->y());
                }
            }
            if (text.height() > r.height()) {
                const int taller = text.height() - r.height();
                r.setTop(std::max(0, r.top() - taller / 2));
                r.setHeight(text.height());
            }
            control->setGeometry(r);
        }
    }
    for (const QWidget* control : controls) {
        const QRect r = control->geometry();
        need = need.expandedTo(QSize(r.right() + 1 + margin, r.bottom() + 1 + margin));
    }
    return need;
}
