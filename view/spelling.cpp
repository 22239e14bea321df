#include "view/spelling.h"

#include "document/parl_doc.h"
#include "platform/cmd_target.h"
#include "platform/qt/message_box.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/translation.h"
#include "res/resource.h"

#include <QLocale>
#include <QPoint>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A menu text shows "&" only when it is written twice.
std::string MenuText(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return escaped.toStdString();
}

} // namespace

CSpelling::CSpelling(QTextEdit& edit) : m_edit(edit), m_highlighter(edit, m_checker) {
    m_dictionaries = CSpellChecker::FindDictionaries();
    CSettingsStore store;
    m_bOn = store.GetProfileInt(CSettingsStore::kSection, CSettingsStore::kCheckSpelling, 1) != 0;
    const QString code = QString::fromStdString(
        store.GetProfileString(CSettingsStore::kSection, CSettingsStore::kSpellingLanguage, ""));
    m_nDictionary = ChooseDictionary(code);
    if (m_nDictionary >= 0) {
        m_checker.LoadLater(m_dictionaries[static_cast<std::size_t>(m_nDictionary)]);
        CParlDoc::s_strSpellingLanguage =
            m_dictionaries[static_cast<std::size_t>(m_nDictionary)].code.toStdString();
    }
    Apply();
}

CSpelling::~CSpelling() = default;

int CSpelling::ChooseDictionary(const QString& code) const {
    const auto find = [this](const QString& wanted) {
        for (std::size_t i = 0; i < m_dictionaries.size(); ++i) {
            if (m_dictionaries[i].code == wanted)
                return static_cast<int>(i);
        }
        return -1;
    };
    for (const QString& wanted : {code, QLocale::system().name(), QStringLiteral("en_US")}) {
        if (wanted.isEmpty())
            continue;
        if (const int index = find(wanted); index >= 0)
            return index;
    }
    return m_dictionaries.empty() ? -1 : 0;
}

void CSpelling::Apply() {
    m_highlighter.SetActive(IsOn());
}

bool CSpelling::IsOn() const {
    // Without a dictionary checking is off, whatever the setting says.
    return m_bOn && m_nDictionary >= 0;
}

void CSpelling::MapCommands(CCmdTarget& target) {
    target.OnCommand(ID_SPELL_CHECK, [this] { OnCheckAsYouType(); });
    target.OnUpdateCommandUI(ID_SPELL_CHECK, [this](CCmdUI* p) {
        p->Enable(m_dictionaries.empty() ? FALSE : TRUE);
        p->SetCheck(IsOn() ? 1 : 0);
    });
    target.OnCommandRange(ID_SPELL_LANGUAGE_FIRST, ID_SPELL_LANGUAGE_LAST,
                          [this](UINT nID) { OnLanguage(nID); });
    target.OnUpdateCommandUIRange(ID_SPELL_LANGUAGE_FIRST, ID_SPELL_LANGUAGE_LAST,
                                  [this](CCmdUI* p) {
                                      const std::size_t index = p->m_nID - ID_SPELL_LANGUAGE_FIRST;
                                      if (index < m_dictionaries.size()) {
                                          p->SetText(MenuText(m_dictionaries[index].name));
                                          p->SetCheck(static_cast<int>(index) == m_nDictionary);
                                          p->Enable(TRUE);
                                          p->Show(TRUE);
                                      } else if (index == 0) {
                                          p->SetText("No dictionary installed");
                                          p->SetCheck(0);
                                          p->Enable(FALSE);
                                          p->Show(TRUE);
                                      } else {
                                          p->Show(FALSE);
                                      }
                                  });
    target.OnCommandRange(ID_SPELL_SUGGESTION_FIRST, ID_SPELL_SUGGESTION_LAST,
                          [this](UINT nID) { OnSuggestion(nID); });
    target.OnCommand(ID_SPELL_ADD_WORD, [this] { OnAddToDictionary(); });
    target.OnCommand(ID_SPELL_IGNORE_ALL, [this] { OnIgnoreAll(); });
}

void CSpelling::OnCheckAsYouType() {
    if (m_dictionaries.empty())
        return;
    m_bOn = !m_bOn;
    CSettingsStore store;
    store.WriteProfileInt(CSettingsStore::kSection, CSettingsStore::kCheckSpelling, m_bOn ? 1 : 0);
    Apply();
}

void CSpelling::OnLanguage(UINT nID) {
    const std::size_t index = nID - ID_SPELL_LANGUAGE_FIRST;
    if (index >= m_dictionaries.size())
        return;
    SelectDictionary(static_cast<int>(index));
}

