#include "platform/qt/rich_edit_ctrl.h"

#include "platform/qt/rich_edit_format.h"
#include "rtf/qt/rtf_document_writer.h"
#include "rtf/qt/rtf_reader.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <unordered_map>
#include <vector>

namespace {

constexpr LONG kChunk = 4096;
const char* const kRtfMimeTypes[] = {"text/rtf", "application/rtf"};

std::atomic<int> g_insertedPictureNumber{0};

// Runs `visit` over the character formats of the characters from `from` to `to`, paragraph
// marks left out, once per stretch of one format. Stops when `visit` returns false.
template <class Visit>
void ForEachFormat(const QTextDocument& document, int from, int to, Visit visit) {
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= from)
                continue;
            if (fragment.position() >= to)
                return;
            if (!visit(fragment.charFormatIndex()))
                return;
        }
    }
}

// The blocks of a selection: the one holding its start up to the one holding its end, but not
// a block that the selection only reaches at its very beginning.
std::vector<QTextBlock> BlocksOf(const QTextDocument& document, int from, int to) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        if (!blocks.empty() && block.position() >= to)
            break;
        blocks.push_back(block);
    }
    return blocks;
}

QString TextFromMime(const QMimeData* source) {
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

CRichEditCtrl::CRichEditCtrl(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
    setUndoRedoEnabled(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // The control's own default until the program sets one: a plain 10-point sans face in the
    // system's text colour.
    m_defaultFormat.font.face = u"Arial";
    m_defaultFormat.font.pitchAndFamily = rtf::kFamilySwiss;
    m_defaultFormat.twips = 200;
    m_defaultFormat.effects = CFE_AUTOCOLOR;
    ApplyDefaultFormat();
    document()->setModified(false);
}

CRichEditCtrl::~CRichEditCtrl() = default;

double CRichEditCtrl::Dpi() const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? dpi : 96.0;
}

LRESULT CRichEditCtrl::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case EM_EXGETSEL:
        return GetSelection(reinterpret_cast<CHARRANGE*>(lParam));
    case EM_EXSETSEL:
        return SetSelection(reinterpret_cast<const CHARRANGE*>(lParam));
    case EM_REPLACESEL:
        return ReplaceSelection(wParam != 0, reinterpret_cast<const char*>(lParam));
    case EM_HIDESELECTION:
        m_selectionHidden = wParam != 0;
        viewport()->setUpdatesEnabled(!m_selectionHidden);
        if (!m_selectionHidden)
            viewport()->update();
        return 0;
    case EM_GETCHARFORMAT:
        return GetCharFormat(wParam, reinterpret_cast<CHARFORMAT*>(lParam));
    case EM_SETCHARFORMAT:
        return SetCharFormat(wParam, reinterpret_cast<const CHARFORMAT*>(lParam));
    case EM_GETPARAFORMAT:
        return GetParaFormat(reinterpret_cast<PARAFORMAT*>(lParam));
    case EM_SETPARAFORMAT:
        return SetParaFormat(reinterpret_cast<const PARAFORMAT*>(lParam));
    case EM_SETBKGNDCOLOR:
        return SetBackgroundColor(wParam != 0, static_cast<COLORREF>(lParam));
    case EM_GETMODIFY:
        return document()->isModified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        document()->setModified(wParam != 0);
        return 0;
    case EM_STREAMOUT:
        return StreamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_STREAMIN:
        return StreamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    default:
        return 0;
    }
}

LONG CRichEditCtrl::CpFromPosition(int position) const {
    const QTextBlock block = document()->findBlock(position);
    return position + (block.isValid() ? block.blockNumber() : 0);
}

int CRichEditCtrl::PositionFromCp(LONG cp) const {
    const QTextDocument* doc = document();
    const int last = doc->characterCount() - 1;
    if (cp <= 0)
        return 0;
    // Block n holds the positions from its start plus n, one more per earlier mark.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (static_cast<long long>(doc->findBlockByNumber(middle).position()) + middle <= cp)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const long long position = static_cast<long long>(cp) - low;
    const int blockEnd = block.position() + block.length() - 1;
    return static_cast<int>(std::min<long long>({position, blockEnd, last}));
}

