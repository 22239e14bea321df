#include "framework_fixture.h"

LRESULT CFakeRichEdit::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* es = reinterpret_cast<EDITSTREAM*>(lParam);
    switch (message) {
    case EM_GETMODIFY:
        return m_modified ? 1 : 0;
    case EM_SETMODIFY:
        m_modified = wParam != 0;
        return 0;
    case EM_STREAMOUT: {
        LONG taken = 0;
        std::string copy = m_text;
        es->dwError = es->pfnCallback(es->dwCookie, reinterpret_cast<BYTE*>(copy.data()),
                                      static_cast<LONG>(copy.size()), &taken);
        return taken;
    }
    case EM_STREAMIN: {
        m_text.clear();
        BYTE chunk[7];
        for (LONG got = 1; got > 0;) {
            got = 0;
            es->dwError = es->pfnCallback(es->dwCookie, chunk, sizeof chunk, &got);
            m_text.append(reinterpret_cast<const char*>(chunk), static_cast<std::size_t>(got));
        }
        m_modified = false;
        return static_cast<LRESULT>(m_text.size());
    }
    default:
        return 0;
    }
}

FrameworkTest::FrameworkTest() : m_oldCurrent(QDir::currentPath()) {
    CSettingsStore::SetLocationOverride(m_tmp.filePath(QStringLiteral("settings.ini")));
    m_app = std::make_unique<CWinApp>("Parl");
    m_app->SetRegistryKey(CSettingsStore::kOrganisation);
    m_app->LoadStdProfileSettings(4);
}

FrameworkTest::~FrameworkTest() {
    m_app.reset();
    CSettingsStore::SetLocationOverride(QString());
    QDir::setCurrent(m_oldCurrent);
}

std::string FrameworkTest::ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll().toStdString();
}

void FrameworkTest::WriteFile(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
