#include "view/spell_checker.h"

#include "platform/qt/file_io.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <algorithm>
#include <hunspell/hunspell.hxx>
#include <iconv.h>
#include <map>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Converts between UTF-8 and an 8-bit dictionary encoding; `ok` false when a character
// has no place in the target.
std::string Iconv(const std::string& text, const char* to, const char* from, bool* ok) {
    *ok = false;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string in = text;
    std::string out(text.size() * 4 + 8, '\0');
    char* pin = in.data();
    std::size_t inLeft = in.size();
    char* pout = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &pin, &inLeft, &pout, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        return {};
    out.resize(out.size() - outLeft);
    *ok = true;
    return out;
}

bool IsUtf8(const QString& encoding) {
    return encoding.isEmpty() || encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0;
}

// Dictionaries read so far, by file and version, kept for the rest of the run.
std::shared_ptr<Hunspell> OpenShared(const CDictionaryInfo& dictionary) {
    static std::map<QString, std::shared_ptr<Hunspell>> opened;
    const QFileInfo aff(dictionary.affPath);
    const QFileInfo dic(dictionary.dicPath);
    const QString key = aff.absoluteFilePath() + QLatin1Char('|') +
                        QString::number(aff.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|') +
                        QString::number(aff.size()) + QLatin1Char('|') + dic.absoluteFilePath() +
                        QLatin1Char('|') + QString::number(dic.lastModified().toMSecsSinceEpoch()) +
                        QLatin1Char('|') + QString::number(dic.size());
    if (auto it = opened.find(key); it != opened.end())
        return it->second;
    auto hunspell = std::make_shared<Hunspell>(QFile::encodeName(dictionary.affPath).constData(),
                                               QFile::encodeName(dictionary.dicPath).constData());
    opened.emplace(key, hunspell);
    return hunspell;
}

} // namespace

CSpellChecker::CSpellChecker() {
    ReadPersonalList();
}

CSpellChecker::~CSpellChecker() = default;

QStringList CSpellChecker::SearchFolders() {
    const QByteArray env = qgetenv("DICPATH");
    if (!env.isNull())
        return QString::fromLocal8Bit(env).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
            QStringLiteral("/usr/share/myspell/dicts")};
}

std::vector<CDictionaryInfo> CSpellChecker::FindDictionaries() {
    std::vector<CDictionaryInfo> found;
    QSet<QString> codes;
    for (const QString& folder : SearchFolders()) {
        const QDir dir(folder);
        const QStringList files =
            dir.entryList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& file : files) {
            const QString code = file.chopped(4);
            const QString aff = dir.filePath(code + QStringLiteral(".aff"));
            // Hyphenation and thesaurus files share the ending but have no affix file.
            if (codes.contains(code) || !QFileInfo(aff).isFile())
                continue;
            codes.insert(code);
            found.push_back({code, LanguageName(code), aff, dir.filePath(file)});
        }
    }
    std::sort(found.begin(), found.end(), [](const CDictionaryInfo& a, const CDictionaryInfo& b) {
        return a.name == b.name ? a.code < b.code : a.name < b.name;
    });
    // Two dictionaries of one language are told apart by their codes.
    for (std::size_t i = 0; i < found.size(); ++i) {
        const bool twin = (i > 0 && found[i - 1].name == found[i].name) ||
                          (i + 1 < found.size() && found[i + 1].name == found[i].name);
        if (twin && found[i].name != found[i].code)
            found[i].name += QStringLiteral(" [") + found[i].code + QLatin1Char(']');
    }
    return found;
}

QString CSpellChecker::LanguageName(const QString& code) {
    const QLocale locale(code);
    // Codes that name no language give the C locale.
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return code;
    QString name = QLocale::languageToString(locale.language());
    if (code.contains(QLatin1Char('_')) || code.contains(QLatin1Char('-')))
        name += QStringLiteral(" (") + QLocale::territoryToString(locale.territory()) +
                QLatin1Char(')');
    return name;
}

void CSpellChecker::LoadLater(const CDictionaryInfo& dictionary) {
    m_hunspell.reset();
    m_strLanguage.clear();
    m_cache.clear();
    m_pending = dictionary;
}

void CSpellChecker::LoadPending() {
    if (!m_pending)
        return;
    const CDictionaryInfo dictionary = *m_pending;
    Load(dictionary);
}

