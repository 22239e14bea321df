#include "platform/command_line_info.h"

#include <algorithm>
#include <cctype>

void CCommandLineInfo::ParseParam(const std::string& param, bool bFlag, bool) {
    if (bFlag) {
        std::string flag = param;
        std::transform(flag.begin(), flag.end(), flag.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (flag == "p" || flag == "print")
            m_nShellCommand = FilePrint;
        else if (flag == "pt")
            m_nShellCommand = FilePrintTo;
        else if (flag == "dde")
            m_nShellCommand = FileDDE;
        else if (flag == "nologo")
            m_bShowSplash = false;
        return;
    }
    if (m_strFileName.empty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.empty()) {
        m_strPrinterName = param;
    }
}

void CCommandLineInfo::ParseArguments(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const bool bFlag = arg.size() > 1 && arg[0] == '-';
        ParseParam(bFlag ? arg.substr(arg[1] == '-' ? 2 : 1) : arg, bFlag,
                   i + 1 == arguments.size());
    }
}
