// The byte stream that a document serializes to or from: the framework opens the file, hands an
// archive to Serialize and commits what was stored only when the whole write succeeded.
#pragma once

#include <cstddef>
#include <string>

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // A storing archive appends to `buffer`; a loading archive reads `buffer` from its start.
    CArchive(Mode mode, std::string& buffer) : m_mode(mode), m_buffer(buffer) {}

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    void Write(const void* data, std::size_t count) {
        m_buffer.append(static_cast<const char*>(data), count);
    }

    // Copies up to `count` bytes; returns how many were left to read, 0 at the end.
    std::size_t Read(void* data, std::size_t count);

    std::string& Buffer() { return m_buffer; }
    std::size_t Position() const { return m_readPos; }

private:
    Mode m_mode;
    std::string& m_buffer;
    std::size_t m_readPos = 0;
};
