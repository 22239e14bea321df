// The RTF tokenizer: one token per call, from group braces to \bin data, with no state
// beyond its position in the bytes.
#include "rtf/rtf_tokenizer.h"

#include <climits>

namespace {

// Bytes that end a run of text.
struct StopTable {
    bool stop[256] = {};
    constexpr StopTable() {
        stop[static_cast<unsigned char>('\\')] = true;
        stop[static_cast<unsigned char>('{')] = true;
        stop[static_cast<unsigned char>('}')] = true;
        stop[static_cast<unsigned char>('\r')] = true;
        stop[static_cast<unsigned char>('\n')] = true;
        stop[0] = true;
    }
};
constexpr StopTable kStops;

inline bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool CRtfTokenizer::Next(Token& token) {
    token.hasNumber = false;
    token.number = 0;
    for (;;) {
        if (m_p >= m_end) {
            token.type = Type::End;
            token.text = {};
            return false;
        }
        const char c = *m_p;
        if (c == '\r' || c == '\n' || c == '\0') {
            ++m_p;
            continue;
        }
        if (c == '{') {
            ++m_p;
            token.type = Type::GroupStart;
            return true;
        }
        if (c == '}') {
            ++m_p;
            token.type = Type::GroupEnd;
            return true;
        }
        if (c == '\\') {
            ReadControl(token);
            if (token.type == Type::End)
                return false;
            return true;
        }
        const char* start = m_p;
        while (m_p < m_end && !kStops.stop[static_cast<unsigned char>(*m_p)])
            ++m_p;
        token.type = Type::Text;
        token.text = std::string_view(start, static_cast<std::size_t>(m_p - start));
        return true;
    }
}

void CRtfTokenizer::ReadControl(Token& token) {
    ++m_p; // the backslash
    if (m_p >= m_end) {
        token.type = Type::End;
        return;
    }
    const char c = *m_p;
    if (!IsLetter(c)) {
        ++m_p;
        if (c == '\'') {
            // A broken escape gives the bytes it has; a missing digit counts as 0.
            int value = 0;
            for (int i = 0; i < 2 && m_p < m_end; ++i) {
                const int digit = HexValue(*m_p);
                if (digit < 0)
                    break;
                value = value * 16 + digit;
                ++m_p;
            }
            token.type = Type::HexByte;
            token.symbol = static_cast<unsigned char>(value);
            return;
        }
        token.type = Type::ControlSymbol;
        token.symbol = static_cast<unsigned char>(c == '\r' ? '\n' : c);
        return;
    }
    const char* start = m_p;
    while (m_p < m_end && IsLetter(*m_p))
        ++m_p;
    token.type = Type::ControlWord;
    token.text = std::string_view(start, static_cast<std::size_t>(m_p - start));
    if (m_p < m_end && (*m_p == '-' || IsDigit(*m_p))) {
        const bool negative = *m_p == '-';
        const char* digits = negative ? m_p + 1 : m_p;
        if (digits < m_end && IsDigit(*digits)) {
            long long value = 0;
            m_p = digits;
            while (m_p < m_end && IsDigit(*m_p)) {
                if (value <= INT_MAX)
                    value = value * 10 + (*m_p - '0');
                ++m_p;
            }
            if (negative)
                value = -value;
            if (value > INT_MAX)
                value = INT_MAX;
            if (value < INT_MIN)
                value = INT_MIN;
            token.number = static_cast<int>(value);
            token.hasNumber = true;
        }
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p; // the delimiting blank belongs to the word
    if (token.text == "bin" && token.hasNumber) {
        const std::size_t count = token.number > 0 ? static_cast<std::size_t>(token.number) : 0;
        const std::size_t n = count < Remaining() ? count : Remaining();
        token.type = Type::Binary;
        token.text = std::string_view(m_p, n);
        m_p += n;
    }
}

void CRtfTokenizer::SkipGroup() {
    std::size_t depth = 1;
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++depth;
            ++m_p;
        } else if (c == '}') {
            ++m_p;
            if (--depth == 0)
                return;
        } else if (c == '\\') {
            if (m_p + 1 < m_end && IsLetter(m_p[1])) {
                Token token;
                ReadControl(token); // reads \bin data whole
            } else {
                // An escaped brace or backslash is no group mark.
                m_p = m_end - m_p > 2 ? m_p + 2 : m_end;
            }
        } else {
            ++m_p;
        }
    }
}
