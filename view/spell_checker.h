// The spelling of single words, on Hunspell with the dictionaries the system has installed,
// together with the user's own word list and the words ignored in the open message.
//
//     CSpellChecker checker;
//     std::vector<CDictionaryInfo> found = CSpellChecker::FindDictionaries();
//     if (!found.empty() && checker.Load(found.front()))
//         bool ok = checker.IsCorrect(QStringLiteral("hello"));
//
// Hunspell reads a dictionary in the encoding its affix file names (SET): words go to it and
// suggestions come back in that encoding. A loaded dictionary is kept for the rest of the run
// and shared, since reading one takes a noticeable moment.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class Hunspell;

// One installed dictionary: "en_US" with its affix and word files.
struct CDictionaryInfo {
    QString code;
    QString name; // the language's name, as the Spelling menu shows it
    QString affPath;
    QString dicPath;
};

class CSpellChecker {
public:
    CSpellChecker();
    ~CSpellChecker();
    CSpellChecker(const CSpellChecker&) = delete;
    CSpellChecker& operator=(const CSpellChecker&) = delete;

    // The folders looked in: those of the DICPATH variable (separated by ':') when it is set,
    // as Hunspell's own tools do, else the system's dictionary folders.
    static QStringList SearchFolders();
    // The dictionaries of the search folders, one per language code (the first folder wins),
    // sorted by name.
    static std::vector<CDictionaryInfo> FindDictionaries();
    // "English (United States)" for "en_US"; the code itself when it names no language.
    static QString LanguageName(const QString& code);

    // False, with nothing loaded, when the dictionary cannot be read.
    bool Load(const CDictionaryInfo& dictionary);
    // Reads `dictionary` when a word is first checked, so that starting the program does not
    // wait for it.
    void LoadLater(const CDictionaryInfo& dictionary);
    // True when a dictionary is loaded and none waits to be read.
    bool IsReady() const { return m_hunspell != nullptr && !m_pending; }
    // The language code of the dictionary loaded or waiting; empty when there is none.
    QString Language() const { return m_pending ? m_pending->code : m_strLanguage; }

    // True for a word of the dictionary, of the user's list or ignored; true for every word
    // while no dictionary is loaded.
    bool IsCorrect(const QString& word);
    // At most `nMax` spellings the dictionary offers instead of `word`.
    QStringList Suggestions(const QString& word, int nMax = 5);

    // The user's own words: one a line, in UTF-8, in the user's data folder, shared by every
    // message and every language.
    static QString PersonalListPath();
    // The most the list of added words may hold, in bytes.
    static constexpr qint64 kMaxPersonalListBytes = 4 * 1024 * 1024;
    // Something other than a list of words at PersonalListPath() (a link, a FIFO, a device, a
    // file over the size) is moved into "Damaged" beside it; its new path, else empty (when the
    // list is sound or nothing is there, or it could not be moved: it is then left unread).
    static QString SetAsidePlantedList();
    // Adds `word` to the list and to its file; false when the file cannot be written (the word
    // is accepted for this run all the same).
    bool AddToPersonalList(const QString& word);
    // Accepts `word` until ForgetIgnoredWords.
    void Ignore(const QString& word);
    void ForgetIgnoredWords();

private:
    void ReadPersonalList();
    void LoadPending();
    std::string ToDictionary(const QString& word, bool* ok) const;
    QString FromDictionary(const std::string& word) const;

    std::shared_ptr<Hunspell> m_hunspell;
    std::optional<CDictionaryInfo> m_pending;
    QString m_strLanguage;
    QString m_strEncoding; // the dictionary's SET, "UTF-8" or an 8-bit one such as "ISO8859-1"
    QHash<QString, bool> m_cache;
    QSet<QString> m_personal;
    QSet<QString> m_ignored;
};
