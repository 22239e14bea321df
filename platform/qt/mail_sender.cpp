#include "platform/qt/mail_sender.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

bool CMailSender::IsAvailable() {
    return !QStandardPaths::findExecutable(QString::fromLatin1(kProgram)).isEmpty();
}

bool CMailSender::Send(const std::string& path, QString& reason) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(kProgram));
    if (program.isEmpty()) {
        reason = QStringLiteral("%1 was not found on the PATH.").arg(QString::fromLatin1(kProgram));
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(
        {QStringLiteral("--attach"), QFileInfo(QString::fromStdString(path)).absoluteFilePath()});
    if (!process.startDetached()) {
        reason = process.errorString();
        return false;
    }
    return true;
}
