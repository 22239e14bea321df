#include "platform/qt/mail_sender.h"

#include "platform/qt/translation.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

bool CMailSender::IsAvailable() {
    return !QStandardPaths::findExecutable(QString::fromLatin1(kProgram)).isEmpty();
}

bool CMailSender::Send(const std::string& path, const QString& body, QString& reason) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(kProgram));
    if (program.isEmpty()) {
        reason = ParlTr("%1 was not found on the PATH.").arg(QString::fromLatin1(kProgram));
        return false;
    }
    QProcess process;
    process.setProgram(program);
    QStringList arguments{QStringLiteral("--utf8")};
    if (!body.isEmpty())
        arguments << QStringLiteral("--body") << body;
    arguments << QStringLiteral("--attach")
              << QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    process.setArguments(arguments);
    if (!process.startDetached()) {
        reason = process.errorString();
        return false;
    }
    return true;
}
