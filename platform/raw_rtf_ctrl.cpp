#include "platform/raw_rtf_ctrl.h"

#include <algorithm>
#include <vector>

LRESULT CRawRtfCtrl::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* es = reinterpret_cast<EDITSTREAM*>(lParam);
    if (es == nullptr || es->pfnCallback == nullptr)
        return 0;
    if (message == EM_STREAMOUT && wParam == SF_RTF) {
        // The control hands out copies, so a callback that writes into its chunk cannot change
        // what the control holds.
        std::vector<BYTE> chunk;
        std::size_t pos = 0;
        LRESULT total = 0;
        while (pos < m_rtf.size()) {
            const std::size_t n =
                std::min<std::size_t>(static_cast<std::size_t>(m_chunkSize), m_rtf.size() - pos);
            chunk.assign(m_rtf.begin() + static_cast<std::ptrdiff_t>(pos),
                         m_rtf.begin() + static_cast<std::ptrdiff_t>(pos + n));
            LONG taken = 0;
            es->dwError = es->pfnCallback(es->dwCookie, chunk.data(), static_cast<LONG>(n), &taken);
            if (es->dwError != 0 || taken <= 0)
                break;
            pos += static_cast<std::size_t>(std::min<LONG>(taken, static_cast<LONG>(n)));
            total += taken;
        }
        return total;
    }
    if (message == EM_STREAMIN && wParam == SF_RTF) {
        m_rtf.clear();
        std::vector<BYTE> chunk(static_cast<std::size_t>(m_chunkSize));
        for (;;) {
            LONG got = 0;
            es->dwError = es->pfnCallback(es->dwCookie, chunk.data(), m_chunkSize, &got);
            if (es->dwError != 0 || got <= 0)
                break;
            m_rtf.append(reinterpret_cast<const char*>(chunk.data()),
                         static_cast<std::size_t>(std::min(got, m_chunkSize)));
        }
        return static_cast<LRESULT>(m_rtf.size());
    }
    return 0;
}
