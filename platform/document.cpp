#include "platform/document.h"

#include "platform/afx_ids.h"
#include "platform/doc_framework.h"
#include "platform/file_path.h"

#include <exception>

namespace {

// `verb` is the whole sentence, with the file's name as %1: "Could not open \"%1\"."
std::string FailureText(const char* verb, const std::string& path, const std::string& reason) {
    std::string text = AfxTrArgs(verb, {path});
    if (!reason.empty())
        text += "\n" + reason;
    return text;
}

} // namespace

CDocument::CDocument() : m_strTitle(UntitledTitle()) {
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(std::string()); });
    OnCommand(ID_FILE_SEND_MAIL, [this] { OnFileSendMail(); });
    OnUpdateCommandUI(ID_FILE_SEND_MAIL, [this](CCmdUI* pCmdUI) { OnUpdateFileSendMail(pCmdUI); });
}

const char* CDocument::UntitledTitle() {
    return "Untitled";
}

std::string CDocument::ShownTitle() const {
    return m_strPathName.empty() && m_strTitle == UntitledTitle() ? AfxTrArgs(UntitledTitle())
                                                                  : m_strTitle;
}

void CDocument::SetPathName(const std::string& path, BOOL bAddToMRU) {
    m_strPathName = AbsolutePath(path);
    m_strTitle = m_strPathName.empty() ? UntitledTitle() : PathFileName(m_strPathName);
    if (bAddToMRU && !m_strPathName.empty()) {
        if (IDocFramework* fw = AfxGetDocFramework())
            fw->AddToRecentFileList(m_strPathName);
    }
    NotifyChanged();
}

void CDocument::SetTitle(const std::string& title) {
    m_strTitle = title;
    NotifyChanged();
}

BOOL CDocument::IsModified() {
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified) {
    m_bModified = bModified ? TRUE : FALSE;
    NotifyChanged();
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    m_strTitle = UntitledTitle();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const std::string& path) {
    IDocFramework* fw = AfxGetDocFramework();
    std::string bytes, reason = "No application is running.";
    if (fw == nullptr || !fw->ReadDocumentFile(path, bytes, reason)) {
        ReportMessage(FailureText("Could not open \"%1\".", path, reason),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    // Marked while loading: a load that stops halfway leaves a document that differs from
    // every file.
    SetModifiedFlag(TRUE);
    try {
        CArchive ar(CArchive::load, bytes);
        Serialize(ar);
    } catch (const std::exception& e) {
        ReportMessage(FailureText("Could not read \"%1\".", path, e.what()),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const std::string& path) {
    IDocFramework* fw = AfxGetDocFramework();
    std::string bytes, reason = "No application is running.";
    try {
        CArchive ar(CArchive::store, bytes);
        Serialize(ar);
    } catch (const std::exception& e) {
        ReportMessage(FailureText("Could not save \"%1\".", path, e.what()),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (fw == nullptr || !fw->WriteDocumentFile(path, bytes, reason)) {
        ReportMessage(FailureText("Could not save \"%1\".", path, reason),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    switch (ReportMessage(AfxTrArgs("Save changes to %1?", {ShownTitle()}),
                          MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        OnCmdMsg(ID_FILE_SAVE, nullptr);
        return IsModified() ? FALSE : TRUE;
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoSave(const std::string& path, BOOL bReplace) {
    std::string newName = path;
    if (newName.empty()) {
        IDocFramework* fw = AfxGetDocFramework();
        newName = m_strPathName.empty() ? m_strTitle : m_strPathName;
        if (fw == nullptr || !fw->DoPromptFileName(newName, false))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    return DoSave(m_strPathName);
}

void CDocument::OnFileSendMail() {
    if (m_strPathName.empty()) {
        ReportMessage("There is no saved file to attach to a message.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (IDocFramework* fw = AfxGetDocFramework())
        fw->SendMail(m_strPathName, MailBody(m_strPathName));
}

std::string CDocument::MailBody(const std::string&) {
    return std::string();
}

void CDocument::OnUpdateFileSendMail(CCmdUI* pCmdUI) {
    IDocFramework* fw = AfxGetDocFramework();
    const BOOL available = fw != nullptr && fw->IsMailAvailable() ? TRUE : FALSE;
    pCmdUI->Enable(available);
    pCmdUI->Show(available);
}

void CDocument::NotifyChanged() {
    if (m_onChanged)
        m_onChanged();
}

int CDocument::ReportMessage(const std::string& text, UINT nType) {
    IDocFramework* fw = AfxGetDocFramework();
    return fw != nullptr ? fw->MessageBox(text, nType) : IDCANCEL;
}
