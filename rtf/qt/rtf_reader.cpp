// The RTF reader: tokens from the tokenizer, one state per open group, text inserted into a
// QTextDocument through a cursor with the formats the groups set.
#include "rtf/qt/rtf_reader.h"

#include "platform/qt/rich_edit_format.h"
#include "rtf/rtf_codepage.h"
#include "rtf/rtf_control_words.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <atomic>

namespace {

using Op = CRtfControlWords::Op;

// Groups nested deeper than this share the state of the deepest kept one; no writer nests
// half as deep, and the stack stays small whatever the input.
constexpr std::size_t kMaxDepth = 10000;
constexpr unsigned kHidden = 0x100;
constexpr DWORD kEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;

// Characters that must not reach the document as text: line breaks would split blocks behind
// the reader's back, and the frame and object marks are Qt's own.
char16_t Sanitize(char16_t unit) {
    switch (unit) {
    case 0x0000:
    case 0x000A:
    case 0x000D:
    case 0x2029:
        return 0;
    case 0xFDD0:
    case 0xFDD1:
    case 0xFFFC:
        return 0xFFFD;
    default:
        return unit;
    }
}

std::atomic<int> g_pictureNumber{0};

struct HexTable {
    signed char value[256] = {};
    constexpr HexTable() {
        for (auto& v : value)
            v = -1;
        for (int c = '0'; c <= '9'; ++c)
            value[c] = static_cast<signed char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            value[c] = static_cast<signed char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c)
            value[c] = static_cast<signed char>(c - 'A' + 10);
    }
};
constexpr HexTable kHex;

// Appends the bytes that the hexadecimal digits of `text` spell; other bytes (blanks) are
// passed over, and a digit without its pair waits in `nibble` for the next text.
void AppendHex(std::string_view text, QByteArray& out, int& nibble) {
    const qsizetype at = out.size();
    out.resize(at + static_cast<qsizetype>(text.size() / 2 + 1));
    char* o = out.data() + at;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    int pending = nibble;
    while (p < end) {
        if (pending < 0) {
            // Whole pairs at a time while both are digits, the common case.
            while (end - p >= 2) {
                const int hi = kHex.value[p[0]];
                const int lo = kHex.value[p[1]];
                if ((hi | lo) < 0)
                    break;
                *o++ = static_cast<char>(hi << 4 | lo);
                p += 2;
            }
            if (p == end)
                break;
        }
        const int v = kHex.value[*p++];
        if (v < 0)
            continue;
        if (pending < 0) {
            pending = v;
        } else {
            *o++ = static_cast<char>(pending << 4 | v);
            pending = -1;
        }
    }
    nibble = pending;
    out.truncate(o - out.data());
}

} // namespace

std::size_t CRtfReader::CharStateHash::operator()(const CharState& s) const {
    std::size_t h = static_cast<std::size_t>(static_cast<unsigned>(s.font));
    h = h * 1000003u ^ static_cast<std::size_t>(s.halfPoints);
    h = h * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(s.color));
    h = h * 1000003u ^ s.flags;
    return h;
}

CRtfReader::CRtfReader(const QTextCursor& cursor, const RtfCharFormat& defaults, double dpi)
    : m_cursor(cursor), m_defaults(defaults), m_dpi(dpi) {}

CRtfReader::~CRtfReader() = default;

const QImage& CRtfReader::Placeholder() {
    static const QImage image = [] {
        QImage box(32, 32, QImage::Format_RGB32);
        box.fill(QColor(0xD8, 0xD8, 0xD8));
        const QRgb frame = qRgb(0x80, 0x80, 0x80);
        for (int i = 0; i < 32; ++i) {
            box.setPixel(i, 0, frame);
            box.setPixel(i, 31, frame);
            box.setPixel(0, i, frame);
            box.setPixel(31, i, frame);
        }
        return box;
    }();
    return image;
}

bool CRtfReader::IsRtf(const char* data, std::size_t size) {
    return size >= 5 && std::string_view(data, 5) == "{\\rtf";
}

