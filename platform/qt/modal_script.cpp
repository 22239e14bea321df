#include "platform/qt/modal_script.h"

#include "platform/qt/colorref.h"
#include "platform/qt/font_dialog.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <algorithm>

CModalScript::CModalScript() : m_pOuter(CModalSeam::Script()) {
    CModalSeam::SetScript(this);
}

CModalScript::~CModalScript() {
    CModalSeam::SetScript(m_pOuter);
}

int CModalScript::Unanswered() const {
    return static_cast<int>(std::count_if(m_shown.begin(), m_shown.end(),
                                          [](const CShownModal& s) { return !s.answered; }));
}

bool CModalScript::Next(QWidget& modal, Answer& answer) {
    CShownModal shown;
    shown.kind = QString::fromLatin1(modal.metaObject()->className());
    shown.title = modal.windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        shown.text = box->text();
        shown.icon = box->icon();
    } else if (auto* menu = qobject_cast<QMenu*>(&modal)) {
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                entries << action->text();
        }
        shown.text = entries.join(QLatin1Char('\n'));
    }
    shown.answered = !m_answers.empty();
    m_shown.push_back(shown);
    if (m_answers.empty())
        return false;
    answer = std::move(m_answers.front());
    m_answers.pop_front();
    return true;
}

CModalScript::Answer CModalScript::Button(QMessageBox::StandardButton button) {
    return [button](QWidget&) { return static_cast<int>(button); };
}

CModalScript::Answer CModalScript::Accept(std::function<void(QDialog&)> fill) {
    return [fill = std::move(fill)](QWidget& modal) {
        if (fill)
            fill(static_cast<QDialog&>(modal));
        return static_cast<int>(QDialog::Accepted);
    };
}

CModalScript::Answer CModalScript::Reject(std::function<void(QDialog&)> fill) {
    return [fill = std::move(fill)](QWidget& modal) {
        if (fill)
            fill(static_cast<QDialog&>(modal));
        return static_cast<int>(QDialog::Rejected);
    };
}

CModalScript::Answer CModalScript::ChooseFile(const QString& path, int filterIndex) {
    return [path, filterIndex](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (dialog == nullptr)
            return static_cast<int>(QDialog::Rejected);
        const QStringList filters = dialog->nameFilters();
        if (filterIndex >= 1 && filterIndex <= filters.size())
            dialog->selectNameFilter(filters.at(filterIndex - 1));
        dialog->selectFile(path);
        return static_cast<int>(QDialog::Accepted);
    };
}

CModalScript::Answer CModalScript::ChooseFont(const QFont& font, const QColor& color) {
    return [font, color](QWidget& modal) {
        auto* dialog = qobject_cast<QFontDialog*>(&modal);
        if (dialog == nullptr)
            return static_cast<int>(QDialog::Rejected);
        // The dialog picks a style by name before weight and slant; let those decide.
        QFont chosen = font;
        chosen.setStyleName(QString());
        dialog->setCurrentFont(chosen);
        auto* colors =
            dialog->findChild<QComboBox*>(QString::fromLatin1(CFontDialog::kColorListName));
        if (color.isValid() && colors != nullptr) {
            const uint cr = RefFromColor(color);
            int index = colors->findData(cr);
            if (index < 0) {
                colors->addItem(QStringLiteral("Custom"), cr);
                index = colors->count() - 1;
            }
            colors->setCurrentIndex(index);
        }
        return static_cast<int>(QDialog::Accepted);
    };
}

CModalScript::Answer CModalScript::ChooseColor(const QColor& color) {
    return [color](QWidget& modal) {
        auto* dialog = qobject_cast<QColorDialog*>(&modal);
        if (dialog == nullptr)
            return static_cast<int>(QDialog::Rejected);
        dialog->setCurrentColor(color);
        return static_cast<int>(QDialog::Accepted);
    };
}

CModalScript::Answer CModalScript::ChooseCommand(UINT nID) {
    return [nID](QWidget&) { return static_cast<int>(nID); };
}
