// The application object: its settings, recent-file list, document template and the standard
// New, Open, recent-file and Exit commands. The program derives one and creates it (after the
// QApplication) before anything else; AfxGetApp() returns it. It is also the framework that
// documents report to (IDocFramework).
//
//     class CParlApp : public CWinApp {
//         BOOL InitInstance() override {
//             SetRegistryKey("Vantroy");
//             LoadStdProfileSettings(4);
//             AddDocTemplate(std::make_unique<CSingleDocTemplate>(...));
//             CCommandLineInfo cmdInfo;
//             ParseCommandLine(cmdInfo, QCoreApplication::arguments());
//             if (!ProcessShellCommand(cmdInfo)) return FALSE;
//             m_pMainWnd->show();
//             return TRUE;
//         }
//     };
#pragma once

#include "platform/cmd_target.h"
#include "platform/command_line_info.h"
#include "platform/doc_framework.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/single_doc_template.h"

#include <QStringList>
#include <memory>
#include <string>

class CWinApp : public CCmdTarget, public IDocFramework {
public:
    // Without a name, the application takes string AFX_IDS_APP_TITLE, else Qt's application
    // name. The name is the caption of message boxes and the profile's name.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // Runs the event loop until the main window closes.
    virtual int Run();

    // The settings: organisation `lpszRegistryKey`, application m_pszAppName.
    void SetRegistryKey(const char* lpszRegistryKey);
    // Loads the recent-file list of `nMaxMRU` entries from the settings.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& lpszDefault = {});
    BOOL WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);
    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault);
    BOOL WriteProfileInt(const std::string& section, const std::string& entry, int value);
    CSettingsStore& Settings();

    // The template becomes the application's one document template.
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_template.get(); }
    CRecentFileList* GetRecentFileList() const { return m_recent.get(); }

    // Asks to save changes, then opens `path` through the template; nullptr when that failed
    // or the user cancelled.
    virtual CDocument* OpenDocumentFile(const std::string& path);

    // Standard commands, mapped by the constructor.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Takes the arguments after the program's name (arguments[0] is skipped).
    void ParseCommandLine(CCommandLineInfo& rCmdInfo, const QStringList& arguments);
    // New or Open as the command line asks; FALSE when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // IDocFramework.
    bool ReadDocumentFile(const std::string& path, std::string& bytes,
                          std::string& reason) override;
    bool WriteDocumentFile(const std::string& path, const std::string& bytes,
                           std::string& reason) override;
    int MessageBox(const std::string& text, UINT nType) override;
    void AddToRecentFileList(const std::string& path) override;
    bool DoPromptFileName(std::string& path, bool bOpenFileDialog) override;
    bool IsMailAvailable() override;
    bool SendMail(const std::string& path, const std::string& body) override;
    // The user's cache folder of the program.
    std::string CacheFolder() override;
    std::string TranslateText(const char* text) override;

    std::string m_pszAppName;
    std::string m_pszRegistryKey;
    CFrameWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<CSettingsStore> m_settings;
    std::unique_ptr<CRecentFileList> m_recent;
    std::unique_ptr<CSingleDocTemplate> m_template;
};

// The application object, nullptr before it is made and after it is gone.
CWinApp* AfxGetApp();
// The caption of message boxes.
std::string AfxGetAppName();

// The platform layers that other systems start explicitly need nothing here; both succeed.
inline BOOL AfxSocketInit() {
    return TRUE;
}
inline BOOL AfxOleInit() {
    return TRUE;
}
