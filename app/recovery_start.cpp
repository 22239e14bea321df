#include "app/recovery_start.h"

#include "document/parl_doc.h"
#include "document/qt/recovery_dlg.h"
#include "document/qt/recovery_keeper.h"
#include "platform/qt/message_box.h"
#include "platform/qt/rich_edit_ctrl.h"
#include "platform/qt/translation.h"
#include "view/spell_checker.h"

#include <memory>

namespace {

CRecoveryKeeper* MakeKeeper(CWinApp& app, std::shared_ptr<CRecoveryStore> store) {
    CSingleDocTemplate* tmpl = app.GetDocTemplate();
    if (tmpl == nullptr)
        return nullptr;
    auto* doc = dynamic_cast<CParlDoc*>(tmpl->GetDocument());
    auto* ctrl = qobject_cast<CRichEditCtrl*>(tmpl->GetView());
    if (doc == nullptr || ctrl == nullptr)
        return nullptr;
    // Owned by the view, whose control it watches.
    return new CRecoveryKeeper(*doc, *ctrl, std::move(store), ctrl);
}

} // namespace

BOOL ProcessShellCommandWithRecovery(CWinApp& app, CCommandLineInfo& cmdInfo,
                                     const QString& folder) {
    auto store = std::make_shared<CRecoveryStore>(folder);
    QStringList damaged;
    std::vector<CRecoveryCopy> copies = store->TakeOrphans(QString(), damaged);
    // Whatever was set aside in the user's data folder is told in one message.
    std::string setAside;
    if (!damaged.isEmpty()) {
        setAside = ParlTrArgs(damaged.size() == 1
                                  ? "A recovery copy cannot be read. It was put aside as:\n%1"
                                  : "Recovery copies cannot be read. They were put aside as:\n%1",
                              {damaged.join(QLatin1Char('\n')).toStdString()});
    }
    const QString words = CSpellChecker::SetAsidePlantedList();
    if (!words.isEmpty()) {
        if (!setAside.empty())
            setAside += "\n\n";
        setAside += ParlTrArgs("Your list of added words is not a plain file of words. It was "
                               "put aside as:\n%1",
                               {words.toStdString()});
    }
    if (!setAside.empty())
        AfxMessageBox(setAside, MB_OK | MB_ICONEXCLAMATION);

    const CRecoveryCopy* chosen = nullptr;
    std::unique_ptr<CRecoveryDlg> dlg;
    if (!copies.empty()) {
        dlg = std::make_unique<CRecoveryDlg>(copies, [&store](const CRecoveryCopy& copy) {
            if (!store->Remove(copy.id))
                return false;
            store->Unlock(copy.id);
            return true;
        });
        if (dlg->Run() == CRecoveryDlg::kRestore)
            chosen = dlg->Chosen();
    }

    CRecoveryKeeper* keeper = nullptr;
    if (chosen != nullptr) {
        CCommandLineInfo newInfo;
        if (!app.ProcessShellCommand(newInfo))
            return FALSE;
        keeper = MakeKeeper(app, store);
        QString reason;
        if (keeper != nullptr && !keeper->Restore(*chosen, reason)) {
            AfxMessageBox(ParlTrArgs("The recovery copy \"%1\" cannot be read.\n%2",
                                     {store->CopyPath(chosen->id).toStdString(),
                                      ParlTr(reason.toStdString()).toStdString()}),
                          MB_OK | MB_ICONEXCLAMATION);
        }
    }
    // The copies kept for later are free for the next start (or another program) again.
    if (dlg != nullptr) {
        for (const CRecoveryCopy& copy : dlg->Copies())
            store->Unlock(copy.id);
    }
    if (chosen != nullptr) {
        if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
            app.OpenDocumentFile(cmdInfo.m_strFileName);
        return TRUE;
    }

    if (!app.ProcessShellCommand(cmdInfo)) {
        // A file that cannot be opened (a folder, a missing or unreadable file) has been
        // reported; the window opens with an empty message all the same.
        CCommandLineInfo newInfo;
        if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen ||
            !app.ProcessShellCommand(newInfo))
            return FALSE;
    }
    MakeKeeper(app, store);
    return TRUE;
}

CRecoveryKeeper* FindRecoveryKeeper(CWinApp& app) {
    CSingleDocTemplate* tmpl = app.GetDocTemplate();
    if (tmpl == nullptr || tmpl->GetView() == nullptr)
        return nullptr;
    return tmpl->GetView()->findChild<CRecoveryKeeper*>(QString(), Qt::FindDirectChildrenOnly);
}