void CRtfReader::Read(const char* data, std::size_t size) {
    if (!IsRtf(data, size)) {
        ReadPlainText(data, size);
        return;
    }
    m_stack.assign(1, GroupState{});
    CRtfTokenizer tokenizer(data, size);
    CRtfTokenizer::Token token;
    while (!m_done && tokenizer.Next(token)) {
        switch (token.type) {
        case CRtfTokenizer::Type::GroupStart:
            m_skipCount = 0;
            PushGroup();
            m_groupJustOpened = true;
            m_ignorable = false;
            continue;
        case CRtfTokenizer::Type::GroupEnd:
            m_skipCount = 0;
            PopGroup();
            break;
        case CRtfTokenizer::Type::ControlSymbol:
            if (token.symbol == '*' && m_groupJustOpened) {
                m_ignorable = true;
                continue;
            }
            if (m_skipCount > 0)
                --m_skipCount;
            else
                ControlSymbol(token.symbol);
            break;
        case CRtfTokenizer::Type::ControlWord:
            ControlWord(token, tokenizer);
            break;
        case CRtfTokenizer::Type::HexByte:
            if (m_skipCount > 0) {
                --m_skipCount;
            } else {
                const char byte = static_cast<char>(token.symbol);
                TextBytes(std::string_view(&byte, 1));
            }
            break;
        case CRtfTokenizer::Type::Text:
            TextBytes(token.text);
            break;
        case CRtfTokenizer::Type::Binary:
            if (m_skipCount > 0)
                --m_skipCount;
            else if (State().dest == Dest::Picture && m_picture.kind >= 0)
                m_picture.data.append(token.text.data(), static_cast<qsizetype>(token.text.size()));
            break;
        case CRtfTokenizer::Type::End:
            break;
        }
        m_groupJustOpened = false;
        m_ignorable = false;
    }
    Finish();
}

void CRtfReader::PushGroup() {
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void CRtfReader::PopGroup() {
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() <= 2) {
        // The document's own group has ended; whatever follows it is not part of it.
        m_done = m_stack.size() == 2;
        return;
    }
    const GroupState& closing = m_stack.back();
    const GroupState& parent = m_stack[m_stack.size() - 2];
    if (closing.dest == Dest::FontTable && m_fontEntry != -1 &&
        (m_stack.size() == m_fontEntryDepth || parent.dest != Dest::FontTable))
        FinishFontEntry();
    if (closing.dest == Dest::Picture && parent.dest != Dest::Picture)
        InsertPicture();
    m_stack.pop_back();
}

void CRtfReader::SkipGroup(CRtfTokenizer& tokenizer) {
    tokenizer.SkipGroup();
    m_skipCount = 0;
    if (m_overflow > 0)
        --m_overflow;
    else if (m_stack.size() > 2)
        m_stack.pop_back();
    else
        m_done = true;
}

void CRtfReader::ControlWord(const CRtfTokenizer::Token& token, CRtfTokenizer& tokenizer) {
    const CRtfControlWords::Entry* entry = CRtfControlWords::Find(token.text);
    if (entry == nullptr) {
        // An unknown destination marked ignorable is skipped whole; any other unknown word
        // changes nothing.
        if (m_ignorable)
            SkipGroup(tokenizer);
        else if (m_skipCount > 0)
            --m_skipCount;
        return;
    }
    const bool destination = CRtfControlWords::IsDestination(entry->op);
    if (m_ignorable && !destination) {
        SkipGroup(tokenizer);
        return;
    }
    if (m_skipCount > 0 && !destination) {
        --m_skipCount;
        return;
    }
    if (DocumentWord(*entry, token.number, tokenizer))
        return;
    switch (State().dest) {
    case Dest::FontTable:
        FontTableWord(*entry, token.number);
        break;
    case Dest::ColorTable:
        ColorTableWord(*entry, token.number);
        break;
    case Dest::Picture:
        PictureWord(*entry, token.number);
        break;
    case Dest::Body:
        BodyWord(*entry, token.number, token.hasNumber);
        break;
    }
}

bool CRtfReader::DocumentWord(const CRtfControlWords::Entry& handler, int n,
                              CRtfTokenizer& tokenizer) {
    GroupState& state = State();
    switch (handler.op) {
    case Op::DestSkip:
        SkipGroup(tokenizer);
        return true;
    case Op::DestBody:
        if (state.dest != Dest::Body)
            SkipGroup(tokenizer);
        return true;
    case Op::DestFontTable:
        state.dest = Dest::FontTable;
        return true;
    case Op::DestColorTable:
        state.dest = Dest::ColorTable;
        m_colors.clear();
        m_colorIsAuto.clear();
        m_red = m_green = m_blue = -1;
        m_formats.clear();
        return true;
    case Op::DestPicture:
        if (state.dest != Dest::Body) {
            SkipGroup(tokenizer);
            return true;
        }
        state.dest = Dest::Picture;
        m_picture = PictureState{};
        return true;
    case Op::CodePage:
        m_documentCodePage = handler.arg;
        m_codePageFont = -2;
        return true;
    case Op::AnsiCodePage:
        if (n > 0)
            m_documentCodePage = n;
        m_codePageFont = -2;
        return true;
    case Op::DefaultFont:
        m_defaultFont = n;
        m_codePageFont = -2;
        m_formats.clear();
        return true;
    default:
        return false;
    }
}

