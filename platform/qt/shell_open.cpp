#include "platform/qt/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace {
ShellOpenHook g_hook;
}

bool ShellOpen(const std::string& file) {
    const QUrl url =
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(file)).absoluteFilePath());
    return g_hook ? g_hook(url) : QDesktopServices::openUrl(url);
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook) {
    ShellOpenHook previous = std::move(g_hook);
    g_hook = std::move(hook);
    return previous;
}
