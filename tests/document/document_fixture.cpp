#include "document_fixture.h"

#include "platform/qt/frame_wnd.h"
#include "platform/qt/single_doc_template.h"
#include "platform/resource_tables.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>
#include <cstring>

namespace {
constexpr UINT IDR_MAIN = 128;
}

void CTestParlView::ApplyDefaultFormats() {
    ++m_nDefaultFormatsApplied;
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    cf.yHeight = 240;
    cf.crTextColor = 0;
    std::strcpy(cf.szFaceName, "Arial");
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

DocumentTest::DocumentTest() : m_oldCurrent(QDir::currentPath()), m_oldPath(qgetenv("PATH")) {
    CSettingsStore::SetLocationOverride(m_tmp.filePath(QStringLiteral("settings.ini")));
    QDir(m_tmp.path()).mkdir(QStringLiteral("bin"));
    QDir(m_tmp.path()).mkdir(QStringLiteral("cwd"));
    QDir::setCurrent(m_tmp.filePath(QStringLiteral("cwd")));
    CResourceTables::App().Strings().Set(
        IDR_MAIN, "Parlino\n\nParlo\nParlino Project files (*.plp)\n.plp\nParlo.Project\n"
                  "Parlino Project");
    m_app = std::make_unique<CWinApp>("Parl");
    m_app->SetRegistryKey(CSettingsStore::kOrganisation);
    m_app->LoadStdProfileSettings(4);
    m_app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAIN, [] { return CParlDoc::CreateObject(); },
        [] { return std::make_unique<CFrameWnd>(); },
        [](CFrameWnd& frame, CDocument& doc) -> QWidget* {
            auto* view = new CTestParlView(&frame);
            static_cast<CRichEditDoc&>(doc).SetView(view);
            return view;
        }));
    m_app->OnFileNew();
}

DocumentTest::~DocumentTest() {
    m_app.reset();
    CResourceTables::App().Clear();
    CSettingsStore::SetLocationOverride(QString());
    QDir::setCurrent(m_oldCurrent);
    qputenv("PATH", m_oldPath);
}

void DocumentTest::Type(const std::string& text) {
    QTest::keyClicks(&View(), QString::fromStdString(text));
}

void DocumentTest::Format(LONG first, LONG last, COLORREF color, bool bold) {
    CHARRANGE range{first, last};
    View().SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    cf.dwEffects = bold ? CFE_BOLD : 0;
    cf.crTextColor = color;
    View().SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    range = {last, last};
    View().SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string DocumentTest::Text() {
    return View().toPlainText().toStdString();
}

void DocumentTest::SaveAs(const std::string& typed, int filter) {
    m_script.Push(CModalScript::ChooseFile(QString::fromStdString(typed), filter));
    Command(ID_FILE_SAVE_AS);
}

std::string DocumentTest::ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll().toStdString();
}

void DocumentTest::WriteFile(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string DocumentTest::Setting(const char* entry) {
    return m_app->GetProfileString(CSettingsStore::kSection, entry, "<absent>");
}

std::vector<std::string> DocumentTest::RecentFiles() {
    std::vector<std::string> files;
    const CRecentFileList& list = *m_app->GetRecentFileList();
    for (std::size_t i = 0; i < list.GetCount(); ++i)
        files.push_back(list[i]);
    return files;
}

void DocumentTest::InstallMailer() {
    const std::string script = PathOf("bin/xdg-email");
    // The log appears whole, by a rename, so a reader never sees half of it.
    WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + MailLog() + ".part' && mv '" +
                          MailLog() + ".part' '" + MailLog() + "'\n");
    QFile::setPermissions(QString::fromStdString(script),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("PATH", QByteArray::fromStdString(PathOf("bin")) + ":" + m_oldPath);
}

std::string DocumentTest::WaitForMail() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        if (QFile::exists(QString::fromStdString(MailLog())))
            return ReadFile(MailLog());
        QThread::msleep(20);
    }
    return "<nothing sent>";
}
