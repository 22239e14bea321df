// Reads RTF into a QTextDocument through a QTextCursor: the control's own RTF and RTF from other
// writers. The reader pulls tokens from CRtfTokenizer and keeps one state per open group in a
// vector, so no input can make it recurse; unknown destinations are skipped whole and unknown
// control words ignored. Damaged input gives whatever could be read before the damage.
//
// Text of one format is gathered and inserted at once. A paragraph mark ends the paragraph
// being read, but its block is only opened when more content follows, so the last mark of the
// input (the control writes one for the final paragraph) adds no empty paragraph.
#pragma once

#include "rtf/rtf_control_words.h"
#include "rtf/rtf_format.h"
#include "rtf/rtf_tokenizer.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CRtfCodePage;

class CRtfReader {
public:
    // `defaults` is the format of text that the input does not format (plain text, and the face
    // of text whose font is not in the font table); `dpi` maps twips to the cursor's pixels.
    CRtfReader(const QTextCursor& cursor, const RtfCharFormat& defaults, double dpi);
    ~CRtfReader();
    CRtfReader(const CRtfReader&) = delete;
    CRtfReader& operator=(const CRtfReader&) = delete;

    // Leaves the paragraph format of the block the cursor starts in alone (pasting into it).
    void SetKeepFirstBlockFormat(bool keep) { m_keepFirstBlockFormat = keep; }

    // Pixels the pictures of one read may decode in all. A picture whose header asks for more
    // than is left keeps its bytes and size but shows a placeholder, so that a small file of
    // huge pictures costs neither the time nor the memory of decoding them. One picture larger
    // than the default budget on its own is left out, as bytes that are no picture are.
    static constexpr long long kDefaultPixelBudget = 100LL * 1000 * 1000;
    void SetPixelBudget(long long pixels) { m_pixelBudget = pixels; }
    long long PixelBudget() const { return m_pixelBudget; }
    // What the editor shows in place of a picture it does not decode: a grey box with a
    // darker frame, drawn at the picture's shown size.
    static const QImage& Placeholder();
    // Pictures shown as placeholders so far.
    int PlaceholderCount() const { return m_placeholders; }

    static bool IsRtf(const char* data, std::size_t size);

    // Reads RTF, or plain text when `data` does not start with "{\rtf".
    void Read(const char* data, std::size_t size);
    // Plain text: one paragraph a line (CR LF, LF or CR), UTF-8 when valid, else Windows-1252.
    void ReadPlainText(const char* data, std::size_t size);

private:
    enum class Dest : unsigned char { Body, FontTable, ColorTable, Picture };

    struct CharState {
        int font = -1; // font number; -1 is the default font
        int halfPoints = 24;
        int color = 0;
        unsigned flags = 0; // CFE_ bits, and kHidden
        bool operator==(const CharState& other) const {
            return font == other.font && halfPoints == other.halfPoints && color == other.color &&
                   flags == other.flags;
        }
    };
    struct CharStateHash {
        std::size_t operator()(const CharState& s) const;
    };
    struct ParaState {
        long long left = 0;  // \li
        long long first = 0; // \fi
        long long right = 0; // \ri
        WORD alignment = PFA_LEFT;
    };
    struct GroupState {
        CharState chars;
        ParaState para;
        int unicodeSkip = 1; // \uc
        Dest dest = Dest::Body;
    };
    struct FontDef {
        RtfFont font;
        int codePage = -1; // \cpg; -1 when the charset decides
        std::string nameBytes;
        std::u16string name;
    };
    struct PictureState {
        int kind = -1; // RtfPictureKind, or -1 for a kind that is not shown
        int width = 0, height = 0, goalWidth = 0, goalHeight = 0;
        int scaleX = 100, scaleY = 100;
        QByteArray data;
        int pendingNibble = -1;
    };

    GroupState& State() { return m_stack.back(); }
    // A control word, by what it is and where it stands.
    void ControlWord(const CRtfTokenizer::Token& token, CRtfTokenizer& tokenizer);
    bool DocumentWord(const CRtfControlWords::Entry& handler, int n, CRtfTokenizer& tokenizer);
    void FontTableWord(const CRtfControlWords::Entry& handler, int n);
    void ColorTableWord(const CRtfControlWords::Entry& handler, int n);
    void PictureWord(const CRtfControlWords::Entry& handler, int n);
    void BodyWord(const CRtfControlWords::Entry& handler, int n, bool has);
    void ControlSymbol(unsigned char symbol);
    void TextBytes(std::string_view bytes);
    void PushGroup();
    void PopGroup();
    void SkipGroup(CRtfTokenizer& tokenizer);

    // Body text.
    // Opens a pending block and flushes text of another format, before text is added.
    void PrepareText();
    void AppendUnit(char32_t character);
    void AppendBytes(std::string_view bytes);
    void FlushBytes();
    void FlushText();
    void OpenPendingBlock();
    void Paragraph();
    void ApplyBlockFormat();
    void InsertPicture();
    void Finish();

    // Tables.
    void FontTableText(std::string_view bytes);
    void FinishFontEntry();
    void ColorTableText(std::string_view bytes);
    int FontCodePage(int fontNumber);
    CRtfCodePage& CodePage(int codePage);
    const QTextCharFormat& FormatFor(const CharState& chars);
    RtfParaFormat ParaFormatFor(const ParaState& para) const;

    QTextCursor m_cursor;
    RtfCharFormat m_defaults;
    double m_dpi;
    bool m_keepFirstBlockFormat = false;

    std::vector<GroupState> m_stack;
    std::size_t m_overflow = 0; // groups opened beyond the depth kept on the stack
    bool m_done = false;
    bool m_groupJustOpened = false;
    bool m_ignorable = false; // \* seen at the start of the current group
    int m_skipCount = 0;      // characters still to skip after \u
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;

    std::unordered_map<int, FontDef> m_fonts;
    int m_fontEntry = -1; // font number being defined in the font table
    std::size_t m_fontEntryDepth = 0;
    int m_codePageFont = -2; // the font whose code page m_codePageOfFont holds
    int m_codePageOfFont = 1252;
    std::vector<COLORREF> m_colors;
    std::vector<bool> m_colorIsAuto;
    int m_red = -1, m_green = -1, m_blue = -1;
    PictureState m_picture;

    std::unordered_map<CharState, QTextCharFormat, CharStateHash> m_formats;
    std::unordered_map<int, std::unique_ptr<CRtfCodePage>> m_codePages;

    QString m_text; // gathered text, all in m_textState's format
    CharState m_textState;
    std::string m_bytes; // bytes of a code page other than 1252, not yet decoded
    int m_bytesCodePage = 1252;
    std::u16string m_decoded;

    bool m_pendingBreak = false; // a paragraph mark whose next block is not yet open
    bool m_blockEmpty = true;
    bool m_inFirstBlock = true;
    long long m_pixelBudget = kDefaultPixelBudget;
    int m_placeholders = 0;
};
