// Opening a file with the user's program for its type (the preview page and the help page in
// the browser). Tests replace the hook to record the call instead of starting a program.
#pragma once

#include <QUrl>
#include <functional>
#include <string>

using ShellOpenHook = std::function<bool(const QUrl& url)>;

// `file` is absolute or relative to the current folder; it is handed on as an absolute file
// URL. False when nothing could be started.
bool ShellOpen(const std::string& file);

// Replaces the opener (an empty hook restores the desktop's); returns the one in force before.
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);
