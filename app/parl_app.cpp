#include "app/parl_app.h"

#include "app/about_dlg.h"
#include "app/recovery_start.h"
#include "app/test_feed.h"
#include "document/parl_doc.h"
#include "document/qt/recovery_store.h"
#include "frame/main_frame.h"
#include "platform/qt/message_box.h"
#include "platform/qt/translation.h"
#include "platform/qt/widget_dump.h"
#include "res/images.h"
#include "res/resources.h"
#include "view/parl_view.h"

#include <QApplication>

namespace {

// Writes `fallback` when the value is empty or absent; a value of one blank is kept.
void EnsureSetting(CWinApp& app, const char* entry, const std::string& fallback) {
    if (app.GetProfileString(CSettingsStore::kSection, entry, "").empty())
        app.WriteProfileString(CSettingsStore::kSection, entry, fallback);
}

} // namespace

CParlApp::CParlApp() : CWinApp(nullptr) {
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

CParlApp::~CParlApp() = default;

BOOL CParlApp::InitInstance() {
    if (!AfxSocketInit()) {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }

    SetRegistryKey(CSettingsStore::kOrganisation);
    LoadStdProfileSettings(4);
    // The folders are read again by every command that needs them; nothing is kept here.
    EnsureSetting(*this, CSettingsStore::kCharacterPath, CSettingsStore::DefaultCharacterPath());
    EnsureSetting(*this, CSettingsStore::kCurrentPath, CSettingsStore::DefaultCurrentPath());

    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return CParlDoc::CreateObject(); },
        [] { return std::make_unique<CMainFrame>(); },
        [](CFrameWnd& frame, CDocument& doc) -> QWidget* {
            return new CParlView(static_cast<CParlDoc*>(&doc), &frame);
        }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo, m_arguments.isEmpty() ? QCoreApplication::arguments() : m_arguments);
    CTestFeed::Install();
    // Messages left by a program that stopped unsaved are offered before the command line's
    // file is opened.
    if (!ProcessShellCommandWithRecovery(*this, cmdInfo, CRecoveryStore::DefaultFolder()))
        return FALSE;
    if (m_pMainWnd == nullptr)
        return FALSE;
    m_pMainWnd->show();
    m_pMainWnd->activateWindow();
    m_pMainWnd->DragAcceptFiles();
    CTestFeed::Start(*this);
    return TRUE;
}

void CParlApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

int RunParlApp(int& argc, char** argv) {
    QApplication app(argc, argv);
    InstallWidgetDumpIfAsked(app);
    InstallTranslations(app);
    RegisterResources();
    QApplication::setWindowIcon(AppIcon());
    CParlApp theApp;
    QApplication::setApplicationName(QString::fromStdString(theApp.m_pszAppName));
    if (!theApp.InitInstance())
        return 1;
    return theApp.Run();
}
