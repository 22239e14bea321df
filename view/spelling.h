// Spelling checked as you type: the Edit menu's Spelling commands (Check Spelling As You Type
// and one entry per installed language), the corrections offered above the context menu's own
// entries, and the two settings that remember the choice.
//
// The view owns one; it maps its commands into the view's message map and asks it for the
// context menu's first entries on every right click.
#pragma once

#include "platform/resource_tables.h"
#include "view/spell_checker.h"
#include "view/spell_highlighter.h"

#include <QStringList>
#include <vector>

class CCmdTarget;
class QPoint;
class QTextEdit;

class CSpelling {
public:
    // The settings are read now; the dictionary is read when the first check needs it.
    explicit CSpelling(QTextEdit& edit);
    ~CSpelling();
    CSpelling(const CSpelling&) = delete;
    CSpelling& operator=(const CSpelling&) = delete;

    void MapCommands(CCmdTarget& target);

    // The entries above the context menu's own for a right click at `viewportPoint`: for a
    // misspelt word its suggestions, Add to Dictionary, Ignore All and a separator; none
    // elsewhere. The word is remembered for the command chosen.
    std::vector<CMenuEntry> ContextEntries(const QPoint& viewportPoint);

    // A new message begins: the words ignored in the old one count as misspelt again.
    void ForgetIgnoredWords();

    // Checking is on: chosen, and a dictionary is there.
    bool IsOn() const;
    // The language code checked in ("en_US"); empty when no dictionary is loaded.
    QString Language() const { return m_checker.Language(); }
    const std::vector<CDictionaryInfo>& Dictionaries() const { return m_dictionaries; }
    CSpellHighlighter& Highlighter() { return m_highlighter; }

    // The command handlers, public for the tests.
    void OnCheckAsYouType();
    void OnLanguage(UINT nID);
    void OnSuggestion(UINT nID);
    void OnAddToDictionary();
    void OnIgnoreAll();

    // The most entries the Language part of the menu shows.
    static constexpr int kMaxLanguages = 32;

private:
    // The dictionary of `code`, else of the desktop's language, else English (United States),
    // else the first one found; -1 when there is none.
    int ChooseDictionary(const QString& code) const;
    void SelectDictionary(int index);
    void Apply();

    QTextEdit& m_edit;
    CSpellChecker m_checker;
    CSpellHighlighter m_highlighter;
    std::vector<CDictionaryInfo> m_dictionaries;
    int m_nDictionary = -1;
    bool m_bOn = true;
    bool m_bLoaded = false;

    // The word of the last context menu.
    int m_nWordStart = -1;
    QString m_strWord;
    QStringList m_suggestions;
};
