// Decoding and encoding of RTF text in its 8-bit code pages: Windows-1252 from a table of our
// own, every other code page through one iconv converter each, kept for the run.
#include "rtf/rtf_codepage.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// Names under which the C library may know a Windows code page; the first that opens wins.
iconv_t OpenConverter(int codePage) {
    char name[32];
    const char* candidates[4] = {name, nullptr, nullptr, nullptr};
    std::snprintf(name, sizeof name, "CP%d", codePage);
    switch (codePage) {
    case 874:
        candidates[1] = "WINDOWS-874";
        candidates[2] = "TIS-620";
        break;
    case 936:
        candidates[1] = "GBK";
        break;
    case 949:
        candidates[1] = "UHC";
        break;
    case 950:
        candidates[1] = "BIG5";
        break;
    case 10000:
        candidates[0] = "MACINTOSH";
        break;
    case 437:
        candidates[1] = "IBM437";
        break;
    case 850:
        candidates[1] = "IBM850";
        break;
    default:
        break;
    }
    for (const char* candidate : candidates) {
        if (candidate == nullptr)
            continue;
        iconv_t cd = iconv_open("UTF-16LE", candidate);
        if (cd != kNoIconv)
            return cd;
    }
    return kNoIconv;
}

} // namespace

// 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252; like the system's own
// conversion they map to the C1 controls of the same number, so that every byte comes back.
const char16_t CRtfCodePage::kCp1252[256] = {
    0x0000, 0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0006, 0x0007, 0x0008, 0x0009, 0x000A, 0x000B,
    0x000C, 0x000D, 0x000E, 0x000F, 0x0010, 0x0011, 0x0012, 0x0013, 0x0014, 0x0015, 0x0016, 0x0017,
    0x0018, 0x0019, 0x001A, 0x001B, 0x001C, 0x001D, 0x001E, 0x001F, 0x0020, 0x0021, 0x0022, 0x0023,
    0x0024, 0x0025, 0x0026, 0x0027, 0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F, 0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F, 0x0050, 0x0051, 0x0052, 0x0053,
    0x0054, 0x0055, 0x0056, 0x0057, 0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067, 0x0068, 0x0069, 0x006A, 0x006B,
    0x006C, 0x006D, 0x006E, 0x006F, 0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x007F, 0x20AC, 0x0081, 0x201A, 0x0192,
    0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB,
    0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3,
    0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB,
    0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

CRtfCodePage::CRtfCodePage(int codePage) : m_codePage(1252) {
    if (codePage == 1252 || codePage <= 0)
        return;
    iconv_t cd = OpenConverter(codePage);
    if (cd == kNoIconv)
        return;
    m_iconv = cd;
    m_codePage = codePage;
}

CRtfCodePage::~CRtfCodePage() {
    if (m_iconv != nullptr)
        iconv_close(static_cast<iconv_t>(m_iconv));
}

int CRtfCodePage::UnicodeToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    if (unit == 0x81 || unit == 0x8D || unit == 0x8F || unit == 0x90 || unit == 0x9D)
        return unit;
    if (unit < 0x100)
        return -1;
    for (int b = 0x80; b < 0xA0; ++b) {
        if (kCp1252[b] == unit)
            return b;
    }
    return -1;
}

int CRtfCodePage::FromCharSet(int charSet, int documentCodePage) {
    switch (charSet) {
    case 0: // ANSI
    case 1: // the system's default
    case 2: // symbol fonts: the bytes are glyph numbers, passed through as Windows-1252
        return charSet == 1 ? documentCodePage : 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return documentCodePage;
    }
}

void CRtfCodePage::Decode(const char* bytes, std::size_t n, std::u16string& out) {
    if (m_iconv == nullptr) {
        out.reserve(out.size() + n);
        for (std::size_t i = 0; i < n; ++i)
            out.push_back(kCp1252[static_cast<unsigned char>(bytes[i])]);
        return;
    }
    auto cd = static_cast<iconv_t>(m_iconv);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = n;
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
        for (const char* p = buffer; p + 1 < outPtr; p += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                                (static_cast<unsigned char>(p[1]) << 8)));
        }
        if (error == EILSEQ || error == EINVAL) {
            out.push_back(u'\uFFFD');
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else if (error != 0 && error != E2BIG) {
            break;
        }
    }
}
