// The yardstick for the window's start: the least a Qt Widgets program does to show a window
// that takes typing, a main window holding a text editor.
#include <QApplication>
#include <QMainWindow>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* edit = new QTextEdit(&window);
    window.setCentralWidget(edit);
    window.resize(800, 600);
    window.show();
    edit->setFocus();
    // As the program itself does for timing: one line on the descriptor once typing would reach
    // the editor, then an immediate exit.
    if (const char* fd = std::getenv("PARLINO_READY_FD")) {
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, [fd] {
            QWidget* focus = QApplication::focusWidget();
            if (qobject_cast<QTextEdit*>(focus) == nullptr || !focus->isVisible() ||
                focus->window()->windowHandle() == nullptr ||
                !focus->window()->windowHandle()->isExposed())
                return;
            const int n = std::atoi(fd);
            (void)::write(n, "ready\n", 6);
            ::_exit(0);
        });
        poll->start(1);
    }
    return app.exec();
}