void CSpelling::SelectDictionary(int index) {
    const CDictionaryInfo& dictionary = m_dictionaries[static_cast<std::size_t>(index)];
    m_nDictionary = index;
    m_checker.Load(dictionary);
    // A message without a language of its own is read in the one its spelling is checked in.
    CParlDoc::s_strSpellingLanguage = dictionary.code.toStdString();
    CSettingsStore store;
    store.WriteProfileString(CSettingsStore::kSection, CSettingsStore::kSpellingLanguage,
                             dictionary.code.toStdString());
    // Choosing a language is also asking for its checking.
    if (!m_bOn) {
        m_bOn = true;
        store.WriteProfileInt(CSettingsStore::kSection, CSettingsStore::kCheckSpelling, 1);
    }
    Apply();
    m_highlighter.RecheckAll();
}

std::vector<CMenuEntry> CSpelling::ContextEntries(const QPoint& viewportPoint) {
    m_nWordStart = -1;
    m_strWord.clear();
    m_suggestions.clear();
    if (!IsOn())
        return {};
    const int position = m_edit.cursorForPosition(viewportPoint).position();
    const std::optional<CSpellWord> word = m_highlighter.MisspeltWordAt(position);
    if (!word)
        return {};
    QTextCursor cursor(m_edit.document());
    cursor.setPosition(word->start);
    cursor.setPosition(word->start + word->length, QTextCursor::KeepAnchor);
    m_nWordStart = word->start;
    m_strWord = cursor.selectedText();
    m_suggestions = m_checker.Suggestions(
        m_strWord, static_cast<int>(ID_SPELL_SUGGESTION_LAST - ID_SPELL_SUGGESTION_FIRST + 1));

    std::vector<CMenuEntry> entries;
    for (int i = 0; i < m_suggestions.size(); ++i) {
        entries.push_back(CMenuEntry::Verbatim(MenuText(m_suggestions[i]),
                                               ID_SPELL_SUGGESTION_FIRST + static_cast<UINT>(i)));
    }
    if (m_suggestions.isEmpty())
        entries.push_back(CMenuEntry::Item("(No Suggestions)", ID_SPELL_NO_SUGGESTIONS));
    entries.push_back(CMenuEntry::Sep());
    entries.push_back(CMenuEntry::Item("&Add to Dictionary", ID_SPELL_ADD_WORD));
    entries.push_back(CMenuEntry::Item("&Ignore All", ID_SPELL_IGNORE_ALL));
    entries.push_back(CMenuEntry::Sep());
    return entries;
}

void CSpelling::OnSuggestion(UINT nID) {
    const int index = static_cast<int>(nID - ID_SPELL_SUGGESTION_FIRST);
    if (m_nWordStart < 0 || index < 0 || index >= m_suggestions.size())
        return;
    QTextDocument* doc = m_edit.document();
    QTextCursor cursor(doc);
    cursor.setPosition(m_nWordStart);
    cursor.setPosition(m_nWordStart + static_cast<int>(m_strWord.size()), QTextCursor::KeepAnchor);
    // The word must still be where the menu found it.
    if (cursor.selectedText() != m_strWord)
        return;
    // The word's first letter gives the format: the correction looks as the word did.
    QTextCursor first(doc);
    first.setPosition(m_nWordStart + 1);
    const QTextCharFormat format = first.charFormat();
    cursor.beginEditBlock();
    cursor.insertText(m_suggestions[index], format);
    cursor.endEditBlock();
    m_edit.setTextCursor(cursor);
    m_nWordStart = -1;
}

void CSpelling::OnAddToDictionary() {
    if (m_strWord.isEmpty())
        return;
    if (!m_checker.AddToPersonalList(m_strWord)) {
        AfxMessageBox(
            ParlTrArgs("The word \"%1\" could not be added to your dictionary: %2 "
                       "cannot be written.",
                       {m_strWord.toStdString(), CSpellChecker::PersonalListPath().toStdString()}),
            MB_OK | MB_ICONEXCLAMATION);
    }
    m_highlighter.RecheckAll();
}

void CSpelling::OnIgnoreAll() {
    if (m_strWord.isEmpty())
        return;
    m_checker.Ignore(m_strWord);
    m_highlighter.RecheckAll();
}

void CSpelling::ForgetIgnoredWords() {
    m_checker.ForgetIgnoredWords();
    m_highlighter.RecheckAll();
}
