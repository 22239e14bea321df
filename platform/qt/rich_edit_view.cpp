#include "platform/qt/rich_edit_view.h"

#include "platform/qt/rich_edit_format.h"

#include <algorithm>
#include <cmath>

CRichEditView::CRichEditView(QWidget* parent) : CRichEditCtrl(parent) {
    // The margins lie outside the viewport; they take the background the text has.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

CRichEditView::~CRichEditView() = default;

void CRichEditView::SetMargins(LONG left, LONG top, LONG right, LONG bottom) {
    m_margins[0] = left;
    m_margins[1] = top;
    m_margins[2] = right;
    m_margins[3] = bottom;
    // Kept outside the document, the margins are no edit: they change neither the text, nor
    // its undo history, nor the modified state.
    const double dpi = Dpi();
    auto pixels = [dpi](LONG twips) {
        return static_cast<int>(
            std::lround(CRichEditFormat::TwipsToPixels(std::max<LONG>(0, twips), dpi)));
    };
    setViewportMargins(pixels(left), pixels(top), pixels(right), pixels(bottom));
}
