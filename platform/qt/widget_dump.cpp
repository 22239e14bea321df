#include "platform/qt/widget_dump.h"

#include "platform/qt/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTextEdit>

namespace {

QString TextOf(const QWidget& w) {
    if (auto* label = qobject_cast<const QLabel*>(&w))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(&w))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(&w))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(&w))
        return combo->currentText();
    if (auto* text = qobject_cast<const QTextEdit*>(&w))
        return text->toPlainText();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(&w))
        return plain->toPlainText();
    return {};
}

QJsonObject Describe(const QWidget& w) {
    QJsonObject o;
    o["class"] = QString::fromLatin1(w.metaObject()->className());
    o["name"] = w.objectName();
    o["text"] = TextOf(w);
    // What its text needs: the whole hint, and the text's own width (without mnemonic marks).
    o["hint"] = w.sizeHint().width();
    o["textWidth"] = w.fontMetrics().horizontalAdvance(QString(TextOf(w)).remove(QLatin1Char('&')));
    if (auto* label = qobject_cast<const QLabel*>(&w))
        o["wordWrap"] = label->wordWrap();
    if (auto* bar = qobject_cast<const QMenuBar*>(&w)) {
        QJsonArray menus;
        for (const QAction* action : bar->actions())
            menus.append(action->text());
        o["menus"] = menus;
    }
    o["rect"] = QJsonArray{w.x(), w.y(), w.width(), w.height()};
    const QPoint global = w.mapToGlobal(QPoint(0, 0));
    o["global"] = QJsonArray{global.x(), global.y()};
    o["visible"] = w.isVisible();
    // What a label's or button's text needs, to tell a cut-off text.
    if (const QSize need = CDialog::TextNeed(w); need.isValid())
        o["need"] = QJsonArray{need.width(), need.height()};
    o["focus"] = w.hasFocus();
    // Widgets built from a dialog template carry their place in it.
    for (const char* property : {"templateItem", "templateItems"}) {
        const QVariant value = w.property(property);
        if (value.isValid())
            o[property] = value.toInt();
    }
    QJsonArray children;
    for (QWidget* child : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            children.append(Describe(*child));
    }
    o["children"] = children;
    return o;
}

class CWidgetDump : public QObject {
public:
    CWidgetDump(QString path, QObject* parent) : QObject(parent), m_path(std::move(path)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F12)
            return QObject::eventFilter(watched, event);
        Write();
        return true;
    }

private:
    void Write() {
        QJsonArray windows;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            QJsonObject o = Describe(*top);
            o["title"] = top->windowTitle();
            o["active"] = top->isActiveWindow();
            windows.append(o);
        }
        QJsonObject root;
        root["windows"] = windows;
        QWidget* focus = QApplication::focusWidget();
        root["focusClass"] =
            focus != nullptr ? QString::fromLatin1(focus->metaObject()->className()) : QString();
        root["focusName"] = focus != nullptr ? focus->objectName() : QString();
        QSaveFile file(m_path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(root).toJson());
            file.commit();
        }
    }

    QString m_path;
};

} // namespace

void InstallWidgetDumpIfAsked(QApplication& app) {
    const QString path = qEnvironmentVariable("PARL_WIDGET_DUMP");
    if (path.isEmpty())
        return;
    app.installEventFilter(new CWidgetDump(path, &app));
}
