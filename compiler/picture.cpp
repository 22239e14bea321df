// Pictures into the page: the picture group's words and bytes, the natural size from the
// image's own header, the size the editor shows, and the IMG element with its data: address.
#include "compiler/picture.h"

#include "compiler/rtf_number.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace rtf {
namespace {

enum class Kind { None, Png, Jpeg };

struct Picture {
    Kind kind = Kind::None;
    std::string data;
    int goalWidth = 0, goalHeight = 0; // twips; 0 when the group states none
    int scaleX = 100, scaleY = 100;    // per cent
};

struct HexTable {
    std::array<signed char, 256> value{};
    constexpr HexTable() {
        for (auto& v : value)
            v = -1;
        for (int c = '0'; c <= '9'; ++c)
            value[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            value[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c)
            value[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'A' + 10);
    }
};
constexpr HexTable kHex;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reads the group as the editor's reader does: the last kind word decides the kind, bytes
// count only once a kind is known, hexadecimal digits pair up across blanks and line ends,
// \binN carries N raw bytes, and groups marked "\*" inside are skipped.
class PictureReader {
public:
    PictureReader(const char* begin, const char* end) : m_p(begin), m_end(end) {}

    Picture Read() {
        m_picture.data.reserve(static_cast<std::size_t>(m_end - m_p) / 2);
        int depth = 0;
        while (m_p < m_end) {
            const char c = *m_p;
            if (c == '\\') {
                Backslash();
            } else if (c == '{') {
                ++m_p;
                if (m_end - m_p >= 2 && m_p[0] == '\\' && m_p[1] == '*')
                    SkipGroup();
                else
                    ++depth;
            } else if (c == '}') {
                ++m_p;
                if (--depth < 0)
                    break;
            } else {
                const char* q = m_p;
                while (q < m_end && *q != '\\' && *q != '{' && *q != '}')
                    ++q;
                HexText(m_p, q);
                m_p = q;
            }
        }
        return std::move(m_picture);
    }

private:
    void HexText(const char* p, const char* q) {
        if (m_picture.kind == Kind::None)
            return;
        std::string& out = m_picture.data;
        for (; p < q; ++p) {
            const int v = kHex.value[static_cast<unsigned char>(*p)];
            if (v < 0)
                continue;
            if (m_nibble < 0) {
                m_nibble = v;
            } else {
                out.push_back(static_cast<char>(m_nibble << 4 | v));
                m_nibble = -1;
            }
        }
    }

    void Backslash() {
        const char* w = m_p + 1;
        if (w >= m_end) {
            m_p = m_end;
            return;
        }
        if (!IsLetter(*w)) {
            if (*w == '\'' && m_end - w >= 3) {
                // A byte written as an escape counts as the character it stands for.
                const int hi = kHex.value[static_cast<unsigned char>(w[1])];
                const int lo = kHex.value[static_cast<unsigned char>(w[2])];
                if (hi >= 0 && lo >= 0) {
                    const char byte = static_cast<char>(hi << 4 | lo);
                    HexText(&byte, &byte + 1);
                    m_p = w + 3;
                    return;
                }
            }
            m_p = w + 1;
            return;
        }
        const char* e = w;
        while (e < m_end && IsLetter(*e))
            ++e;
        const std::string_view word(w, static_cast<std::size_t>(e - w));
        const char* numberStart = e;
        if (e < m_end && *e == '-')
            ++e;
        const char* digits = e;
        while (e < m_end && *e >= '0' && *e <= '9')
            ++e;
        const bool hasNumber = e > digits;
        if (!hasNumber)
            e = numberStart;
        const int n = ReadNumber(numberStart, e);
        if (e < m_end && *e == ' ')
            ++e;
        m_p = e;
        Word(word, n, hasNumber);
    }

    void Word(std::string_view word, int n, bool hasNumber) {
        if (word == "pngblip")
            m_picture.kind = Kind::Png;
        else if (word == "jpegblip")
            m_picture.kind = Kind::Jpeg;
        else if (word == "emfblip" || word == "wmetafile" || word == "dibitmap" ||
                 word == "wbitmap" || word == "macpict" || word == "pmmetafile")
            m_picture.kind = Kind::None;
        else if (word == "picwgoal")
            m_picture.goalWidth = n;
        else if (word == "pichgoal")
            m_picture.goalHeight = n;
        else if (word == "picscalex")
            m_picture.scaleX = n;
        else if (word == "picscaley")
            m_picture.scaleY = n;
        else if (word == "bin" && hasNumber && n > 0) {
            const std::size_t count =
                std::min(static_cast<std::size_t>(n), static_cast<std::size_t>(m_end - m_p));
            if (m_picture.kind != Kind::None)
                m_picture.data.append(m_p, count);
            m_p += count;
        }
    }

