// Start-up with recovery copies: the copies that programs left when they stopped without
// exiting are offered first (copies that cannot be read are reported and put aside), then the
// command line is processed (New, or the file it names), and from then on a keeper takes copies
// of the message. A restored copy comes before the named file, which is then opened as File Open
// opens it (asking first whether to save the restored message).
#pragma once

#include "platform/qt/win_app.h"

#include <QString>

class CRecoveryKeeper;

// In place of CWinApp::ProcessShellCommand; FALSE when that failed.
BOOL ProcessShellCommandWithRecovery(CWinApp& app, CCommandLineInfo& cmdInfo,
                                     const QString& folder);
// The keeper of the application's message; nullptr before the start-up made it.
CRecoveryKeeper* FindRecoveryKeeper(CWinApp& app);
