// The toolkit half of the program (see main.cpp): the window, and the command-line compile of
// projects, which opens them through the editor's RTF reader without a display.
#include "app/compile_command.h"
#include "app/parl_app.h"
#include "app/project_loader.h"
#include "platform/qt/rich_edit_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <QtGlobal>

#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

bool Has(const std::vector<std::string>& args, const char* word) {
    for (const std::string& a : args) {
        if (a == "--")
            return false;
        if (a == word)
            return true;
    }
    return false;
}

// The toolkit's own notes (a missing runtime folder, an offscreen screen) mean nothing to someone
// compiling from a shell; only its errors are passed on.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "parlino: " << message.toStdString() << "\n";
}

// A project is opened through the rich-edit control, which needs the toolkit but no display,
// and none of the window's resources.
int CompileProjects(int argc, char** argv, const std::vector<std::string>& args) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    CRichEditView view;
    return RunCompileCommand(
        args, CompileConsole{std::cout, std::cerr, STDOUT_FILENO, ::isatty(STDERR_FILENO) == 1},
        MakeProjectLoader(view));
}

// Whether a window can be shown at all. Qt gives up on a missing display with a page of notes
// and an abort; the program says it in one line instead.
bool HaveDisplay(std::string& why) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const std::string display = qgetenv("DISPLAY").toStdString();
    if (display.empty()) {
        why = "DISPLAY is not set";
        return false;
    }
    // A local display ":N" or ":N.S" listens on its socket in /tmp/.X11-unix.
    if (display[0] == ':') {
        const std::string number = display.substr(1, display.find('.') - 1);
        if (!QFileInfo::exists(QString::fromStdString("/tmp/.X11-unix/X" + number))) {
            why = "no X server listens on " + display;
            return false;
        }
    }
    return true;
}

// For timing the start: with PARLINO_READY_FD set, the program writes one line to that descriptor
// as soon as typing would reach the editor (its window shown, exposed and active, the editor
// holding the focus) and exits at once.
void ReportWhenReady() {
    const char* fd = std::getenv("PARLINO_READY_FD");
    if (fd == nullptr || QCoreApplication::instance() == nullptr)
        return;
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [fd] {
        QWidget* focus = QApplication::focusWidget();
        if (qobject_cast<QTextEdit*>(focus) == nullptr || !focus->isVisible() ||
            focus->window()->windowHandle() == nullptr ||
            !focus->window()->windowHandle()->isExposed())
            return;
        (void)::write(std::atoi(fd), "ready\n", 6);
        ::_exit(0);
    });
    poll->start(1);
}
Q_COREAPP_STARTUP_FUNCTION(ReportWhenReady)

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (Has(args, "--compile")) {
        if (Has(args, "--raw"))
            return RunCompileCommand(args, CompileConsole{std::cout, std::cerr, STDOUT_FILENO,
                                                          ::isatty(STDERR_FILENO) == 1});
        return CompileProjects(argc, argv, args);
    }
    std::string why;
    if (!HaveDisplay(why)) {
        std::cerr << "parlino: no display to show the window on (" << why
                  << "); parlino --compile FILE works without one\n";
        return 3;
    }
    return RunParlApp(argc, argv);
}
