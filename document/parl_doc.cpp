#include "document/parl_doc.h"

#include "document/project_settings.h"
#include "platform/afx_ids.h"
#include "platform/file_path.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

bool EndsWith(const std::string& text, const char* ending) {
    const std::size_t n = std::strlen(ending);
    return text.size() >= n && text.compare(text.size() - n, n, ending) == 0;
}

} // namespace

CParlDoc::CParlDoc() {
    OnCommand(ID_FILE_SEND_MAIL, [this] { OnFileSend(); });
}

CParlDoc::~CParlDoc() = default;

CParlCntrItem* CParlDoc::CreateClientItem() {
    return new CParlCntrItem(this);
}

void CParlDoc::ResetMessageSettings() {
    m_arrFonts.clear();
    m_arrCharacters.clear();
    m_arrColors.clear();
    m_bWaitPending = 0;
    m_bRecipientHasAgent = 0;
    m_bReading = 0;
    m_bHtmlEdited = 0;
    m_nSaveKind = 0;
    m_strLastEmailPath.clear();
    m_strBackgroundPicture.clear();
    m_strDefaultCharacter = "genie";
    m_strRequestName.clear();
    m_strCharacterLocation = DEFAULT_CHARACTER_BASE;
    m_nScreenWidth = 640;
    m_nScreenHeight = 480;
    m_nIndent = 0;
    m_crBackground = 0xFFFFFF;
    m_bPlayInBrowsers = 1;
    m_bLastEmailStale = false;
}

bool CParlDoc::IsEmailFileName(const std::string& path) {
    return EndsWith(path, kEmailEnding);
}

bool CParlDoc::IsPreviewFileName(const std::string& path) {
    return EndsWith(path, kPreviewFileName);
}

BOOL CParlDoc::OnNewDocument() {
    if (!CRichEditDoc::OnNewDocument())
        return FALSE;
    ResetMessageSettings();
    if (IRichEditView* view = GetView())
        view->ApplyDefaultFormats();
    // Setting default formats is no edit of the message.
    SetModifiedFlag(FALSE);
    if (m_onMessageSettled)
        m_onMessageSettled();
    return TRUE;
}

BOOL CParlDoc::OnOpenDocument(const std::string& path) {
    ResetMessageSettings();
    if (CRichEditDoc::OnOpenDocument(path)) {
        if (m_onMessageSettled)
            m_onMessageSettled();
        return TRUE;
    }
    // The framework has said which file failed and why. The settings are already those of a
    // new message; the text goes the same way, so that no half-loaded or earlier message stays
    // behind under defaults that were never its own.
    OnNewDocument();
    return FALSE;
}

BOOL CParlDoc::OnSaveDocument(const std::string& path) {
    const bool email = IsEmailFileName(path);
    // What a failed write takes back.
    const std::string oldPathName = m_strPathName;
    const std::string oldTitle = m_strTitle;
    const std::string oldEmailPath = m_strLastEmailPath;
    const bool oldStale = m_bLastEmailStale;
    const BOOL wasModified = IsModified();

    if (email) {
        m_nSaveKind = 1;
        if (!IsPreviewFileName(path))
            m_strLastEmailPath = AbsolutePath(path);
    } else {
        // The recent-file list waits for the write: a file that failed to be written is no
        // recent file.
        SetPathName(path, FALSE);
        m_nSaveKind = 0;
        SetModifiedFlag(FALSE);
    }

    if (!CRichEditDoc::OnSaveDocument(path)) {
        m_strLastEmailPath = oldEmailPath;
        m_bLastEmailStale = oldStale;
        if (!email) {
            SetPathName(oldPathName, FALSE);
            SetTitle(oldTitle);
        }
        SetModifiedFlag(wasModified);
        return FALSE;
    }

    if (email) {
        if (!IsPreviewFileName(path))
            m_bLastEmailStale = false;
        // The preview file keeps none of the user's work: writing it for Preview or Send is
        // no save of the message, which stays modified until it is saved.
        if (path == kPreviewFileName)
            SetModifiedFlag(wasModified);
    } else {
        if (wasModified && !m_strLastEmailPath.empty())
            m_bLastEmailStale = true;
        SetPathName(m_strPathName, TRUE);
    }
    if (path != kPreviewFileName && m_onMessageSettled)
        m_onMessageSettled();
    return TRUE;
}

void CParlDoc::Serialize(CArchive& ar) {
    if (m_nSaveKind != 1) {
        // A project is the editor's RTF with the message's settings in a group of its header.
        if (ar.IsStoring()) {
            std::string rtf;
            CArchive text(CArchive::store, rtf);
            CRichEditDoc::Serialize(text);
            CProjectSettings::Insert(rtf, *this);
            ar.Write(rtf.data(), rtf.size());
            return;
        }
        const std::string_view rest = std::string_view(ar.Buffer()).substr(ar.Position());
        const bool hasSettings = CProjectSettings::Read(rest, *this);
        CRichEditDoc::Serialize(ar); // the editor's reader skips the group
        if (hasSettings && GetView() != nullptr)
            GetView()->GetRichEditCtrl().SendMessage(EM_SETBKGNDCOLOR, 0,
                                                     static_cast<LPARAM>(m_crBackground));
        return;
    }
    if (ar.IsLoading())
        return;
    if (m_bHtmlEdited == 0)
        BuildHtml();
    ar.Write(m_strHtml.data(), m_strHtml.size());
    ar.Write("", 1);
}

bool CParlDoc::IsLastEmailOutOfDate() {
    if (m_strLastEmailPath.empty())
        return false;
    std::error_code error;
    return m_bLastEmailStale || IsModified() ||
           !std::filesystem::is_regular_file(m_strLastEmailPath, error);
}

void CParlDoc::OnFileSend() {
    const std::string rememberedPath = m_strPathName;
    const std::string rememberedTitle = m_strTitle;
    std::string attachment;
    if (!m_strLastEmailPath.empty()) {
        // A message changed since its e-mail was written is written there again, so the mail
        // carries what the user sees.
        if (IsLastEmailOutOfDate() && !OnSaveDocument(m_strLastEmailPath))
            return;
        attachment = m_strLastEmailPath;
    } else {
        const BOOL wasModified = IsModified();
        SetModifiedFlag(TRUE);
        const BOOL saved = OnSaveDocument(kPreviewFileName);
        SetModifiedFlag(wasModified);
        // A page that could not be written is not sent: the mail would carry an older one.
        if (!saved)
            return;
        attachment = kPreviewFileName;
    }
    SetPathName(attachment, FALSE);
    OnFileSendMail();
    SetPathName(rememberedPath, FALSE);
    SetTitle(rememberedTitle);
}
