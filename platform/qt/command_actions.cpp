#include "platform/qt/command_actions.h"

#include "platform/afx_ids.h"
#include "platform/qt/translation.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// "Save &As...\tCtrl+S" without the accelerator text and the mnemonic marks.
QString PlainText(const QString& menuText) {
    QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

void ApplyPrompt(QAction* action, UINT nID) {
    const CPrompt prompt = CResourceTables::App().Strings().Prompt(nID);
    action->setStatusTip(ParlTr(prompt.status));
    if (!prompt.tooltip.empty())
        action->setToolTip(ParlTr(prompt.tooltip));
}

} // namespace

CCommandActions::CCommandActions(QWidget* owner, Router route, MenuHook onMenuShow)
    : m_owner(owner), m_route(std::move(route)), m_onMenuShow(std::move(onMenuShow)) {}

QAction* CCommandActions::Action(UINT nID) {
    if (QAction* existing = Find(nID))
        return existing;
    auto* action = new QAction(m_owner);
    action->setData(nID);
    ApplyPrompt(action, nID);
    QObject::connect(action, &QAction::triggered, m_owner, [this, nID] { m_route(nID); });
    m_actions[nID] = action;
    return action;
}

QAction* CCommandActions::Find(UINT nID) const {
    const auto it = m_actions.find(nID);
    return it == m_actions.end() ? nullptr : it->second;
}

void CCommandActions::LoadAccelerators(const CAccelTable& table) {
    std::map<UINT, QList<QKeySequence>> keys;
    for (const CAccelEntry& entry : table)
        keys[entry.nID] << QKeySequence(QString::fromStdString(entry.keys));
    for (const auto& [nID, sequences] : keys) {
        QAction* action = Action(nID);
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
        // A command reached only by its keys still needs its action in the window.
        m_owner->addAction(action);
    }
}

void CCommandActions::BuildMenuBar(QMenuBar* bar, const CMenuResource& menu) {
    for (const CMenuEntry& entry : menu) {
        if (entry.kind == CMenuEntry::Popup)
            bar->addMenu(BuildMenu(entry, bar));
        else if (entry.kind == CMenuEntry::Command)
            bar->addAction(Action(entry.nID));
    }
}

QMenu* CCommandActions::BuildMenu(const CMenuEntry& popup, QWidget* parent) {
    auto* menu = new QMenu(ParlTr(popup.text), parent);
    FillMenu(menu, popup.entries, false);
    return menu;
}

QMenu* CCommandActions::BuildDetachedMenu(const CMenuResource& entries, QWidget* parent) {
    auto* menu = new QMenu(parent);
    FillMenu(menu, entries, true);
    return menu;
}

void CCommandActions::FillMenu(QMenu* menu, const std::vector<CMenuEntry>& entries, bool detached) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
        if (m_onMenuShow)
            m_onMenuShow(menu);
    });
    for (const CMenuEntry& entry : entries) {
        switch (entry.kind) {
        case CMenuEntry::Separator:
            menu->addSeparator();
            break;
        case CMenuEntry::Popup: {
            QMenu* sub = new QMenu(ParlTr(entry.text), menu);
            FillMenu(sub, entry.entries, detached);
            menu->addMenu(sub);
            break;
        }
        case CMenuEntry::Command: {
            const QString text =
                entry.verbatim ? QString::fromStdString(entry.text) : ParlTr(entry.text);
            if (detached) {
                QAction* action = menu->addAction(text);
                action->setData(entry.nID);
                break;
            }
            QAction* action = Action(entry.nID);
            action->setText(text);
            action->setIconText(PlainText(text));
            if (CResourceTables::App().Strings().Prompt(entry.nID).tooltip.empty())
                action->setToolTip(PlainText(text));
            menu->addAction(action);
            // The recent-file entry stands for the whole list: its other entries follow it,
            // hidden until the list fills them.
            if (entry.nID == ID_FILE_MRU_FILE1) {
                for (UINT id = ID_FILE_MRU_FILE1 + 1; id <= ID_FILE_MRU_FILE4; ++id) {
                    QAction* more = Action(id);
                    more->setVisible(false);
                    menu->addAction(more);
                }
            }
            break;
        }
        }
    }
}

void CCommandActions::BuildToolBar(QToolBar* toolBar, const CToolBarResource& buttons,
                                   const QPixmap& images) {
    constexpr int kImageWidth = 16, kImageHeight = 15;
    int image = 0;
    for (UINT nID : buttons) {
        if (nID == ID_SEPARATOR) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(nID);
        if (!images.isNull() && (image + 1) * kImageWidth <= images.width())
            action->setIcon(QIcon(images.copy(image * kImageWidth, 0, kImageWidth, kImageHeight)));
        ++image;
        if (action->text().isEmpty())
            action->setIconText(action->toolTip());
        toolBar->addAction(action);
    }
}
