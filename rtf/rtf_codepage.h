// 8-bit code pages of RTF text. Windows-1252 is built in, since the control's 8-bit interface and
// every font of charset 0 use it; other code pages (a font's \fcharset or \cpg, a document's
// \ansicpg) are decoded through the C library's iconv, one converter per code page.
#pragma once

#include <cstddef>
#include <string>

class CRtfCodePage {
public:
    explicit CRtfCodePage(int codePage = 1252);
    ~CRtfCodePage();
    CRtfCodePage(const CRtfCodePage&) = delete;
    CRtfCodePage& operator=(const CRtfCodePage&) = delete;

    // The code page actually used: 1252 when the one asked for is not known to the system.
    int CodePage() const { return m_codePage; }
    bool IsCp1252() const { return m_codePage == 1252; }

    // Appends the UTF-16 text of `n` bytes. A byte that starts no valid character gives U+FFFD.
    void Decode(const char* bytes, std::size_t n, std::u16string& out);

    static char16_t Cp1252ToUnicode(unsigned char byte) { return kCp1252[byte]; }
    // The Windows-1252 byte of a UTF-16 unit, or -1 when it has none.
    static int UnicodeToCp1252(char16_t unit);
    // The code page of a font charset (\fcharsetN); charsets 0 and 1 keep the document's.
    static int FromCharSet(int charSet, int documentCodePage);

private:
    static const char16_t kCp1252[256];
    int m_codePage;
    void* m_iconv = nullptr; // iconv_t, kept opaque so that users need not include iconv.h
};
