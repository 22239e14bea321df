#include "platform/qt/file_dialog.h"

#include "platform/afx_ids.h"
#include "platform/file_path.h"
#include "platform/qt/message_box.h"
#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The type's name as Qt's dialog shows and parses it: "Name (*.a *.b)".
QString QtFilter(const CFileDialog::FileType& type) {
    QString patterns = QString::fromStdString(type.patterns);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString name = ParlTr(type.name);
    const QString suffix = QStringLiteral(" (") + patterns + QLatin1Char(')');
    return name.endsWith(suffix) ? name : name + suffix;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, QWidget* pParentWnd)
    : m_bOpen(bOpenFileDialog != FALSE), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFileName(lpszFileName ? lpszFileName : ""),
      m_types(ParseFilter(lpszFilter ? lpszFilter : "")), m_pParent(pParentWnd) {
    m_ofn.Flags = dwFlags;
}

std::vector<CFileDialog::FileType> CFileDialog::ParseFilter(const std::string& filter) {
    std::vector<FileType> types;
    std::size_t pos = 0;
    while (pos < filter.size()) {
        const auto bar1 = filter.find('|', pos);
        if (bar1 == std::string::npos || bar1 == pos)
            break;
        auto bar2 = filter.find('|', bar1 + 1);
        if (bar2 == std::string::npos)
            bar2 = filter.size();
        types.push_back({filter.substr(pos, bar1 - pos), filter.substr(bar1 + 1, bar2 - bar1 - 1)});
        pos = bar2 + 1;
    }
    return types;
}

std::string CFileDialog::ApplyDefaultExtension(const std::string& path, const std::string& patterns,
                                               const std::string& defExt) {
    if (defExt.empty() || PathFileName(path).empty() || !PathExtension(path).empty())
        return path;
    std::string ext = defExt;
    const std::string first = patterns.substr(0, patterns.find(';'));
    if (first.size() > 2 && first.compare(0, 2, "*.") == 0 &&
        first.find_first_of("*?", 2) == std::string::npos)
        ext = first.substr(2);
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    return path + "." + ext;
}

int CFileDialog::DoModal() {
    std::string proposal = m_strFileName;
    for (;;) {
        QFileDialog dialog(m_pParent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, through the seam
        dialog.setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_bOpen && (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                        : QFileDialog::AnyFile);
        dialog.setWindowTitle(!m_ofn.lpstrTitle.empty() ? ParlTr(m_ofn.lpstrTitle)
                              : m_bOpen                 ? ParlTr("Open")
                                                        : ParlTr("Save As"));
        QStringList filters;
        for (const FileType& type : m_types)
            filters << QtFilter(type);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = static_cast<int>(m_ofn.nFilterIndex);
            dialog.selectNameFilter(filters.value(index >= 1 ? index - 1 : 0, filters.front()));
        }
        const std::string folder = !PathFolder(proposal).empty() ? PathFolder(proposal)
                                   : !m_ofn.lpstrInitialDir.empty()
                                       ? m_ofn.lpstrInitialDir
                                       : QDir::currentPath().toStdString();
        dialog.setDirectory(QString::fromStdString(folder));
        if (!PathFileName(proposal).empty())
            dialog.selectFile(QString::fromStdString(PathFileName(proposal)));

        if (CModalSeam::Exec(dialog) != QDialog::Accepted)
            return IDCANCEL;
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty())
            return IDCANCEL;
        const int typeIndex = filters.indexOf(dialog.selectedNameFilter());
        if (typeIndex >= 0)
            m_ofn.nFilterIndex = static_cast<DWORD>(typeIndex + 1);
        const std::string patterns =
            typeIndex >= 0 ? m_types[static_cast<std::size_t>(typeIndex)].patterns : "";
        std::string path = ApplyDefaultExtension(
            QFileInfo(chosen.front()).absoluteFilePath().toStdString(), patterns, m_strDefExt);
        proposal = path;

        const QFileInfo info(QString::fromStdString(path));
        if (m_bOpen && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !info.exists()) {
            AfxMessageBox(
                ParlTrArgs("%1\nFile not found.\nCheck the file name and try again.", {path}),
                MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (!m_bOpen && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && info.exists() &&
            AfxMessageBox(ParlTrArgs("%1 already exists.\nDo you want to replace it?", {path}),
                          MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            continue;
        m_strPathName = path;
        if (!(m_ofn.Flags & OFN_NOCHANGEDIR))
            QDir::setCurrent(QString::fromStdString(PathFolder(path)));
        return IDOK;
    }
}

std::string CFileDialog::GetFileName() const {
    return PathFileName(m_strPathName);
}

std::string CFileDialog::GetFileExt() const {
    return PathExtension(m_strPathName);
}

std::string CFileDialog::GetFileTitle() const {
    return PathFileTitle(m_strPathName);
}