LRESULT CRichEditCtrl::GetSelection(CHARRANGE* range) const {
    if (range == nullptr)
        return 0;
    const QTextCursor cursor = textCursor();
    range->cpMin = CpFromPosition(cursor.selectionStart());
    range->cpMax = CpFromPosition(cursor.selectionEnd());
    return 0;
}

LRESULT CRichEditCtrl::SetSelection(const CHARRANGE* range) {
    if (range == nullptr)
        return 0;
    QTextCursor cursor = textCursor();
    const int last = document()->characterCount() - 1;
    if (range->cpMin < 0) {
        cursor.setPosition(cursor.selectionEnd());
    } else {
        const int start = PositionFromCp(range->cpMin);
        const int end = range->cpMax < 0 ? last : PositionFromCp(range->cpMax);
        cursor.setPosition(std::min(start, end));
        cursor.setPosition(std::max(start, end), QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
    return CpFromPosition(cursor.selectionEnd());
}

QTextCharFormat CRichEditCtrl::TypingFormat() const {
    const QTextCursor cursor = textCursor();
    QTextCharFormat format;
    if (cursor.hasSelection()) {
        // Replacement text takes the format of the first character it replaces.
        QTextCursor first(document());
        first.setPosition(cursor.selectionStart() + 1);
        format = first.charFormat();
    } else {
        format = cursor.charFormat();
    }
    for (int property :
         {static_cast<int>(QTextFormat::ObjectType), static_cast<int>(QTextFormat::ImageName),
          static_cast<int>(QTextFormat::ImageWidth), static_cast<int>(QTextFormat::ImageHeight),
          static_cast<int>(CRichEditFormat::PictureData),
          static_cast<int>(CRichEditFormat::PictureKind),
          static_cast<int>(CRichEditFormat::PictureWidth),
          static_cast<int>(CRichEditFormat::PictureHeight),
          static_cast<int>(CRichEditFormat::PictureGoalWidth),
          static_cast<int>(CRichEditFormat::PictureGoalHeight)})
        format.clearProperty(property);
    return format;
}

void CRichEditCtrl::InsertPlainText(const QString& text, const QTextCharFormat& format) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != QLatin1Char('\n'))
            continue;
        QString line = text.mid(start, i - start);
        line.replace(QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator));
        cursor.insertText(line, format);
        if (i < text.size())
            cursor.insertBlock();
        start = i + 1;
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

LRESULT CRichEditCtrl::ReplaceSelection(bool canUndo, const char* text) {
    QString replacement =
        CRichEditFormat::FromCp1252(text != nullptr ? text : "", std::string::npos);
    replacement.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    replacement.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QTextCharFormat format = TypingFormat();
    QTextDocument* doc = document();
    if (!canUndo)
        doc->setUndoRedoEnabled(false);
    InsertPlainText(replacement, format);
    if (!canUndo)
        doc->setUndoRedoEnabled(true);
    doc->setModified(true);
    return 0;
}

