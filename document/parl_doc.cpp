#include "document/parl_doc.h"

#include "compiler/tag.h"
#include "document/project_settings.h"
#include "platform/afx_ids.h"
#include "platform/doc_framework.h"
#include "platform/file_path.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

DWORD AppendStreamedText(DWORD_PTR dwCookie, BYTE* pbBuff, LONG cb, LONG* pcb) {
    if (cb > 0 && pbBuff != nullptr)
        reinterpret_cast<std::string*>(dwCookie)->append(reinterpret_cast<const char*>(pbBuff),
                                                         static_cast<std::size_t>(cb));
    if (pcb != nullptr)
        *pcb = cb;
    return 0;
}

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

std::string CParlDoc::s_strSpellingLanguage;

std::string CParlDoc::MessageLanguage() const {
    std::string tag = playback::LanguageTag(m_strLanguage);
    return tag.empty() ? DefaultLanguage() : tag;
}

std::string CParlDoc::DefaultLanguage() {
    std::string tag = playback::LanguageTag(s_strSpellingLanguage);
    return tag.empty() ? playback::DesktopLanguage() : tag;
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
    m_strRefusedPicture.clear();
    m_strDefaultCharacter = "genie";
    m_strRequestName.clear();
    m_strCharacterLocation = DEFAULT_CHARACTER_BASE;
    m_nScreenWidth = 640;
    m_nScreenHeight = 480;
    m_nIndent = 0;
    m_crBackground = 0xFFFFFF;
    m_bPlayInBrowsers = 1;
    m_strLanguage.clear();
    m_bLastEmailStale = false;
}

bool CParlDoc::IsEmailFileName(const std::string& path) {
    if (EndsWith(path, kEmailEnding))
        return true;
    // Whatever the case of its extension, a page's name saves a page: a project under an
    // HTML name would open in a browser as rich-text source.
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return EndsWith(lower, ".htm") || EndsWith(lower, ".html");
}

bool CParlDoc::IsPreviewFileName(const std::string& path) {
    return EndsWith(path, kPreviewFileName);
}

std::string CParlDoc::PreviewFilePath() {
    IDocFramework* fw = AfxGetDocFramework();
    const std::string folder = fw != nullptr ? fw->CacheFolder() : std::string();
    return folder.empty() ? std::string(kPreviewFileName) : folder + "/" + kPreviewFileName;
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
    // The settings are reset only once the file has been read and the text is about to be
    // replaced (DeleteContents), so a file that cannot be read leaves the open message as it
    // was.
    m_bOpening = true;
    m_bOpenReplacedText = false;
    const BOOL opened = CRichEditDoc::OnOpenDocument(path);
    m_bOpening = false;
    if (opened) {
        if (!m_strRefusedPicture.empty())
            ReportMessage(RefusedPictureText("\"" + m_strRefusedPicture + "\""),
                          MB_OK | MB_ICONEXCLAMATION);
        if (m_onMessageSettled)
            m_onMessageSettled();
        return TRUE;
    }
    // The framework has said which file failed and why. A file that failed halfway through
    // its text leaves the text of no message at all: it goes the way of New, so that nothing
    // half-loaded stays behind.
    if (m_bOpenReplacedText)
        OnNewDocument();
    return FALSE;
}

std::string CParlDoc::RefusedPictureText(const std::string& quoted) {
    return AfxTrArgs("The background picture %1 of this project was left out: a page takes its "
                     "background picture only from a path relative to it or from an address that "
                     "begins with http:, https:, file: or data:image/.",
                     {quoted});
}

