#include "app/test_feed.h"

#include "app/recovery_start.h"
#include "document/parl_doc.h"
#include "document/qt/recovery_dlg.h"
#include "document/qt/recovery_keeper.h"
#include "platform/qt/modal_script.h"
#include "platform/qt/win_app.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QTextEdit>
#include <QTimer>
#include <deque>
#include <iostream>
#include <memory>

namespace {

std::unique_ptr<CModalScript> g_script;
std::deque<QStringList> g_actions;

QWidget* Editor(CWinApp& app) {
    CSingleDocTemplate* tmpl = app.GetDocTemplate();
    return tmpl != nullptr ? tmpl->GetView() : nullptr;
}

void Key(QWidget* editor, int key, const QString& text,
         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(editor, &release);
}

void Type(QWidget* editor, const QString& text) {
    for (QChar c : text)
        Key(editor,
            c == QLatin1Char(' ') ? static_cast<int>(Qt::Key_Space)
                                  : static_cast<int>(c.toUpper().unicode()),
            QString(c));
}

void RunNext(CWinApp& app);

void Continue(CWinApp& app, int delayMs = 0) {
    QTimer::singleShot(delayMs, qApp, [&app] { RunNext(app); });
}

void TypeWords(CWinApp& app, int done, int count, int intervalMs) {
    if (done == count) {
        Continue(app);
        return;
    }
    const QString word = QStringLiteral("w%1 ").arg(done + 1, 4, 10, QLatin1Char('0'));
    Type(Editor(app), word);
    std::cout << "typed " << done + 1 << " " << QDateTime::currentMSecsSinceEpoch() << std::endl;
    QTimer::singleShot(intervalMs, qApp, [&app, done, count, intervalMs] {
        TypeWords(app, done + 1, count, intervalMs);
    });
}

void RunNext(CWinApp& app) {
    if (g_actions.empty())
        return;
    const QStringList line = g_actions.front();
    g_actions.pop_front();
    const QString verb = line.value(0);
    QWidget* editor = Editor(app);
    auto* doc = app.GetDocTemplate() != nullptr
                    ? dynamic_cast<CParlDoc*>(app.GetDocTemplate()->GetDocument())
                    : nullptr;
    if (verb == QLatin1String("text")) {
        Type(editor, line.mid(1).join(QLatin1Char(' ')));
    } else if (verb == QLatin1String("key")) {
        if (line.value(1) == QLatin1String("return"))
            Key(editor, Qt::Key_Return, QStringLiteral("\r"));
        else if (line.value(1) == QLatin1String("end"))
            Key(editor, Qt::Key_End, QString(), Qt::ControlModifier);
        else
            Key(editor, Qt::Key_Backspace, QString());
    } else if (verb == QLatin1String("command")) {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->OnCmdMsg(line.value(1).toUInt(), nullptr);
    } else if (verb == QLatin1String("words")) {
        TypeWords(app, 0, line.value(1).toInt(), line.value(2).toInt());
        return;
    } else if (verb == QLatin1String("wait-copy")) {
        CRecoveryKeeper* keeper = FindRecoveryKeeper(app);
        if (keeper != nullptr && !keeper->IsSettled()) {
            g_actions.push_front(line);
            Continue(app, 20);
            return;
        }
    } else if (verb == QLatin1String("page") && doc != nullptr) {
        doc->BuildHtml();
        QFile file(line.value(1));
        if (file.open(QIODevice::WriteOnly))
            file.write(doc->m_strHtml.data(), static_cast<qint64>(doc->m_strHtml.size()));
    } else if (verb == QLatin1String("plain") && editor != nullptr) {
        QFile file(line.value(1));
        if (file.open(QIODevice::WriteOnly))
            file.write(static_cast<QTextEdit*>(editor)->toPlainText().toUtf8());
    } else if (verb == QLatin1String("shown") && g_script != nullptr) {
        for (const CShownModal& shown : g_script->Shown())
            std::cout << "shown " << shown.kind.toStdString() << " \"" << shown.title.toStdString()
                      << "\" " << (shown.answered ? "answered" : "refused") << " "
                      << shown.text.toStdString() << std::endl;
    } else if (verb == QLatin1String("say")) {
        std::cout << line.mid(1).join(QLatin1Char(' ')).toStdString() << std::endl;
    } else if (verb == QLatin1String("quit")) {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->close();
    }
    Continue(app);
}

CModalScript::Answer ButtonAnswer(const QString& name) {
    if (name == QLatin1String("yes"))
        return CModalScript::Button(QMessageBox::Yes);
    if (name == QLatin1String("no"))
        return CModalScript::Button(QMessageBox::No);
    if (name == QLatin1String("ok"))
        return CModalScript::Button(QMessageBox::Ok);
    return CModalScript::Button(QMessageBox::Cancel);
}

} // namespace

void CTestFeed::Install() {
    const QString path = qEnvironmentVariable("PARL_TEST_FEED");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::cerr << "parlino: cannot read PARL_TEST_FEED " << path.toStdString() << std::endl;
        return;
    }
    g_script = std::make_unique<CModalScript>();
    while (!file.atEnd()) {
        const QStringList line = QString::fromUtf8(file.readLine())
                                     .trimmed()
                                     .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (line.isEmpty())
            continue;
        if (line.value(0) != QLatin1String("answer")) {
            g_actions.push_back(line);
            continue;
        }
        if (line.value(1) == QLatin1String("recovery")) {
            const QString what = line.value(2);
            const auto result = what == QLatin1String("restore")   ? CRecoveryDlg::kRestore
                                : what == QLatin1String("discard") ? CRecoveryDlg::kDiscard
                                                                   : CRecoveryDlg::kLater;
            g_script->Push(CRecoveryDlg::Answer(result, line.value(3).toInt()));
        } else {
            g_script->Push(ButtonAnswer(line.value(2)));
        }
    }
}

void CTestFeed::Start(CWinApp& app) {
    if (!g_actions.empty())
        Continue(app);
}
