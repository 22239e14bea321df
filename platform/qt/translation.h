// The window's texts in the user's language. Every text the window shows passes through ParlTr
// where it becomes a widget; the texts of the page the recipient gets never do, since the
// recipient may read another language than the author.
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QCoreApplication;

// The text in the running program's language: the translation loaded for it, or the text itself.
QString ParlTr(const char* text);
QString ParlTr(const std::string& text);
// A message with parts filled in: `text` translated, then each %1..%9 in it replaced by the
// argument of that number, in one pass (an argument holding "%2" stays as it is).
std::string ParlTrArgs(const char* text, std::initializer_list<std::string> args);

// The language the desktop asks for: LC_ALL, else LC_MESSAGES, else LANG ("de_DE.UTF-8"), read
// from the environment itself so that it works where the system has no such locale generated.
// "C" when none is set.
QString DesktopLanguage();

// Loads the program's and Qt's own translations for `language` ("de_DE", "de-DE", "de"), when
// there are any, into `app`. Returns whether the program's own was found.
bool InstallTranslations(QCoreApplication& app, const QString& language = DesktopLanguage());
