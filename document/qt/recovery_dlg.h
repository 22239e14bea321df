// The offer at start-up of the messages that a program stopped before they were saved: one row
// per recovery copy (its file name or "Untitled", the time of the copy, the first words) and
// three buttons. Restore ends the dialog with the chosen copy; Discard removes the chosen copy
// and keeps the dialog open for the others (it closes when none is left); Later, Escape and the
// window's close button keep every copy for the next start. Run through the modal seam:
//
//     CRecoveryDlg dlg(copies, [&](const CRecoveryCopy& c) { return store.Remove(c.id); });
//     if (dlg.Run() == CRecoveryDlg::kRestore) keeper.Restore(*dlg.Chosen(), reason);
#pragma once

#include "document/qt/recovery_store.h"
#include "platform/qt/modal_script.h"

#include <QDialog>
#include <functional>
#include <vector>

class QTreeWidget;

class CRecoveryDlg : public QDialog {
    Q_OBJECT

public:
    enum Result { kLater = QDialog::Rejected, kRestore = 100, kDiscard = 101 };

    using Discard = std::function<bool(const CRecoveryCopy& copy)>;

    CRecoveryDlg(std::vector<CRecoveryCopy> copies, Discard discard, QWidget* pParent = nullptr);
    ~CRecoveryDlg() override;

    // kRestore or kLater.
    int Run();
    // The copy chosen for Restore; nullptr otherwise.
    const CRecoveryCopy* Chosen() const;
    // The copies still listed.
    const std::vector<CRecoveryCopy>& Copies() const { return m_copies; }
    // The three texts of the row for `copy`.
    static QStringList RowTexts(const CRecoveryCopy& copy);

    // A scripted answer: picks row `row`, then presses the button of `result`.
    static CModalScript::Answer Answer(Result result, int row = 0);

    void done(int result) override;

private:
    std::vector<CRecoveryCopy> m_copies;
    Discard m_discard;
    QTreeWidget* m_wndList = nullptr;
    int m_nChosen = -1;
};