bool CSpellChecker::Load(const CDictionaryInfo& dictionary) {
    m_pending.reset();
    m_hunspell.reset();
    m_strLanguage.clear();
    m_cache.clear();
    if (!QFileInfo(dictionary.affPath).isReadable() || !QFileInfo(dictionary.dicPath).isReadable())
        return false;
    m_hunspell = OpenShared(dictionary);
    m_strEncoding = QString::fromStdString(m_hunspell->get_dict_encoding());
    m_strLanguage = dictionary.code;
    return true;
}

std::string CSpellChecker::ToDictionary(const QString& word, bool* ok) const {
    if (IsUtf8(m_strEncoding)) {
        *ok = true;
        return word.toStdString();
    }
    return Iconv(word.toStdString(), m_strEncoding.toLatin1().constData(), "UTF-8", ok);
}

QString CSpellChecker::FromDictionary(const std::string& word) const {
    if (IsUtf8(m_strEncoding))
        return QString::fromStdString(word);
    bool ok = false;
    const std::string utf8 = Iconv(word, "UTF-8", m_strEncoding.toLatin1().constData(), &ok);
    return ok ? QString::fromStdString(utf8) : QString();
}

bool CSpellChecker::IsCorrect(const QString& word) {
    LoadPending();
    // The program's own name is no misspelling in any language.
    if (m_hunspell == nullptr || m_personal.contains(word) || m_ignored.contains(word) ||
        word == QLatin1String("Parlino"))
        return true;
    if (auto it = m_cache.constFind(word); it != m_cache.constEnd())
        return *it;
    bool ok = false;
    const std::string bytes = ToDictionary(word, &ok);
    // A word with a letter the dictionary's encoding lacks cannot be one of its words.
    const bool correct = ok && m_hunspell->spell(bytes);
    m_cache.insert(word, correct);
    return correct;
}

QStringList CSpellChecker::Suggestions(const QString& word, int nMax) {
    QStringList result;
    LoadPending();
    if (m_hunspell == nullptr)
        return result;
    bool ok = false;
    const std::string bytes = ToDictionary(word, &ok);
    if (!ok)
        return result;
    for (const std::string& suggestion : m_hunspell->suggest(bytes)) {
        const QString text = FromDictionary(suggestion);
        if (!text.isEmpty() && !result.contains(text))
            result.append(text);
        if (result.size() >= nMax)
            break;
    }
    return result;
}

QString CSpellChecker::PersonalListPath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data + QStringLiteral("/Parlino/words.txt");
}

QString CSpellChecker::SetAsidePlantedList() {
    const QString path = PersonalListPath();
    if (!IsPlantedFile(path, kMaxPersonalListBytes))
        return QString();
    const QFileInfo info(path);
    QDir folder = info.dir();
    if (!folder.mkpath(QStringLiteral("Damaged")))
        return QString();
    QString target = folder.filePath(QStringLiteral("Damaged/") + info.fileName());
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        target += QLatin1Char('.') + QString::number(QDateTime::currentMSecsSinceEpoch());
    // The link or the FIFO itself moves, never what it points to.
    if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) != 0)
        return QString();
    return target;
}

void CSpellChecker::ReadPersonalList() {
    // Read only when it is a plain file of a sound size: nothing planted there can hang or
    // exhaust the program.
    QByteArray bytes;
    QString reason;
    if (!ReadPlainFile(PersonalListPath(), kMaxPersonalListBytes, bytes, reason))
        return;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty())
            m_personal.insert(word);
    }
}

bool CSpellChecker::AddToPersonalList(const QString& word) {
    if (word.isEmpty() || m_personal.contains(word))
        return true;
    m_personal.insert(word);
    const QString path = PersonalListPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Appended to a plain file only: never through a link, never blocking on a FIFO.
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size < kMaxPersonalListBytes;
    const QByteArray line = word.toUtf8() + '\n';
    if (ok) {
        ssize_t n = -1;
        do {
            n = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
        } while (n < 0 && errno == EINTR);
        ok = n == line.size();
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}

void CSpellChecker::Ignore(const QString& word) {
    m_ignored.insert(word);
}

void CSpellChecker::ForgetIgnoredWords() {
    m_ignored.clear();
}
