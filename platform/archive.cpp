#include "platform/archive.h"

#include <algorithm>
#include <cstring>

std::size_t CArchive::Read(void* data, std::size_t count) {
    const std::size_t left = m_buffer.size() - std::min(m_readPos, m_buffer.size());
    const std::size_t n = std::min(count, left);
    if (n > 0) {
        std::memcpy(data, m_buffer.data() + m_readPos, n);
        m_readPos += n;
    }
    return n;
}