LRESULT CRichEditCtrl::GetCharFormat(WPARAM scope, CHARFORMAT* record) const {
    if (record == nullptr || record->cbSize != sizeof(CHARFORMAT))
        return 0;
    const COLORREF autoColor = [this] {
        const QColor text = palette().color(QPalette::Text);
        return RGB(static_cast<unsigned>(text.red()), static_cast<unsigned>(text.green()),
                   static_cast<unsigned>(text.blue()));
    }();
    if (scope == SCF_DEFAULT) {
        CRichEditFormat::ToRecord(m_defaultFormat, autoColor, *record);
        return static_cast<LRESULT>(record->dwMask);
    }
    const QTextCursor cursor = textCursor();
    const QVector<QTextFormat> formats = document()->allFormats();
    std::unordered_map<int, RtfCharFormat> seen;
    bool any = false;
    RtfCharFormat first;
    DWORD mask = 0;
    if (cursor.hasSelection()) {
        ForEachFormat(*document(), cursor.selectionStart(), cursor.selectionEnd(), [&](int index) {
            if (seen.count(index) != 0)
                return true;
            const QTextCharFormat qt = index >= 0 && index < formats.size()
                                           ? formats[index].toCharFormat()
                                           : QTextCharFormat();
            const RtfCharFormat format = CRichEditFormat::FromQt(qt, m_defaultFormat);
            seen.emplace(index, format);
            if (!any) {
                any = true;
                first = format;
                CRichEditFormat::ToRecord(first, autoColor, *record);
                mask = record->dwMask;
            } else {
                mask &= CRichEditFormat::SameMask(first, format);
            }
            return true;
        });
    }
    if (!any) {
        first = CRichEditFormat::FromQt(cursor.charFormat(), m_defaultFormat);
        CRichEditFormat::ToRecord(first, autoColor, *record);
        mask = record->dwMask;
    }
    record->dwMask = mask;
    return static_cast<LRESULT>(mask);
}

LRESULT CRichEditCtrl::SetCharFormat(WPARAM scope, const CHARFORMAT* record) {
    if (record == nullptr || record->cbSize != sizeof(CHARFORMAT))
        return 0;
    if (scope == SCF_DEFAULT) {
        CRichEditFormat::ApplyRecord(*record, m_defaultFormat);
        ApplyDefaultFormat();
        return 1;
    }
    const QTextCharFormat delta = CRichEditFormat::DeltaFromRecord(*record);
    if (delta.properties().isEmpty())
        return 1;
    const bool selection = textCursor().hasSelection();
    mergeCurrentCharFormat(delta);
    if (selection)
        document()->setModified(true);
    return 1;
}

void CRichEditCtrl::ApplyDefaultFormat() {
    const QTextCharFormat format = CRichEditFormat::ToQt(m_defaultFormat);
    QTextDocument* doc = document();
    doc->setDefaultFont(format.font());
    if (!doc->isEmpty())
        return;
    // Text typed into the empty control takes the default. Setting it is no edit the user
    // could undo, and leaves the modified state as it was.
    const bool modified = doc->isModified();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.setBlockCharFormat(format);
    doc->setUndoRedoEnabled(true);
    setCurrentCharFormat(format);
    doc->setModified(modified);
}

LRESULT CRichEditCtrl::GetParaFormat(PARAFORMAT* record) const {
    if (record == nullptr || record->cbSize != sizeof(PARAFORMAT))
        return 0;
    const QTextCursor cursor = textCursor();
    const double dpi = Dpi();
    const std::vector<QTextBlock> blocks =
        BlocksOf(*document(), cursor.selectionStart(), cursor.selectionEnd());
    const RtfParaFormat first = CRichEditFormat::FromQt(blocks.front().blockFormat(), dpi);
    CRichEditFormat::ToRecord(first, *record);
    DWORD mask = record->dwMask;
    for (std::size_t i = 1; i < blocks.size(); ++i)
        mask &=
            CRichEditFormat::SameMask(first, CRichEditFormat::FromQt(blocks[i].blockFormat(), dpi));
    record->dwMask = mask;
    return static_cast<LRESULT>(mask);
}

LRESULT CRichEditCtrl::SetParaFormat(const PARAFORMAT* record) {
    if (record == nullptr || record->cbSize != sizeof(PARAFORMAT))
        return 0;
    const QTextCursor selection = textCursor();
    const double dpi = Dpi();
    const std::vector<QTextBlock> blocks =
        BlocksOf(*document(), selection.selectionStart(), selection.selectionEnd());
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const QTextBlock& block : blocks) {
        RtfParaFormat format = CRichEditFormat::FromQt(block.blockFormat(), dpi);
        CRichEditFormat::ApplyRecord(*record, format);
        QTextBlockFormat qt = block.blockFormat();
        CRichEditFormat::ApplyPara(format, dpi, qt);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(qt);
    }
    cursor.endEditBlock();
    document()->setModified(true);
    return 1;
}

