#include "app/compile_command.h"
#include "app/parl_app.h"
#include "app/project_loader.h"
#include "platform/qt/rich_edit_view.h"

#include <QApplication>
#include <QtGlobal>

#include <iostream>
#include <string>
#include <vector>

namespace {

bool Has(const std::vector<std::string>& args, const char* word) {
    for (const std::string& a : args) {
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

// A project is opened through the rich-edit control, which needs the toolkit but no display.
int CompileProject(int argc, char** argv, const std::vector<std::string>& args) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    CRichEditView view;
    return RunCompileCommand(args, std::cout, std::cerr, MakeProjectLoader(view));
}

} // namespace

// With --compile the program compiles a message file and exits; otherwise it opens its window
// (a file named on the command line is opened in it).
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (Has(args, "--compile")) {
        if (Has(args, "--raw"))
            return RunCompileCommand(args, std::cout, std::cerr);
        return CompileProject(argc, argv, args);
    }
    return RunParlApp(argc, argv);
}
