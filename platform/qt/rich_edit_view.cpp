#include "platform/qt/rich_edit_view.h"

#include "platform/qt/rich_edit_format.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <algorithm>

CRichEditView::CRichEditView(QWidget* parent) : CRichEditCtrl(parent) {
    // Emptying the document gives it a fresh root frame without the margins; they come back at
    // the next change.
    connect(document(), &QTextDocument::contentsChanged, this, &CRichEditView::ApplyMargins);
}

CRichEditView::~CRichEditView() = default;

void CRichEditView::SetMargins(LONG left, LONG top, LONG right, LONG bottom) {
    m_margins[0] = left;
    m_margins[1] = top;
    m_margins[2] = right;
    m_margins[3] = bottom;
    ApplyMargins();
}

void CRichEditView::ApplyMargins() {
    QTextDocument* doc = document();
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    const double dpi = Dpi();
    const double left = CRichEditFormat::TwipsToPixels(std::max<LONG>(0, m_margins[0]), dpi);
    const double top = CRichEditFormat::TwipsToPixels(std::max<LONG>(0, m_margins[1]), dpi);
    const double right = CRichEditFormat::TwipsToPixels(std::max<LONG>(0, m_margins[2]), dpi);
    const double bottom = CRichEditFormat::TwipsToPixels(std::max<LONG>(0, m_margins[3]), dpi);
    if (frame.leftMargin() == left && frame.topMargin() == top && frame.rightMargin() == right &&
        frame.bottomMargin() == bottom)
        return;
    frame.setLeftMargin(left);
    frame.setTopMargin(top);
    frame.setRightMargin(right);
    frame.setBottomMargin(bottom);
    // Margins are no edit: they stay out of the modified state, and out of the undo history,
    // which Qt can only do by emptying it. The program sets them before any typing, and they
    // come back after an emptied document, whose history is empty anyway.
    const bool modified = doc->isModified();
    doc->setUndoRedoEnabled(false);
    doc->rootFrame()->setFrameFormat(frame);
    doc->setUndoRedoEnabled(true);
    doc->setModified(modified);
}
