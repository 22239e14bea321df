// The framework's rich-edit view: its window is the rich-edit control itself. The program's
// view derives from it and overrides ApplyDefaultFormats; the document reaches the control
// through GetRichEditCtrl.
#pragma once

#include "platform/qt/rich_edit_ctrl.h"

class CRichEditView : public CRichEditCtrl, public IRichEditView {
    Q_OBJECT

public:
    explicit CRichEditView(QWidget* parent = nullptr);
    ~CRichEditView() override;

    CRichEditCtrl& GetRichEditCtrl() override { return *this; }

    // Page margins in twips: the text is set in by them on every side, whatever the content.
    void SetMargins(LONG left, LONG top, LONG right, LONG bottom);
    LONG GetLeftMargin() const { return m_margins[0]; }
    LONG GetTopMargin() const { return m_margins[1]; }
    LONG GetRightMargin() const { return m_margins[2]; }
    LONG GetBottomMargin() const { return m_margins[3]; }

private:
    LONG m_margins[4] = {0, 0, 0, 0};
};