    // Skips to the brace that closes the group opened just before m_p.
    void SkipGroup() {
        int depth = 1;
        while (m_p < m_end) {
            const char c = *m_p++;
            if (c == '\\') {
                if (m_p < m_end)
                    ++m_p;
            } else if (c == '{') {
                ++depth;
            } else if (c == '}' && --depth == 0) {
                return;
            }
        }
    }

    const char* m_p;
    const char* m_end;
    Picture m_picture;
    int m_nibble = -1;
};

std::uint32_t BigEndian(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// The picture's size in pixels from its own header; false when the bytes are no image of
// their kind.
bool NaturalSize(const Picture& picture, long long& width, long long& height) {
    const auto* p = reinterpret_cast<const unsigned char*>(picture.data.data());
    const std::size_t n = picture.data.size();
    if (picture.kind == Kind::Png) {
        static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        if (n < 24 || std::memcmp(p, kSignature, 8) != 0 || std::memcmp(p + 12, "IHDR", 4) != 0)
            return false;
        width = BigEndian(p + 16, 4);
        height = BigEndian(p + 20, 4);
        return width > 0 && height > 0 && width <= INT32_MAX && height <= INT32_MAX;
    }
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    std::size_t i = 2;
    while (i + 4 <= n) {
        if (p[i] != 0xFF)
            return false;
        const unsigned char marker = p[i + 1];
        if (marker == 0xFF) {
            ++i; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return false; // the image data or its end before any frame header
        const std::size_t length = BigEndian(p + i + 2, 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > n)
                return false;
            height = BigEndian(p + i + 5, 2);
            width = BigEndian(p + i + 7, 2);
            return width > 0 && height > 0;
        }
        if (length < 2)
            return false;
        i += 2 + length;
    }
    return false;
}

// The size in twips at which the editor shows the picture: the stated goal (or the natural
// size at 15 twips a pixel) times the scale, as the editor's reader computes it.
long long ShownTwips(int goal, long long pixels, int scale) {
    // Kept below 2^31, so that times a scale below 2^31 it stays within 64 bits.
    const long long twips = std::min(goal > 0 ? goal : std::min(pixels, 1LL << 31) * 15, 1LL << 31);
    return std::clamp((twips * std::max(scale, 1) + 50) / 100, 1LL, 1000000LL);
}

// Pixels of the page (96 to the inch, 15 twips each), never less than one.
long long PagePixels(long long twips) {
    return std::max(1LL, (twips + 7) / 15);
}

void AppendBase64(const std::string& data, std::string& out) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t n = data.size();
    const std::size_t at = out.size();
    out.resize(at + (n + 2) / 3 * 4);
    char* o = &out[at];
    std::size_t i = 0;
    for (; i + 3 <= n; i += 3) {
        const std::uint32_t v = static_cast<std::uint32_t>(p[i]) << 16 |
                                static_cast<std::uint32_t>(p[i + 1]) << 8 | p[i + 2];
        *o++ = kAlphabet[v >> 18];
        *o++ = kAlphabet[(v >> 12) & 63];
        *o++ = kAlphabet[(v >> 6) & 63];
        *o++ = kAlphabet[v & 63];
    }
    if (i < n) {
        std::uint32_t v = static_cast<std::uint32_t>(p[i]) << 16;
        if (i + 1 < n)
            v |= static_cast<std::uint32_t>(p[i + 1]) << 8;
        *o++ = kAlphabet[v >> 18];
        *o++ = kAlphabet[(v >> 12) & 63];
        *o++ = i + 1 < n ? kAlphabet[(v >> 6) & 63] : '=';
        *o++ = '=';
    }
}

} // namespace

bool AppendPicture(const char* begin, const char* end, std::string& html) {
    const Picture picture = PictureReader(begin, end).Read();
    if (picture.kind == Kind::None || picture.data.empty())
        return false;
    long long width = 0;
    long long height = 0;
    if (!NaturalSize(picture, width, height))
        return false;
    const long long shownWidth = PagePixels(ShownTwips(picture.goalWidth, width, picture.scaleX));
    const long long shownHeight =
        PagePixels(ShownTwips(picture.goalHeight, height, picture.scaleY));
    // Only digits and the base64 alphabet go between the quotes.
    html.reserve(html.size() + picture.data.size() / 3 * 4 + 96);
    html += "<IMG WIDTH=\"";
    html += std::to_string(shownWidth);
    html += "\" HEIGHT=\"";
    html += std::to_string(shownHeight);
    html += picture.kind == Kind::Png ? "\" SRC=\"data:image/png;base64,"
                                      : "\" SRC=\"data:image/jpeg;base64,";
    AppendBase64(picture.data, html);
    html += "\">";
    return true;
}

} // namespace rtf