void CRtfReader::FontTableWord(const CRtfControlWords::Entry& handler, int n) {
    GroupState& state = State();
    switch (handler.op) {
    case Op::Font:
        if (m_fontEntry != -1)
            FinishFontEntry();
        m_fontEntry = n;
        m_fontEntryDepth = m_stack.size();
        m_fonts[n] = FontDef{};
        break;
    case Op::FontFamily:
        if (m_fontEntry != -1) {
            RtfFont& font = m_fonts[m_fontEntry].font;
            font.pitchAndFamily =
                static_cast<BYTE>((font.pitchAndFamily & rtf::kPitchMask) | handler.arg);
        }
        break;
    case Op::FontCharSet:
        if (m_fontEntry != -1)
            m_fonts[m_fontEntry].font.charSet = static_cast<BYTE>(n);
        break;
    case Op::FontPitch:
        if (m_fontEntry != -1) {
            RtfFont& font = m_fonts[m_fontEntry].font;
            font.pitchAndFamily =
                static_cast<BYTE>((font.pitchAndFamily & rtf::kFamilyMask) | (n & rtf::kPitchMask));
        }
        break;
    case Op::FontCodePage:
        if (m_fontEntry != -1 && n > 0)
            m_fonts[m_fontEntry].codePage = n;
        break;
    case Op::Unicode:
        if (m_fontEntry != -1) {
            FontDef& def = m_fonts[m_fontEntry];
            CodePage(FontCodePage(m_fontEntry))
                .Decode(def.nameBytes.data(), def.nameBytes.size(), def.name);
            def.nameBytes.clear();
            def.name.push_back(static_cast<char16_t>(n < 0 ? n + 65536 : n));
        }
        m_skipCount = state.unicodeSkip;
        break;
    case Op::UnicodeSkip:
        state.unicodeSkip = std::clamp(n, 0, 10);
        break;
    default:
        break;
    }
}

void CRtfReader::ColorTableWord(const CRtfControlWords::Entry& handler, int n) {
    switch (handler.op) {
    case Op::Red:
        m_red = std::clamp(n, 0, 255);
        break;
    case Op::Green:
        m_green = std::clamp(n, 0, 255);
        break;
    case Op::Blue:
        m_blue = std::clamp(n, 0, 255);
        break;
    default:
        break;
    }
}

void CRtfReader::PictureWord(const CRtfControlWords::Entry& handler, int n) {
    switch (handler.op) {
    case Op::PictureKind:
        m_picture.kind = handler.arg;
        break;
    case Op::PictureWidth:
        m_picture.width = n;
        break;
    case Op::PictureHeight:
        m_picture.height = n;
        break;
    case Op::PictureGoalWidth:
        m_picture.goalWidth = n;
        break;
    case Op::PictureGoalHeight:
        m_picture.goalHeight = n;
        break;
    case Op::PictureScaleX:
        m_picture.scaleX = n;
        break;
    case Op::PictureScaleY:
        m_picture.scaleY = n;
        break;
    default:
        break;
    }
}

