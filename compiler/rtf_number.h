// Numbers in RTF control words, read as atoi reads them: optional leading white space, an
// optional sign, decimal digits up to the first other byte, 0 when there are none. Values
// beyond the 32-bit range are clamped to it instead of overflowing.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

namespace rtf {

inline bool IsSpaceForAtoi(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline int ReadNumber(const char* p, const char* end) {
    while (p < end && IsSpaceForAtoi(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    while (p < end && *p >= '0' && *p <= '9') {
        if (value < limit)
            value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit;
        ++p;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace rtf
