#include "platform/qt/translation.h"
#include "res/resources.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Sets the locale variables for one case and puts the old ones back.
class CEnvironment {
public:
    CEnvironment(const char* all, const char* messages, const char* lang) {
        Set("LC_ALL", all);
        Set("LC_MESSAGES", messages);
        Set("LANG", lang);
    }
    ~CEnvironment() {
        for (const auto& [name, value] : m_saved)
            value.empty() ? ::unsetenv(name) : ::setenv(name, value.c_str(), 1);
    }

private:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old != nullptr ? old : "");
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    std::vector<std::pair<const char*, std::string>> m_saved;
};

void RemoveTranslators() {
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

} // namespace

// The language comes from the environment as the desktop sets it, whether or not the system has
// that locale generated; the German translation is built into the program.
TEST(Translation, theDesktopsLanguageChoosesTheWindowsTexts) {
    struct Row {
        const char* all;
        const char* messages;
        const char* lang;
        const char* language;
        bool german;
    } const rows[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "de_DE", true},
        {nullptr, nullptr, "de_AT@euro", "de_AT", true},
        {nullptr, "de_CH.UTF-8", "en_GB.UTF-8", "de_CH", true},
        {"en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", "en_US", false},
        {nullptr, nullptr, "fr_FR.UTF-8", "fr_FR", false},
        {nullptr, nullptr, "C.UTF-8", "C", false},
        {nullptr, nullptr, nullptr, "C", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        CEnvironment env(row.all, row.messages, row.lang);
        EXPECT_EQ(DesktopLanguage().toStdString(), row.language);
        EXPECT_EQ(InstallTranslations(*QCoreApplication::instance()), row.german);
        EXPECT_EQ(ParlTr("&File").toStdString(), row.german ? "&Datei" : "&File");
        EXPECT_EQ(ParlTr("Cancel").toStdString(), row.german ? "Abbrechen" : "Cancel");
        // A text with no translation, and no text, stay as they are.
        EXPECT_EQ(ParlTr("hello.plp").toStdString(), "hello.plp");
        EXPECT_TRUE(ParlTr("").isEmpty());
        EXPECT_EQ(ParlTrArgs("Cannot find \"%1\".", {"50%2 %1"}),
                  row.german ? "\xe2\x80\x9e"
                               "50%2 %1\xe2\x80\x9c wurde nicht gefunden."
                             : "Cannot find \"50%2 %1\".");
        RemoveTranslators();
    }
}

// The translation is kept by hand: every text of the menus and every prompt of their commands
// (status bar and tooltip) must have its German text, so a new entry cannot slip through.
TEST(Translation, everyMenuTextAndPromptHasItsGermanText) {
    CResourceTables tables;
    RegisterResources(tables);
    ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance(), QStringLiteral("de_DE")));
    std::vector<std::string> missing;
    auto check = [&missing](const std::string& text) {
        if (!text.empty() && ParlTr(text).toStdString() == text)
            missing.push_back(text);
    };
    std::function<void(const std::vector<CMenuEntry>&)> walk = [&](const auto& entries) {
        for (const CMenuEntry& entry : entries) {
            check(entry.text);
            walk(entry.entries);
            if (entry.kind == CMenuEntry::Command) {
                const CPrompt prompt = tables.Strings().Prompt(entry.nID);
                check(prompt.status);
                check(prompt.tooltip);
            }
        }
    };
    int menus = 0;
    for (UINT nID : {IDR_MAINFRAME, IDR_CNTR_INPLACE, IDR_CONTEXT_MENU}) {
        if (const CMenuResource* menu = tables.FindMenu(nID)) {
            walk(*menu);
            ++menus;
        }
    }
    RemoveTranslators();
    EXPECT_EQ(menus, 3);
    EXPECT_EQ(missing, std::vector<std::string>{});
}
