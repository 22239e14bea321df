// The progress line of a long run on a terminal.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace cli {

// "N of M" on one line of a terminal, once the run has lasted a second.
class Progress {
public:
    Progress(std::ostream& err, bool enabled, std::size_t total)
        : m_err(err), m_enabled(enabled && total > 1), m_total(total),
          m_start(std::chrono::steady_clock::now()) {}

    void Done(std::size_t count) {
        if (!m_enabled)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_start < std::chrono::seconds(1) ||
            (m_shown && now - m_last < std::chrono::milliseconds(100) && count < m_total))
            return;
        m_last = now;
        m_err << "\rparlino: " << count << " of " << m_total << " files compiled" << std::flush;
        m_shown = true;
    }
    // Takes the line away before a message, or at the end.
    void Clear() {
        if (m_shown)
            m_err << "\r\033[K" << std::flush;
        m_shown = false;
    }

private:
    std::ostream& m_err;
    bool m_enabled;
    std::size_t m_total;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
    bool m_shown = false;
};

} // namespace cli