void CParlDoc::DeleteContents() {
    if (m_bOpening) {
        m_bOpenReplacedText = true;
        ResetMessageSettings();
    }
    CRichEditDoc::DeleteContents();
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

    ++m_nSaves;
    if (email) {
        if (!IsPreviewFileName(path))
            m_bLastEmailStale = false;
        // The page is an export of the message, from which the message cannot be read back:
        // only a project save keeps the user's work, so the message stays modified until then,
        // while the text counts as unchanged since this page.
        m_bProjectUnsaved = wasModified != FALSE;
        CRichEditDoc::SetModifiedFlag(FALSE);
    } else {
        if (wasModified && !m_strLastEmailPath.empty())
            m_bLastEmailStale = true;
        SetPathName(m_strPathName, TRUE);
    }
    // The recovery copy goes once the message itself is in a file: a project save, or an
    // e-mail save of a message that had nothing unsaved.
    if (!IsPreviewFileName(path) && !IsModified() && m_onMessageSettled)
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
        // A project from someone else may carry a script address as its background picture.
        if (!tag::IsPictureLocation(m_strBackgroundPicture)) {
            m_strRefusedPicture.swap(m_strBackgroundPicture);
            m_strBackgroundPicture.clear();
        }
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

BOOL CParlDoc::IsModified() {
    return m_bProjectUnsaved || CRichEditDoc::IsModified() ? TRUE : FALSE;
}

BOOL CParlDoc::SaveModified() {
    // Only a project holds the message: the save that answers the question proposes one, and
    // an e-mail page saved there instead leaves the message unsaved, so the question comes back
    // until a project holds it, the user gives it up (No) or stops (Cancel).
    while (IsModified()) {
        switch (ReportMessage(AfxTrArgs("Save changes to %1?", {ShownTitle()}),
                              MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES: {
            const unsigned savesBefore = m_nSaves;
            m_bSavingToKeep = true;
            OnCmdMsg(ID_FILE_SAVE, nullptr);
            m_bSavingToKeep = false;
            if (m_nSaves == savesBefore)
                return FALSE; // cancelled, or the file could not be written
            break;
        }
        case IDNO:
            return TRUE;
        default:
            return FALSE;
        }
    }
    return TRUE;
}

std::string CParlDoc::ProjectNameFor(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
        dot == (slash == std::string::npos ? 0 : slash + 1))
        return path + ".plp";
    return path.substr(0, dot) + ".plp";
}

void CParlDoc::SetModifiedFlag(BOOL bModified) {
    if (!bModified)
        m_bProjectUnsaved = false;
    CRichEditDoc::SetModifiedFlag(bModified);
}

bool CParlDoc::IsLastEmailOutOfDate() {
    if (m_strLastEmailPath.empty())
        return false;
    std::error_code error;
    return m_bLastEmailStale || CRichEditDoc::IsModified() ||
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
        const std::string preview = PreviewFilePath();
        const BOOL saved = OnSaveDocument(preview);
        SetModifiedFlag(wasModified);
        // A page that could not be written is not sent: the mail would carry an older one.
        if (!saved)
            return;
        attachment = preview;
        // The reader sees the attachment's name: it is named after the message, in a folder
        // of its own beside the preview page.
        std::string stem = m_strTitle;
        if (const std::size_t dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0)
            stem.resize(dot);
        if (stem.empty() || stem.find('/') != std::string::npos)
            stem = "message";
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::path(preview).parent_path() / "mail";
        std::filesystem::create_directories(folder, error);
        const std::filesystem::path named = folder / (stem + ".htm");
        if (!error && std::filesystem::copy_file(
                          preview, named, std::filesystem::copy_options::overwrite_existing, error))
            attachment = named.string();
    }
    SetPathName(attachment, FALSE);
    OnFileSendMail();
    SetPathName(rememberedPath, FALSE);
    SetTitle(rememberedTitle);
}

std::string CParlDoc::MailClosingLine(const std::string& attachmentName) {
    return "Open the attached page, " + attachmentName +
           ", in your web browser to see and hear this message.";
}

std::string CParlDoc::MailBody(const std::string& attachment) {
    std::string text;
    if (IRichEditView* view = GetView()) {
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&text), 0, &AppendStreamedText};
        view->GetRichEditCtrl().SendMessage(EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    }
    // Line by line, without the tags; a line that held tags alone goes with them.
    std::string body;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string kept;
        bool hadTag = false;
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t close = line[i] == '<' ? line.find('>', i) : std::string::npos;
            if (close != std::string::npos) {
                const tag::Parts parts = tag::Split(line.substr(i, close - i + 1));
                if (tag::IsScriptName(parts.name) &&
                    (parts.verb == "Speak" || parts.verb == "Read" || parts.verb == "Play" ||
                     parts.verb == "Move")) {
                    hadTag = true;
                    i = close + 1;
                    continue;
                }
            }
            kept += line[i++];
        }
        if (!(hadTag && kept.find_first_not_of(" \t") == std::string::npos))
            body += kept + "\n";
        start = end + 1;
    }
    while (!body.empty() && (body.back() == '\n' || body.back() == ' '))
        body.pop_back();
    const std::size_t slash = attachment.find_last_of('/');
    const std::string name = slash == std::string::npos ? attachment : attachment.substr(slash + 1);
    return (body.empty() ? std::string() : body + "\n\n") + MailClosingLine(name) + "\n";
}