void CRtfReader::BodyWord(const CRtfControlWords::Entry& handler, int n, bool has) {
    GroupState& state = State();
    const bool on = !has || n != 0;
    CharState& chars = state.chars;
    ParaState& para = state.para;
    switch (handler.op) {
    case Op::Font:
        chars.font = n;
        break;
    case Op::Plain:
        chars = CharState{};
        break;
    case Op::Effect:
        chars.flags = on ? (chars.flags | static_cast<unsigned>(handler.arg))
                         : (chars.flags & ~static_cast<unsigned>(handler.arg));
        break;
    case Op::UnderlineOff:
        chars.flags &= ~static_cast<unsigned>(CFE_UNDERLINE);
        break;
    case Op::Hidden:
        chars.flags = on ? (chars.flags | kHidden) : (chars.flags & ~kHidden);
        break;
    case Op::FontSize:
        chars.halfPoints = has ? std::clamp(n, 1, 3276) : 24;
        break;
    case Op::Color:
        chars.color = n;
        break;
    case Op::UnicodeSkip:
        state.unicodeSkip = std::clamp(n, 0, 10);
        break;
    case Op::Unicode: {
        const long long value = n < 0 ? n + 65536LL : n;
        if ((chars.flags & kHidden) == 0)
            AppendUnit(value <= 0x10FFFF ? static_cast<char32_t>(value) : 0xFFFD);
        m_skipCount = state.unicodeSkip;
        break;
    }
    case Op::Character:
        if ((chars.flags & kHidden) == 0)
            AppendUnit(static_cast<char32_t>(handler.arg));
        break;
    case Op::Pard:
        para = ParaState{};
        break;
    case Op::Par:
        Paragraph();
        break;
    case Op::Align:
        para.alignment = static_cast<WORD>(handler.arg);
        break;
    case Op::LeftIndent:
        para.left = n;
        break;
    case Op::FirstIndent:
        para.first = n;
        break;
    case Op::RightIndent:
        para.right = n;
        break;
    default:
        break;
    }
}

void CRtfReader::ControlSymbol(unsigned char symbol) {
    const Dest dest = State().dest;
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        const char byte = static_cast<char>(symbol);
        TextBytes(std::string_view(&byte, 1));
        return;
    }
    if (dest != Dest::Body || (State().chars.flags & kHidden) != 0)
        return;
    switch (symbol) {
    case '~':
        AppendUnit(0x00A0);
        break;
    case '-':
        AppendUnit(0x00AD);
        break;
    case '_':
        AppendUnit(0x2011);
        break;
    case '\n':
        Paragraph();
        break;
    case '\t':
        AppendUnit('\t');
        break;
    default:
        break;
    }
}

void CRtfReader::TextBytes(std::string_view bytes) {
    if (m_skipCount > 0) {
        const std::size_t skip =
            std::min<std::size_t>(static_cast<std::size_t>(m_skipCount), bytes.size());
        m_skipCount -= static_cast<int>(skip);
        bytes.remove_prefix(skip);
    }
    if (bytes.empty())
        return;
    switch (State().dest) {
    case Dest::Body:
        if ((State().chars.flags & kHidden) == 0)
            AppendBytes(bytes);
        break;
    case Dest::FontTable:
        FontTableText(bytes);
        break;
    case Dest::ColorTable:
        ColorTableText(bytes);
        break;
    case Dest::Picture:
        if (m_picture.kind >= 0)
            AppendHex(bytes, m_picture.data, m_picture.pendingNibble);
        break;
    }
}

void CRtfReader::PrepareText() {
    OpenPendingBlock();
    const CharState& chars = State().chars;
    if ((!m_text.isEmpty() || !m_bytes.empty()) && !(m_textState == chars))
        FlushText();
    m_textState = chars;
}

void CRtfReader::AppendUnit(char32_t character) {
    PrepareText();
    FlushBytes();
    if (character > 0xFFFF) {
        m_text += QChar(QChar::highSurrogate(character));
        m_text += QChar(QChar::lowSurrogate(character));
        return;
    }
    const char16_t unit = Sanitize(static_cast<char16_t>(character));
    if (unit != 0)
        m_text += QChar(unit);
}

void CRtfReader::AppendBytes(std::string_view bytes) {
    PrepareText();
    const int codePage = FontCodePage(State().chars.font);
    if (codePage != 1252) {
        if (!m_bytes.empty() && m_bytesCodePage != codePage)
            FlushBytes();
        m_bytesCodePage = codePage;
        m_bytes.append(bytes);
        return;
    }
    FlushBytes();
    bool ascii = true;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte < 0x20) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        m_text.append(QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return;
    }
    for (char c : bytes) {
        const char16_t unit =
            Sanitize(CRtfCodePage::Cp1252ToUnicode(static_cast<unsigned char>(c)));
        if (unit != 0)
            m_text += QChar(unit);
    }
}

void CRtfReader::FlushBytes() {
    if (m_bytes.empty())
        return;
    m_decoded.clear();
    CodePage(m_bytesCodePage).Decode(m_bytes.data(), m_bytes.size(), m_decoded);
    m_bytes.clear();
    for (char16_t unit : m_decoded) {
        unit = Sanitize(unit);
        if (unit != 0)
            m_text += QChar(unit);
    }
}