LRESULT CRichEditCtrl::SetBackgroundColor(bool system, COLORREF color) {
    QPalette pal = palette();
    const QColor old = pal.color(QPalette::Base);
    const QColor now =
        system ? QPalette().color(QPalette::Base)
               : QColor(static_cast<int>(GetRValue(color)), static_cast<int>(GetGValue(color)),
                        static_cast<int>(GetBValue(color)));
    pal.setColor(QPalette::Base, now);
    setPalette(pal);
    return static_cast<LRESULT>(RGB(static_cast<unsigned>(old.red()),
                                    static_cast<unsigned>(old.green()),
                                    static_cast<unsigned>(old.blue())));
}

std::string CRichEditCtrl::StreamOutRtf() const {
    return CRtfDocumentWriter(*document(), m_defaultFormat, Dpi()).Write();
}

LRESULT CRichEditCtrl::StreamOut(WPARAM format, EDITSTREAM* stream) const {
    if (stream == nullptr || stream->pfnCallback == nullptr)
        return 0;
    const QTextCursor cursor = textCursor();
    const bool selection = (format & SFF_SELECTION) != 0;
    const int from = selection ? cursor.selectionStart() : 0;
    const int to = selection ? cursor.selectionEnd() : document()->characterCount() - 1;
    std::string bytes;
    if ((format & SF_RTF) != 0) {
        bytes = CRtfDocumentWriter(*document(), m_defaultFormat, Dpi()).Write(from, to);
    } else if ((format & SF_TEXT) != 0) {
        QTextCursor range(document());
        range.setPosition(from);
        range.setPosition(to, QTextCursor::KeepAnchor);
        QString text = range.selectedText();
        text.remove(QChar(QChar::ObjectReplacementCharacter));
        text.replace(QChar(QChar::ParagraphSeparator), QLatin1String("\r\n"));
        text.replace(QChar(QChar::LineSeparator), QLatin1String("\r\n"));
        const QByteArray encoded = CRichEditFormat::ToCp1252(text);
        bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    } else {
        return 0;
    }
    // The receiver gets copies, so that it cannot change what the control holds.
    std::vector<BYTE> chunk;
    std::size_t done = 0;
    LRESULT total = 0;
    stream->dwError = 0;
    while (done < bytes.size()) {
        const std::size_t n = std::min<std::size_t>(kChunk, bytes.size() - done);
        chunk.assign(bytes.begin() + static_cast<std::ptrdiff_t>(done),
                     bytes.begin() + static_cast<std::ptrdiff_t>(done + n));
        LONG taken = 0;
        stream->dwError =
            stream->pfnCallback(stream->dwCookie, chunk.data(), static_cast<LONG>(n), &taken);
        if (stream->dwError != 0 || taken <= 0)
            break;
        const std::size_t used = std::min<std::size_t>(static_cast<std::size_t>(taken), n);
        done += used;
        total += static_cast<LRESULT>(used);
    }
    return total;
}

LRESULT CRichEditCtrl::StreamIn(WPARAM format, EDITSTREAM* stream) {
    if (stream == nullptr || stream->pfnCallback == nullptr)
        return 0;
    if ((format & (SF_RTF | SF_TEXT)) == 0)
        return 0;
    // The callback writes straight behind what has come so far, in pieces that grow with the
    // input, so a message of pictures is neither copied twice nor asked for in thousands of
    // small calls.
    std::string bytes;
    std::size_t used = 0;
    LONG ask = kChunk;
    stream->dwError = 0;
    for (;;) {
        if (bytes.size() < used + static_cast<std::size_t>(ask))
            bytes.resize(used + static_cast<std::size_t>(ask));
        LONG got = 0;
        stream->dwError = stream->pfnCallback(
            stream->dwCookie, reinterpret_cast<BYTE*>(bytes.data() + used), ask, &got);
        if (stream->dwError != 0 || got <= 0)
            break;
        used += static_cast<std::size_t>(std::min(got, ask));
        ask =
            static_cast<LONG>(std::min<std::size_t>(std::max<std::size_t>(used, kChunk), 1 << 22));
    }
    bytes.resize(used);
    const bool plain = (format & SF_RTF) == 0;
    if ((format & SFF_SELECTION) != 0) {
        InsertRtf(bytes.data(), bytes.size(), plain);
    } else if (plain) {
        ReplaceContent(bytes.data(), bytes.size(), true);
    } else {
        StreamInRtf(bytes.data(), bytes.size());
    }
    return static_cast<LRESULT>(bytes.size());
}

