#include "platform/qt/message_box.h"

#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"
#include "platform/qt/win_app.h"
#include "platform/resource_tables.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ButtonsOf(UINT nType) {
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(UINT nType) {
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A box closed without a button gives the answer its escape would.
int EscapeAnswer(UINT nType) {
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}

} // namespace

int AfxMessageBox(const std::string& text, UINT nType) {
    QMessageBox box(IconOf(nType), QString::fromStdString(AfxGetAppName()), ParlTr(text),
                    ButtonsOf(nType), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (CModalSeam::Exec(box)) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Abort:
        return IDABORT;
    case QMessageBox::Retry:
        return IDRETRY;
    case QMessageBox::Ignore:
        return IDIGNORE;
    default:
        return EscapeAnswer(nType);
    }
}

int AfxMessageBox(UINT nIDPrompt, UINT nType) {
    return AfxMessageBox(AfxLoadString(nIDPrompt), nType);
}