void CRtfReader::FlushText() {
    FlushBytes();
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, FormatFor(m_textState));
    m_text.clear();
    m_blockEmpty = false;
}

void CRtfReader::OpenPendingBlock() {
    if (!m_pendingBreak)
        return;
    QTextBlockFormat block;
    CRichEditFormat::ApplyPara(ParaFormatFor(State().para), m_dpi, block);
    m_cursor.insertBlock(block, FormatFor(State().chars));
    m_pendingBreak = false;
    m_blockEmpty = true;
    m_inFirstBlock = false;
}

void CRtfReader::Paragraph() {
    FlushText();
    OpenPendingBlock();
    const bool keep = m_inFirstBlock && m_keepFirstBlockFormat;
    if (m_blockEmpty && !keep)
        m_cursor.setBlockCharFormat(FormatFor(State().chars));
    ApplyBlockFormat();
    m_pendingBreak = true;
}

void CRtfReader::ApplyBlockFormat() {
    if (m_inFirstBlock && m_keepFirstBlockFormat)
        return;
    QTextBlockFormat block = m_cursor.blockFormat();
    CRichEditFormat::ApplyPara(ParaFormatFor(State().para), m_dpi, block);
    m_cursor.setBlockFormat(block);
}

void CRtfReader::InsertPicture() {
    PictureState picture = std::move(m_picture);
    m_picture = PictureState{};
    if (picture.kind < 0 || picture.data.isEmpty())
        return;
    const auto kind = static_cast<RtfPictureKind>(picture.kind);
    const QByteArray data = std::move(picture.data);
    // The size comes from the picture's header; the pixels are decoded only while the budget
    // lasts. Bytes whose header gives no size are no picture of their kind.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader decoder(&buffer, kind == RtfPictureKind::Png ? "png" : "jpeg");
    const QSize size = decoder.size();
    if (!size.isValid() || size.isEmpty())
        return;
    const long long area = static_cast<long long>(size.width()) * size.height();
    // More pixels than a whole message may decode: no editor could show it, and the decoder
    // would refuse it, so it is left out as undecodable bytes are.
    if (area > kDefaultPixelBudget)
        return;
    QImage image;
    if (area <= m_pixelBudget) {
        m_pixelBudget -= area;
        image = decoder.read();
    }
    if (image.isNull()) {
        // Over the budget, or bytes that fail further in: the picture keeps its place, size
        // and bytes, and is shown as a box.
        image = Placeholder();
        ++m_placeholders;
    }
    const int width = picture.width > 0 ? picture.width : size.width();
    const int height = picture.height > 0 ? picture.height : size.height();
    auto goal = [](int stated, int pixels, int scale) {
        const long long twips = stated > 0 ? stated : pixels * 15LL;
        return static_cast<int>(
            std::clamp((twips * std::max(scale, 1) + 50) / 100, 1LL, 1000000LL));
    };
    const int goalWidth = goal(picture.goalWidth, size.width(), picture.scaleX);
    const int goalHeight = goal(picture.goalHeight, size.height(), picture.scaleY);

    FlushText();
    OpenPendingBlock();
    const QString name = QStringLiteral("parl-pict:%1").arg(++g_pictureNumber);
    m_cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextCharFormat format = FormatFor(State().chars);
    format.merge(CRichEditFormat::MakePicture(name, kind, data, width, height, goalWidth,
                                              goalHeight, m_dpi));
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    m_blockEmpty = false;
}

void CRtfReader::Finish() {
    FlushText();
    if (m_pendingBreak)
        return; // the last mark ends the final paragraph, which needs no block after it
    const bool keep = m_inFirstBlock && m_keepFirstBlockFormat;
    if (m_blockEmpty && !keep)
        m_cursor.setBlockCharFormat(FormatFor(State().chars));
    ApplyBlockFormat();
}

void CRtfReader::FontTableText(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t semicolon = bytes.find(';');
        const std::string_view part = bytes.substr(0, semicolon);
        if (m_fontEntry != -1)
            m_fonts[m_fontEntry].nameBytes.append(part);
        if (semicolon == std::string_view::npos)
            return;
        if (m_fontEntry != -1)
            FinishFontEntry();
        bytes.remove_prefix(semicolon + 1);
    }
}

