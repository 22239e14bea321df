// A message file read as the raw RTF the control would stream out.
#pragma once

#include "app/page_target.h"
#include "platform/rich_edit_doc.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

// A message file opened for reading: a regular file, never a device or a pipe, which would
// never end or never begin.
class InputFile {
public:
    InputFile() = default;
    ~InputFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Non-blocking, so that opening a pipe with no writer returns at once to be refused.
    bool Open(const std::string& path, std::string& error) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0) {
            error = Reason(errno);
            return false;
        }
        if (::fstat(m_fd, &m_st) != 0) {
            error = Reason(errno);
            return false;
        }
        if (S_ISDIR(m_st.st_mode)) {
            error = Reason(EISDIR);
            return false;
        }
        if (!S_ISREG(m_st.st_mode)) {
            error = "it is not a regular file (a device, a pipe or a socket)";
            return false;
        }
        return true;
    }

    int Fd() const { return m_fd; }
    std::size_t Size() const { return static_cast<std::size_t>(m_st.st_size); }
    FileId Id() const { return {m_st.st_dev, m_st.st_ino}; }

private:
    int m_fd = -1;
    struct stat m_st {};
};

// The raw message as the control would stream it out: the file's bytes, read once, straight
// from the file into the compile's own RTF buffer in large chunks.
class FileRtfCtrl : public IRichEditCtrl, public IRichEditView {
public:
    FileRtfCtrl(int fd, std::size_t size) : m_fd(fd), m_size(size) {}

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        auto* es = reinterpret_cast<EDITSTREAM*>(lParam);
        if (message != EM_STREAMOUT || wParam != SF_RTF || es == nullptr ||
            es->pfnCallback == nullptr)
            return 0;
        // Big enough for the whole of a small file and its end in one read; left uninitialised,
        // since every byte handed on is read first.
        const std::size_t kChunk = std::min<std::size_t>(m_size + 1, 1 << 20);
        std::unique_ptr<BYTE[]> chunk(new BYTE[kChunk]);
        LRESULT total = 0;
        for (;;) {
            const ssize_t n = ::read(m_fd, chunk.get(), kChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_error = Reason(errno);
                break;
            }
            if (n == 0)
                break;
            LONG taken = 0;
            es->dwError = es->pfnCallback(es->dwCookie, chunk.get(), static_cast<LONG>(n), &taken);
            if (es->dwError != 0 || taken != n)
                break;
            total += n;
        }
        return total;
    }
    IRichEditCtrl& GetRichEditCtrl() override { return *this; }

    const std::string& Error() const { return m_error; }

private:
    int m_fd;
    std::size_t m_size;
    std::string m_error;
};

} // namespace cli
