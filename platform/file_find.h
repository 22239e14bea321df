// A search of one folder for the files whose names match a wildcard pattern ("*" any run of
// characters, "?" one character). Names are matched without regard to letter case, as the file
// system the program was designed for does, so "*.acs" finds "Genie.ACS"; the names found keep
// their own case. Results come in name order (letter case ignored, ties in byte order).
//
// Use as the framework's finder: FindFile, then FindNextFile before each result, which returns
// FALSE when the result it just made current is the last one.
//     BOOL bWorking = finder.FindFile(folder + "*.acs");
//     while (bWorking) { bWorking = finder.FindNextFile(); use(finder.GetFileTitle()); }
#pragma once

#include "platform/richedit.h"

#include <string>
#include <vector>

class CFileFind {
public:
    // `pattern` is a folder followed by a wildcard name; without a '/', the current folder is
    // searched. Returns FALSE when nothing matches or the folder cannot be read.
    BOOL FindFile(const std::string& pattern = "*");
    BOOL FindNextFile();
    void Close();

    // Of the current result.
    std::string GetFileName() const;  // "Genie.acs"
    std::string GetFileTitle() const; // "Genie"
    std::string GetFilePath() const;  // the folder as given in the pattern, then the name
    std::string GetRoot() const { return m_folder; }
    BOOL IsDirectory() const;

    // True when `name` matches `pattern` by the rules above.
    static bool MatchesPattern(const std::string& pattern, const std::string& name);

private:
    struct Found {
        std::string name;
        bool directory = false;
    };
    std::string m_folder;
    std::vector<Found> m_found;
    std::size_t m_next = 0;    // index of the result FindNextFile makes current
    std::size_t m_current = 0; // valid once FindNextFile ran
    bool m_hasCurrent = false;
};
