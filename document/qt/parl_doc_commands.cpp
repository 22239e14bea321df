// The document's commands that run dialogs or use the settings: Save and Save As with the save
// dialog that picks the kind of file, and the page's hand editing.
#include "document/parl_doc.h"
#include "document/qt/edit_html_dlg.h"
#include "platform/afx_ids.h"
#include "platform/file_path.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/win_app.h"

namespace {

constexpr const char* kSaveTitle = "Save as an email or a project?";
constexpr const char* kSaveFilter = "Parlino Project files|*.plp|Html Email files|*.htm||";
constexpr const char* kDefaultExtension = "plp";

std::string ReadCurrentPath() {
    if (CWinApp* app = AfxGetApp())
        return app->GetProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath, "");
    return CSettingsStore().GetProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath,
                                             "");
}

void WriteCurrentPath(const std::string& folder) {
    if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath, folder);
        return;
    }
    CSettingsStore().WriteProfileString(CSettingsStore::kSection, CSettingsStore::kCurrentPath,
                                        folder);
}

} // namespace

std::unique_ptr<CParlDoc> CParlDoc::CreateObject() {
    auto doc = std::make_unique<CParlDoc>();
    CParlDoc* self = doc.get();
    self->OnCommand(ID_FILE_SAVE, [self] { self->OnFileSave(); });
    self->OnCommand(ID_FILE_SAVE_AS, [self] { self->OnFileSaveAs(); });
    self->OnCommand(kCmdEditHtml, [self] { self->OnEditHtml(); });
    return doc;
}

void CParlDoc::OnFileSaveAs() {
    SaveThroughDialog(m_strPathName);
}

void CParlDoc::OnFileSave() {
    // Save always asks: a document with a file proposes it, a message saved only as an e-mail
    // proposes that e-mail's name in the last folder used.
    if (!m_strPathName.empty()) {
        OnFileSaveAs();
        return;
    }
    // The save that answers "Save changes?" must keep the message, which only a project does:
    // it proposes the e-mail's name as a project.
    const std::string email = PathFileName(m_strLastEmailPath);
    SaveThroughDialog(m_bSavingToKeep && !email.empty() ? ProjectNameFor(email) : email);
}

void CParlDoc::SaveThroughDialog(const std::string& proposal) {
    const std::string currentPath = ReadCurrentPath();
    CFileDialog dlg(FALSE, kDefaultExtension, proposal.c_str(),
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
    dlg.m_ofn.lpstrTitle = kSaveTitle;
    dlg.m_ofn.lpstrInitialDir = currentPath;
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = dlg.GetPathName();
    const std::string folder = PathFolder(path);
    if (folder != currentPath)
        WriteCurrentPath(folder);
    OnSaveDocument(path);
}

void CParlDoc::OnEditHtml() {
    BuildHtml();
    CEditHtmlDlg dlg;
    dlg.m_strSource = m_strHtml;
    if (dlg.DoModal() != IDOK)
        return;
    m_strHtml = dlg.m_strSource;
    SetModifiedFlag(TRUE);
    m_bHtmlEdited = 1;
}