void CRtfReader::FinishFontEntry() {
    const int number = m_fontEntry;
    m_fontEntry = -1;
    FontDef& def = m_fonts[number];
    CodePage(FontCodePage(number)).Decode(def.nameBytes.data(), def.nameBytes.size(), def.name);
    def.nameBytes.clear();
    std::u16string& name = def.name;
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!name.empty() && blank(name.back()))
        name.pop_back();
    std::size_t start = 0;
    while (start < name.size() && blank(name[start]))
        ++start;
    def.font.face = name.substr(start);
    m_formats.clear();
    m_codePageFont = -2;
}

void CRtfReader::ColorTableText(std::string_view bytes) {
    for (char c : bytes) {
        if (c != ';')
            continue;
        const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
        m_colors.push_back(RGB(static_cast<unsigned>(std::max(m_red, 0)),
                               static_cast<unsigned>(std::max(m_green, 0)),
                               static_cast<unsigned>(std::max(m_blue, 0))));
        m_colorIsAuto.push_back(automatic);
        m_red = m_green = m_blue = -1;
    }
    m_formats.clear();
}

int CRtfReader::FontCodePage(int fontNumber) {
    if (fontNumber == m_codePageFont)
        return m_codePageOfFont;
    const int number = fontNumber < 0 ? m_defaultFont : fontNumber;
    int codePage = m_documentCodePage;
    const auto found = m_fonts.find(number);
    if (found != m_fonts.end()) {
        codePage = found->second.codePage > 0
                       ? found->second.codePage
                       : CRtfCodePage::FromCharSet(found->second.font.charSet, m_documentCodePage);
    }
    m_codePageFont = fontNumber;
    m_codePageOfFont = codePage;
    return codePage;
}

CRtfCodePage& CRtfReader::CodePage(int codePage) {
    auto& slot = m_codePages[codePage];
    if (!slot)
        slot = std::make_unique<CRtfCodePage>(codePage);
    return *slot;
}

const QTextCharFormat& CRtfReader::FormatFor(const CharState& chars) {
    const auto found = m_formats.find(chars);
    if (found != m_formats.end())
        return found->second;
    RtfCharFormat format;
    format.font = m_defaults.font;
    const auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
    if (font != m_fonts.end() && !font->second.font.face.empty())
        format.font = font->second.font;
    format.twips = CRichEditFormat::SnapTwips(chars.halfPoints * 10);
    const std::size_t color = static_cast<std::size_t>(chars.color);
    if (chars.color >= 0 && color < m_colors.size() && !m_colorIsAuto[color]) {
        format.color = m_colors[color];
        format.effects = 0;
    } else {
        format.color = 0;
        format.effects = CFE_AUTOCOLOR;
    }
    format.effects |= chars.flags & kEffects;
    return m_formats.emplace(chars, CRichEditFormat::ToQt(format)).first->second;
}

RtfParaFormat CRtfReader::ParaFormatFor(const ParaState& para) const {
    auto clamp = [](long long v) {
        return static_cast<LONG>(std::clamp<long long>(v, -31680, 31680));
    };
    RtfParaFormat format;
    format.offset = clamp(-para.first);
    format.startIndent = clamp(para.left + para.first);
    format.rightIndent = clamp(para.right);
    format.alignment = para.alignment;
    return format;
}

void CRtfReader::ReadPlainText(const char* data, std::size_t size) {
    QByteArrayView bytes(data, static_cast<qsizetype>(size));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text.clear();
        text.reserve(bytes.size());
        for (char c : bytes)
            text += QChar(CRtfCodePage::Cp1252ToUnicode(static_cast<unsigned char>(c)));
    }
    const QTextCharFormat format = CRichEditFormat::ToQt(m_defaults);
    QTextBlockFormat block;
    CRichEditFormat::ApplyPara(RtfParaFormat{}, m_dpi, block);
    if (!m_keepFirstBlockFormat) {
        m_cursor.setBlockFormat(block);
        if (m_cursor.block().length() == 1)
            m_cursor.setBlockCharFormat(format);
    }
    QString line;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' || c == u'\n' || c == 0x2029) {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            m_cursor.insertText(line, format);
            line.clear();
            if (i + 1 < n)
                m_cursor.insertBlock(block, format);
            continue;
        }
        const char16_t unit = Sanitize(c);
        if (unit != 0)
            line += QChar(unit);
    }
    if (!line.isEmpty())
        m_cursor.insertText(line, format);
}
