#include "platform/qt/modal_seam.h"

#include "platform/qt/modal_script.h"

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>

namespace {

CModalScript* g_pScript = nullptr;

// Nobody can answer a window on the offscreen platform: a run there would wait forever.
bool CannotShowWindows() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

UINT CommandOf(const QAction* action) {
    return action != nullptr ? action->data().toUInt() : 0;
}

} // namespace

CModalScript* CModalSeam::Script() {
    return g_pScript;
}

void CModalSeam::SetScript(CModalScript* pScript) {
    g_pScript = pScript;
}

int CModalSeam::Exec(QDialog& dialog) {
    // A dialog is answered, not minimised or maximised: its frame offers a title, a system
    // menu and a close button only (a resizable one keeps its sizing border).
    if (dialog.isWindow() && !dialog.isVisible())
        dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    if (g_pScript == nullptr) {
        if (CannotShowWindows()) {
            qWarning("Modal dialog \"%s\" refused: no user can answer on this platform",
                     qPrintable(dialog.windowTitle()));
            return QDialog::Rejected;
        }
        return dialog.exec();
    }
    // A dialog may refuse to close (its data fails validation); the user would then answer it
    // again, so the script's next answer is taken.
    CModalScript::Answer answer;
    while (g_pScript->Next(dialog, answer)) {
        constexpr int kNotDone = -0x7fff;
        dialog.setResult(kNotDone);
        const int code = answer(dialog);
        dialog.done(code);
        if (dialog.result() == code)
            return code;
    }
    return QDialog::Rejected;
}

UINT CModalSeam::TrackMenu(QMenu& menu, const QPoint& globalPos) {
    if (g_pScript == nullptr) {
        if (CannotShowWindows())
            return 0;
        return CommandOf(menu.exec(globalPos));
    }
    CModalScript::Answer answer;
    if (!g_pScript->Next(menu, answer))
        return 0;
    const UINT nID = static_cast<UINT>(answer(menu));
    // Only an enabled entry of this menu can be chosen.
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && CommandOf(action) == nID)
            return action->isEnabled() ? nID : 0;
    }
    return 0;
}
