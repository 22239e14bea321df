#include "platform/qt/win_app.h"

#include "platform/afx_ids.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/file_io.h"
#include "platform/qt/mail_sender.h"
#include "platform/qt/message_box.h"
#include "platform/qt/rich_edit_format.h"
#include "platform/qt/translation.h"
#include "platform/resource_tables.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

std::string AfxGetAppName() {
    if (g_pApp != nullptr)
        return g_pApp->m_pszAppName;
    return AfxLoadString(AFX_IDS_APP_TITLE, QCoreApplication::applicationName().toStdString());
}

CWinApp::CWinApp(const char* lpszAppName) {
    m_pszAppName = lpszAppName != nullptr ? lpszAppName : AfxGetAppName();
    g_pApp = this;
    AfxSetDocFramework(this);
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4,
                   [this](UINT nID) { OnOpenRecentFile(nID); });
    OnUpdateCommandUIRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4,
                           [this](CCmdUI* pCmdUI) { OnUpdateRecentFileMenu(pCmdUI); });
}

CWinApp::~CWinApp() {
    m_template.reset();
    if (AfxGetDocFramework() == this)
        AfxSetDocFramework(nullptr);
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::Run() {
    return QApplication::exec();
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey) {
    m_pszRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_settings = std::make_unique<CSettingsStore>(QString::fromStdString(m_pszRegistryKey),
                                                  QString::fromStdString(m_pszAppName));
}

CSettingsStore& CWinApp::Settings() {
    if (m_settings == nullptr)
        SetRegistryKey(m_pszRegistryKey.c_str());
    return *m_settings;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_recent = std::make_unique<CRecentFileList>(nMaxMRU);
    m_recent->ReadList(Settings());
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& lpszDefault) {
    return Settings().GetProfileString(section, entry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(const std::string& section, const std::string& entry,
                                 const std::string& value) {
    return Settings().WriteProfileString(section, entry, value) ? TRUE : FALSE;
}

int CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int nDefault) {
    return Settings().GetProfileInt(section, entry, nDefault);
}

BOOL CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
    return Settings().WriteProfileInt(section, entry, value) ? TRUE : FALSE;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate) {
    m_template = std::move(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const std::string& path) {
    if (m_template == nullptr)
        return nullptr;
    if (CDocument* doc = m_template->GetDocument(); doc != nullptr && !doc->SaveModified())
        return nullptr;
    CDocument* doc = m_template->OpenDocumentFile(path);
    if (m_pMainWnd == nullptr)
        m_pMainWnd = m_template->GetFrame();
    return doc;
}

void CWinApp::OnFileNew() {
    OpenDocumentFile(std::string());
}

void CWinApp::OnFileOpen() {
    std::string path;
    if (DoPromptFileName(path, true))
        OpenDocumentFile(path);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->close();
    else
        QCoreApplication::quit();
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    const std::size_t index = nID - ID_FILE_MRU_FILE1;
    if (m_recent == nullptr || index >= m_recent->GetCount())
        return;
    const std::string path = (*m_recent)[index];
    // A file that is gone leaves the list; a cancelled prompt to save changes does not.
    if (OpenDocumentFile(path) == nullptr && !QFileInfo(QString::fromStdString(path)).isFile()) {
        m_recent->Remove(index);
        m_recent->WriteList(Settings());
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    const std::size_t index = pCmdUI->m_nID - ID_FILE_MRU_FILE1;
    if (m_recent != nullptr && index < m_recent->GetCount()) {
        pCmdUI->SetText(m_recent->GetDisplayName(index));
        pCmdUI->Enable(TRUE);
        pCmdUI->Show(TRUE);
    } else if (index == 0) {
        // An empty list shows its place, greyed.
        pCmdUI->SetText("Recent File");
        pCmdUI->Enable(FALSE);
        pCmdUI->Show(TRUE);
    } else {
        pCmdUI->Show(FALSE);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo, const QStringList& arguments) {
    std::vector<std::string> args;
    for (int i = 1; i < arguments.size(); ++i)
        args.push_back(arguments.at(i).toStdString());
    rCmdInfo.ParseArguments(args);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:
        return OpenDocumentFile(std::string()) != nullptr ? TRUE : FALSE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr ? TRUE : FALSE;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        AfxMessageBox("Printing is not available in this version.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return FALSE;
}

bool CWinApp::ReadDocumentFile(const std::string& path, std::string& bytes, std::string& reason) {
    QByteArray data;
    QString why;
    if (!ReadWholeFile(QString::fromStdString(path), data, why)) {
        reason = why.toStdString();
        return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

bool CWinApp::WriteDocumentFile(const std::string& path, const std::string& bytes,
                                std::string& reason) {
    QString why;
    if (!WriteFileAtomically(QString::fromStdString(path),
                             QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), why)) {
        reason = why.toStdString();
        return false;
    }
    return true;
}

std::string CWinApp::TranslateText(const char* text) {
    return ParlTr(text).toStdString();
}

int CWinApp::MessageBox(const std::string& text, UINT nType) {
    return AfxMessageBox(text, nType);
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_recent == nullptr)
        return;
    m_recent->Add(path);
    m_recent->WriteList(Settings());
}

bool CWinApp::DoPromptFileName(std::string& path, bool bOpenFileDialog) {
    std::string ext, filter = "All Files|*||";
    if (m_template != nullptr) {
        m_template->GetDocString(ext, CSingleDocTemplate::filterExt);
        filter = m_template->GetFilter();
    }
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    const DWORD flags = bOpenFileDialog ? OFN_HIDEREADONLY | OFN_FILEMUSTEXIST
                                        : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    CFileDialog dlg(bOpenFileDialog ? TRUE : FALSE, ext.empty() ? nullptr : ext.c_str(),
                    path.c_str(), flags, filter.c_str(),
                    m_pMainWnd != nullptr ? static_cast<QWidget*>(m_pMainWnd) : nullptr);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

bool CWinApp::IsMailAvailable() {
    return CMailSender::IsAvailable();
}

bool CWinApp::SendMail(const std::string& path, const std::string& body) {
    QString reason;
    if (CMailSender::Send(path, CRichEditFormat::FromCp1252(body.c_str(), body.size()), reason))
        return true;
    AfxMessageBox(ParlTrArgs("Could not start the mail program %1 to send \"%2\".\n%3",
                             {CMailSender::kProgram, path, reason.toStdString()}),
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
}

std::string CWinApp::CacheFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return std::string();
    return folder.toStdString();
}
