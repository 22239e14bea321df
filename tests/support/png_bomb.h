// A PNG that is small on disk and huge once decoded: every pixel transparent black, RGBA, so a
// decoder needs four bytes a pixel. The zlib stream is written by hand (one block of fixed codes:
// a zero, then copies of 258 zeros at distance 1), about 13 bits for every 258 bytes, so that
// making it costs no more than the file it gives.
#pragma once

#include <cstdint>
#include <string>

namespace png_bomb {

inline std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void BigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

inline void Chunk(std::string& out, const char* type, const std::string& data) {
    BigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out += type;
    out += data;
    BigEndian(out, Crc32(out, start));
}

class BitWriter {
public:
    // `count` bits of `value`, lowest first (header fields).
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1u);
    }
    // A Huffman code of `length` bits, highest first.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1u);
    }
    std::string Finish() {
        if (m_used > 0)
            m_out += static_cast<char>(m_byte);
        return m_out;
    }

private:
    void Bit(std::uint32_t bit) {
        m_byte |= static_cast<unsigned>(bit) << m_used;
        if (++m_used == 8) {
            m_out += static_cast<char>(m_byte);
            m_byte = 0;
            m_used = 0;
        }
    }
    std::string m_out;
    unsigned m_byte = 0;
    int m_used = 0;
};

// A zlib stream of `n` zero bytes.
inline std::string Zeros(std::uint64_t n) {
    BitWriter bits;
    bits.Bits(1, 1); // the last block
    bits.Bits(1, 2); // fixed codes
    std::uint64_t written = 0;
    if (n > 0) {
        bits.Code(0x30, 8); // the literal 0
        ++written;
    }
    while (n - written >= 258) {
        bits.Code(0xC5, 8); // length 258
        bits.Code(0, 5);    // distance 1
        written += 258;
    }
    while (written < n) {
        bits.Code(0x30, 8);
        ++written;
    }
    bits.Code(0, 7); // end of block
    std::string out = "\x78\x01";
    out += bits.Finish();
    // Adler-32 of zeros: the first sum stays 1, the second adds 1 for each byte.
    BigEndian(out, static_cast<std::uint32_t>((n % 65521) << 16 | 1));
    return out;
}

inline std::string Make(std::uint32_t width, std::uint32_t height) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    BigEndian(header, width);
    BigEndian(header, height);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, filter 0, plain
    Chunk(png, "IHDR", header);
    // Each row: its filter byte (0) and four zero bytes a pixel.
    Chunk(png, "IDAT", Zeros(static_cast<std::uint64_t>(height) * (1 + 4ull * width)));
    Chunk(png, "IEND", std::string());
    return png;
}

} // namespace png_bomb
