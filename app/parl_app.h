// The application: start-up (the two settings, the document template, the command line, the
// main window) and the About box.
#pragma once

#include "platform/qt/win_app.h"

#include <QStringList>

class CParlApp : public CWinApp {
public:
    // Without a name of its own: the application takes string 57344, "Parl".
    CParlApp();
    ~CParlApp() override;

    BOOL InitInstance() override;
    void OnAppAbout();

    // The command line InitInstance processes, program name first; the process's arguments
    // unless set before.
    QStringList m_arguments;
};

// Runs the program with its window: resources, application object, message loop. Returns the
// exit code.
int RunParlApp(int& argc, char** argv);
