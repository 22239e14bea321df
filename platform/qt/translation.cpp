#include "platform/qt/translation.h"

#include "platform/doc_framework.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// One context for every text, as the texts come from tables rather than from classes.
constexpr const char* kContext = "Parlino";

} // namespace

QString ParlTr(const char* text) {
    if (text == nullptr || *text == '\0')
        return {};
    return QCoreApplication::translate(kContext, text);
}

QString ParlTr(const std::string& text) {
    return ParlTr(text.c_str());
}

std::string ParlTrArgs(const char* text, std::initializer_list<std::string> args) {
    return FillArgs(ParlTr(text).toStdString(), args);
}

QString DesktopLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    }
    return QStringLiteral("C");
}

bool InstallTranslations(QCoreApplication& app, const QString& language) {
    const QLocale locale(QString(language).replace(QLatin1Char('-'), QLatin1Char('_')));
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return false;
    // Qt's own texts (the buttons of its standard dialogs), where the system has them.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("parlino"), QStringLiteral("_"),
                   QStringLiteral(":/translations"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    return true;
}
