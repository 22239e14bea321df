// The framework's open and save dialogs, on Qt's own file dialog, run through the modal seam.
//
//     CFileDialog dlg(FALSE, "plp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
//                     "Parlino Project files|*.plp|Html Email files|*.htm||");
//     dlg.m_ofn.lpstrTitle = "Save as an email or a project?";
//     dlg.m_ofn.lpstrInitialDir = folder;
//     if (dlg.DoModal() == IDOK) path = dlg.GetPathName();
//
// The filter lists names and patterns separated by '|' (several patterns of one type by ';').
// With a default extension, a name typed without an extension receives the extension of the
// selected type ("*.htm" gives ".htm"), or the default one when the type has none of its own.
// A save with OFN_OVERWRITEPROMPT asks before replacing a file and shows the dialog again on
// No. Unless OFN_NOCHANGEDIR, the current folder moves to the folder of the chosen file.
#pragma once

#include "platform/richedit.h"

#include <string>
#include <utility>
#include <vector>

class QWidget;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAME {
    std::string lpstrTitle;      // empty: "Open" or "Save As"
    std::string lpstrInitialDir; // used when the proposed name has no folder of its own
    DWORD nFilterIndex = 1;      // 1-based; after OK, the type chosen
    DWORD Flags = 0;
};

class CFileDialog {
public:
    struct FileType {
        std::string name;
        std::string patterns; // "*.plp" or "*.htm;*.html"
    };

    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                         const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* lpszFilter = nullptr, QWidget* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    int DoModal();

    std::string GetPathName() const { return m_strPathName; }
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;

    OPENFILENAME m_ofn;

    // "Name|*.a|Other|*.b;*.c||" as its list of types.
    static std::vector<FileType> ParseFilter(const std::string& filter);
    // `path` with the extension that a name typed without one receives (see above).
    static std::string ApplyDefaultExtension(const std::string& path, const std::string& patterns,
                                             const std::string& defExt);

private:
    bool m_bOpen;
    std::string m_strDefExt;
    std::string m_strFileName; // proposed
    std::vector<FileType> m_types;
    QWidget* m_pParent;
    std::string m_strPathName; // chosen
};