void CRichEditCtrl::StreamInRtf(const char* bytes, std::size_t size) {
    ReplaceContent(bytes, size, false);
}

void CRichEditCtrl::ReplaceContent(const char* bytes, std::size_t size, bool plainText) {
    QTextDocument* doc = document();
    // A new content has no history: the undo steps of the old one would not fit it.
    doc->setUndoRedoEnabled(false);
    const QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    QTextCursor cursor(doc);
    // Emptied inside the edit block, the document is laid out afresh and lazily when the block
    // ends, a screenful first; emptied before it, the whole new content would be laid out at
    // once.
    cursor.beginEditBlock();
    doc->clear();
    doc->rootFrame()->setFrameFormat(frame);
    CRtfReader reader(cursor, m_defaultFormat, Dpi());
    reader.SetPixelBudget(m_pictureBudget);
    if (plainText)
        reader.ReadPlainText(bytes, size);
    else
        reader.Read(bytes, size);
    // The caret goes back to the start before the block ends: the content went in ahead of it
    // and pushed it to the end, and moving it from there afterwards would have everything laid
    // out at once.
    setTextCursor(QTextCursor(doc));
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
}

void CRichEditCtrl::InsertRtf(const char* bytes, std::size_t size, bool plainText) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    CRtfReader reader(cursor, m_defaultFormat, Dpi());
    reader.SetKeepFirstBlockFormat(true);
    reader.SetPixelBudget(m_pictureBudget);
    if (plainText)
        reader.ReadPlainText(bytes, size);
    else
        reader.Read(bytes, size);
    cursor.endEditBlock();
    setTextCursor(cursor);
    document()->setModified(true);
}

bool CRichEditCtrl::InsertPicture(const QByteArray& bytes, RtfPictureKind kind) {
    // The size from the header; the pixels only within the budget, as a message's are read.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader decoder(&buffer, kind == RtfPictureKind::Png ? "png" : "jpeg");
    const QSize size = decoder.size();
    const long long area = static_cast<long long>(size.width()) * size.height();
    if (!size.isValid() || size.isEmpty() || area > CRtfReader::kDefaultPixelBudget)
        return false;
    QImage image;
    if (area <= m_pictureBudget) {
        image = decoder.read();
        if (image.isNull())
            return false;
    } else {
        image = CRtfReader::Placeholder();
    }
    const double dpi = Dpi();
    const QString name = QStringLiteral("parl-insert:%1").arg(++g_insertedPictureNumber);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    // Shown at one pixel of the picture to one pixel of a 96-dot screen.
    const int goalWidth = static_cast<int>(std::min(size.width() * 15LL, 1000000LL));
    const int goalHeight = static_cast<int>(std::min(size.height() * 15LL, 1000000LL));
    QTextCharFormat format = TypingFormat();
    format.merge(CRichEditFormat::MakePicture(name, kind, bytes, size.width(), size.height(),
                                              goalWidth, goalHeight, dpi));
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    cursor.endEditBlock();
    setTextCursor(cursor);
    document()->setModified(true);
    return true;
}

void CRichEditCtrl::keyPressEvent(QKeyEvent* event) {
    // A line break inside a paragraph could not be written in the form the compiler reads, so
    // Shift+Enter makes a new paragraph as Enter does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QTextEdit::keyPressEvent(event);
}

