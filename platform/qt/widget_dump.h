// A picture of the windows on screen for the desktop tests. With PARL_WIDGET_DUMP naming a
// file, F12 writes every visible window and its widgets there as JSON (class, name, text,
// geometry in the parent, visibility, focus), replacing the file whole, and is not passed on.
// Without the variable nothing is installed.
#pragma once

class QApplication;

void InstallWidgetDumpIfAsked(QApplication& app);
