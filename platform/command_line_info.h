// What the command line asks of the program at start: a new document, a file to open, or to
// print one. Arguments starting with '-' are flags; the first other argument names the file.
#pragma once

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing };

    // Takes one argument; `bFlag` when it began with '-' (given here without it).
    void ParseParam(const std::string& param, bool bFlag, bool bLast);
    // Takes every argument after the program's name.
    void ParseArguments(const std::vector<std::string>& arguments);

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    bool m_bShowSplash = true;
};
