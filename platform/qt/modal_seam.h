// The one road of every modal run in the program: dialogs, message boxes and context menus all
// go through CModalSeam, so a test can install a CModalScript that answers them without a user
// and records what was shown. Without a script, dialogs run their own event loop as usual; on
// the offscreen platform, where nobody could answer, they are refused instead of waiting.
#pragma once

#include "platform/richedit.h"

#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QMenu;
class QPoint;
class QWidget;

// What a modal run showed.
struct CShownModal {
    QString kind;  // the widget's class: "QMessageBox", "QFileDialog", "CEditHtmlDlg", "QMenu"
    QString title; // window title
    QString text;  // a message box's text; a menu's entries, one per line
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool answered = false; // false when a script had no answer left and refused the run
};

class CModalScript;

class CModalSeam {
public:
    // Runs `dialog` modally; returns what QDialog::exec would (for a message box, the clicked
    // standard button).
    static int Exec(QDialog& dialog);
    // Shows `menu` at `globalPos` until the user chooses an entry or dismisses it; returns the
    // command identifier of the chosen entry (its action's data), 0 when none was chosen.
    static UINT TrackMenu(QMenu& menu, const QPoint& globalPos);

    // The script in force, or nullptr. CModalScript installs and removes itself.
    static CModalScript* Script();

private:
    friend class CModalScript;
    static void SetScript(CModalScript* pScript);
};
