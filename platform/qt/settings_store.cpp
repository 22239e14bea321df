#include "platform/qt/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString g_overrideFile;

QString Key(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}

QString WithSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

CSettingsStore::CSettingsStore(const QString& organisation, const QString& application)
    : m_settings(g_overrideFile.isEmpty()
                     ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                   organisation, application)
                     : std::make_unique<QSettings>(g_overrideFile, QSettings::IniFormat)) {}

CSettingsStore::~CSettingsStore() = default;

void CSettingsStore::SetLocationOverride(const QString& iniFile) {
    g_overrideFile = iniFile;
}

std::string CSettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                             const std::string& lpszDefault) const {
    const QVariant value = m_settings->value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : lpszDefault;
}

bool CSettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                        const std::string& value) {
    m_settings->setValue(Key(section, entry), QString::fromStdString(value));
    return Sync();
}

int CSettingsStore::GetProfileInt(const std::string& section, const std::string& entry,
                                  int nDefault) const {
    bool ok = false;
    const int value = m_settings->value(Key(section, entry)).toInt(&ok);
    return ok ? value : nDefault;
}

bool CSettingsStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                     int value) {
    m_settings->setValue(Key(section, entry), value);
    return Sync();
}

void CSettingsStore::RemoveProfileEntry(const std::string& section, const std::string& entry) {
    m_settings->remove(Key(section, entry));
    Sync();
}

bool CSettingsStore::Sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString CSettingsStore::FileName() const {
    return m_settings->fileName();
}

std::string CSettingsStore::DefaultCharacterPath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return WithSlash(data + QStringLiteral("/Parlino/Characters")).toStdString();
}

std::string CSettingsStore::DefaultCurrentPath() {
    return WithSlash(QDir::homePath()).toStdString();
}
