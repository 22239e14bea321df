// Base of the program's own dialogs. A derived dialog builds its controls in its constructor,
// placed in dialog units (Place, SetDialogSize), exchanges data in DoDataExchange, and is run
// by DoModal through the modal seam:
//
//     CEditHtmlDlg dlg;
//     dlg.m_strSource = doc.m_strHtml;
//     if (dlg.DoModal() == IDOK) ...
//
// OK (a button with the role AcceptRole, or Enter on the default button) moves the controls'
// values into the members first; a failed exchange keeps the dialog open.
#pragma once

#include "platform/afx_ids.h"
#include "platform/cmd_target.h"
#include "platform/qt/data_exchange.h"
#include "platform/qt/dialog_units.h"

#include <QDialog>

class QPushButton;

class CDialog : public QDialog, public CCmdTarget {
    Q_OBJECT

public:
    explicit CDialog(QWidget* pParent = nullptr);
    ~CDialog() override = default;

    // Runs the dialog modally; IDOK or IDCANCEL (or the code given to EndDialog).
    virtual int DoModal();
    // Before the first run: fills the controls from the members. TRUE lets the dialog choose
    // the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // TRUE: controls to members; FALSE: members to controls. FALSE when validation failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    // Layout in dialog units of the dialog's font.
    CDialogUnits DialogUnits() const { return CDialogUnits(font()); }
    void SetDialogSize(int cx, int cy);
    void Place(QWidget* control, int x, int y, int cx, int cy);
    // A push button that ends the dialog: IDOK accepts, IDCANCEL rejects.
    QPushButton* AddButton(int nID, const QString& text, int x, int y, int cx, int cy,
                           bool bDefault = false);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Texts measured for another font or language would be cut off: each label, check box and
    // button placed by hand takes the width its text needs, and the dialog grows to hold it.
    void FitTexts();

    bool m_bInitialized = false;
};
