// The program's settings: organisation "Vantroy", application "Parl", as the framework's
// profile. Every key the program uses is named here.
//
//     CSettingsStore store;
//     std::string folder = store.GetProfileString(CSettingsStore::kSection,
//                                                 CSettingsStore::kCurrentPath, "");
//
// Tests point every store at a file of their own with SetLocationOverride.
#pragma once

#include <QString>
#include <memory>
#include <string>

class QSettings;

class CSettingsStore {
public:
    static constexpr const char* kOrganisation = "Vantroy";
    static constexpr const char* kApplication = "Parl";
    static constexpr const char* kSection = "Settings";
    static constexpr const char* kCharacterPath = "Character Path";
    static constexpr const char* kCurrentPath = "Current Path";
    static constexpr const char* kRecentFileSection = "Recent File List";
    static constexpr const char* kRecentFileEntry = "File%1";             // File1, File2, ...
    static constexpr const char* kCheckSpelling = "Check Spelling";       // 1 on, 0 off
    static constexpr const char* kSpellingLanguage = "Spelling Language"; // "en_US"

    explicit CSettingsStore(const QString& organisation = QString::fromLatin1(kOrganisation),
                            const QString& application = QString::fromLatin1(kApplication));
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    // An INI file that every store made afterwards uses instead of the user's settings; an
    // empty name ends the override.
    static void SetLocationOverride(const QString& iniFile);

    // `lpszDefault` when the entry is absent.
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& lpszDefault = {}) const;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);
    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    void RemoveProfileEntry(const std::string& section, const std::string& entry);
    bool Sync();

    QString FileName() const;

    // The folders written at first start: the user's data folder for characters and the home
    // folder, both absolute and ending in '/'.
    static std::string DefaultCharacterPath();
    static std::string DefaultCurrentPath();

private:
    std::unique_ptr<QSettings> m_settings;
};