QMimeData* CRichEditCtrl::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* mime = new QMimeData;
    QString text = cursor.selectedText();
    text.remove(QChar(QChar::ObjectReplacementCharacter));
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    mime->setText(text);
    const std::string rtf = CRtfDocumentWriter(*document(), m_defaultFormat, Dpi())
                                .Write(cursor.selectionStart(), cursor.selectionEnd());
    const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
    for (const char* type : kRtfMimeTypes)
        mime->setData(QLatin1String(type), bytes);
    return mime;
}

bool CRichEditCtrl::canInsertFromMimeData(const QMimeData* source) const {
    for (const char* type : kRtfMimeTypes) {
        if (source->hasFormat(QLatin1String(type)))
            return true;
    }
    return source->hasHtml() || source->hasImage() || source->hasText();
}

std::string CRichEditCtrl::RtfFromHtml(const QString& html) const {
    // What a message can carry, in the form the control writes: runs keep their face, size,
    // colour, bold, italic and underline, paragraphs their centring; a list item becomes a
    // paragraph starting with a bullet, a table row one paragraph of cells apart by tabs.
    QTextDocument page;
    page.setHtml(html);
    QTextDocument flat;
    QTextCursor out(&flat);
    bool first = true;
    const QTextTable* table = nullptr;
    int row = -1;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        QTextCursor at(block);
        const QTextTable* inTable = at.currentTable();
        // The empty paragraphs a page keeps around a table are no text of its own.
        const auto besideTable = [](const QTextBlock& other) {
            return other.isValid() && QTextCursor(other).currentTable() != nullptr;
        };
        if (inTable == nullptr && block.length() <= 1 &&
            (besideTable(block.next()) || besideTable(block.previous()))) {
            table = nullptr;
            continue;
        }
        const int cellRow = inTable != nullptr ? inTable->cellAt(at).row() : -1;
        const bool sameRow = inTable != nullptr && inTable == table && cellRow == row;
        table = inTable;
        row = cellRow;
        QTextBlockFormat para;
        para.setAlignment(block.blockFormat().alignment() & Qt::AlignHCenter ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft);
        if (sameRow) {
            out.insertText(QStringLiteral("\t"), block.charFormat());
        } else if (!first) {
            out.insertBlock(para);
        } else {
            out.setBlockFormat(para);
        }
        first = false;
        if (block.textList() != nullptr)
            out.insertText(QString(QChar(0x2022)) + QLatin1Char(' '), block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat source = fragment.charFormat();
            QTextCharFormat format;
            const QStringList families = source.fontFamilies().toStringList();
            if (!families.isEmpty())
                format.setFontFamilies(QStringList{families.first()});
            if (source.fontPointSize() > 0)
                format.setFontPointSize(source.fontPointSize());
            if (source.hasProperty(QTextFormat::ForegroundBrush))
                format.setForeground(source.foreground());
            format.setFontWeight(source.fontWeight() >= QFont::Bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(source.fontItalic());
            format.setFontUnderline(source.fontUnderline());
            QString text = fragment.text();
            text.remove(QChar(QChar::ObjectReplacementCharacter));
            text.replace(QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator));
            out.insertText(text, format);
        }
    }
    return CRtfDocumentWriter(flat, m_defaultFormat, Dpi()).Write();
}

void CRichEditCtrl::insertFromMimeData(const QMimeData* source) {
    // Only what the control can write back comes in: RTF through its own reader, pictures,
    // pages from browsers and word processors as what a message can carry of them, and plain
    // text in the format at the caret.
    for (const char* type : kRtfMimeTypes) {
        if (source->hasFormat(QLatin1String(type))) {
            const QByteArray rtf = source->data(QLatin1String(type));
            InsertRtf(rtf.constData(), static_cast<std::size_t>(rtf.size()), false);
            return;
        }
    }
    if (source->hasHtml()) {
        const std::string rtf = RtfFromHtml(source->html());
        InsertRtf(rtf.data(), rtf.size(), false);
        return;
    }
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.isNull() && image.save(&buffer, "PNG")) {
            InsertPicture(png, RtfPictureKind::Png);
            return;
        }
    }
    if (source->hasText()) {
        InsertPlainText(TextFromMime(source), TypingFormat());
        document()->setModified(true);
    }
}
