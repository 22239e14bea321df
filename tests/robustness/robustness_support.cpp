#include "robustness_support.h"

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace robustness {

CRamDisk::CRamDisk(std::size_t bytes) {
    if (::geteuid() != 0) {
        m_why = "mounting a RAM disk needs root";
        return;
    }
    char folder[] = "/tmp/parl-ramdisk-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        m_why = std::string("no folder to mount on: ") + std::strerror(errno);
        return;
    }
    m_path = folder;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", folder, "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        m_why = std::string("mount failed: ") + std::strerror(errno);
        ::rmdir(folder);
        return;
    }
    m_mounted = true;
}

CRamDisk::~CRamDisk() {
    if (m_mounted && ::umount2(m_path.c_str(), 0) != 0)
        ::umount2(m_path.c_str(), MNT_DETACH);
    if (!m_path.empty())
        ::rmdir(m_path.c_str());
}

bool CRamDisk::SetReadOnly(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    return ::mount(nullptr, m_path.c_str(), nullptr, flags, nullptr) == 0;
}

bool CRamDisk::FillLeaving(std::size_t bytes) {
    const std::string filler = PathOf("filler");
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const std::string block(4096, 'x');
    off_t size = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.data(), block.size());
        if (n <= 0)
            break;
        size += n;
    }
    struct statvfs fs {};
    bool done = false;
    while (size > 0 && ::fstatvfs(fd, &fs) == 0) {
        if (static_cast<std::size_t>(fs.f_bavail) * fs.f_bsize >= bytes) {
            done = true;
            break;
        }
        size -= std::min<off_t>(size, static_cast<off_t>(fs.f_bsize));
        if (::ftruncate(fd, size) != 0)
            break;
    }
    ::close(fd);
    return done;
}

void CRamDisk::RemoveFiller() {
    ::unlink(PathOf("filler").c_str());
}

std::vector<std::string> CRamDisk::Names() const {
    std::vector<std::string> names;
    for (const QString& name :
         QDir(QString::fromStdString(m_path))
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System))
        names.push_back(name.toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

CTestApp::CTestApp() {
    CSettingsStore::SetLocationOverride(m_settings.filePath(QStringLiteral("settings.ini")));
    m_app = std::make_unique<CWinApp>("Parl");
    m_app->SetRegistryKey(CSettingsStore::kOrganisation);
}

CTestApp::~CTestApp() {
    m_app.reset();
    CSettingsStore::SetLocationOverride(QString());
}

void TypeAtEnd(IRichEditCtrl& ctrl, const char* text) {
    CHARRANGE all{0, -1};
    ctrl.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    ctrl.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARRANGE end{all.cpMax, all.cpMax};
    ctrl.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    ctrl.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<unreadable>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

} // namespace robustness
