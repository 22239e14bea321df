// A QTextDocument written as RTF: its blocks, runs and pictures turned into the writer's
// paragraphs and runs.
#include "rtf/qt/rtf_document_writer.h"

#include "platform/qt/rich_edit_format.h"
#include "rtf/rtf_writer.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QTextBlock>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct Picture {
    RtfPictureKind kind = RtfPictureKind::Png;
    QByteArray data;
    int width = 0, height = 0, goalWidth = 0, goalHeight = 0;
};

// A picture as the document holds it; one that came in without its bytes (from Qt's own
// insertion) is written as PNG of its resource.
std::optional<Picture> PictureOf(const QTextDocument& document, const QTextImageFormat& format,
                                 double dpi) {
    Picture picture;
    if (format.hasProperty(CRichEditFormat::PictureData)) {
        picture.data = format.property(CRichEditFormat::PictureData).toByteArray();
        picture.kind =
            static_cast<RtfPictureKind>(format.intProperty(CRichEditFormat::PictureKind));
        picture.width = format.intProperty(CRichEditFormat::PictureWidth);
        picture.height = format.intProperty(CRichEditFormat::PictureHeight);
        picture.goalWidth = format.intProperty(CRichEditFormat::PictureGoalWidth);
        picture.goalHeight = format.intProperty(CRichEditFormat::PictureGoalHeight);
        return picture;
    }
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const QImage image = resource.value<QImage>();
    if (image.isNull())
        return std::nullopt;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    picture.width = image.width();
    picture.height = image.height();
    const double shownWidth = format.width() > 0 ? format.width() : image.width();
    const double shownHeight = format.height() > 0 ? format.height() : image.height();
    picture.goalWidth = CRichEditFormat::PixelsToTwips(shownWidth, dpi);
    picture.goalHeight = CRichEditFormat::PixelsToTwips(shownHeight, dpi);
    return picture;
}

} // namespace

std::string CRtfDocumentWriter::Write() const {
    return Write(0, m_document.characterCount() - 1);
}

// The writer and the runs already made for the document's formats, shared by the paragraphs of
// one write.
struct CRtfSteppedWriter::Impl {
    Impl(const QTextDocument& document, const RtfCharFormat& defaults, double dpi,
         std::size_t reserve)
        : m_document(document), m_defaults(defaults), m_dpi(dpi), m_formats(document.allFormats()),
          m_runs(static_cast<std::size_t>(m_formats.size()) + 1) {
        m_writer.Reserve(reserve);
    }

    // Formats are entered in the tables when a run first uses them, so that fonts and colours
    // are numbered in order of use and none is listed that no run needs.
    CRtfWriter::Run RunFor(int index) {
        const bool known = index >= 0 && index < m_formats.size();
        auto& slot = m_runs[known ? static_cast<std::size_t>(index) : m_runs.size() - 1];
        if (!slot) {
            const QTextCharFormat format =
                known ? m_formats[index].toCharFormat() : QTextCharFormat();
            slot = m_writer.MakeRun(CRichEditFormat::FromQt(format, m_defaults));
        }
        return *slot;
    }

    // The characters of `block` from `from` to `to`, and its mark.
    void Block(const QTextBlock& block, int from, int to) {
        m_writer.BeginParagraph(CRichEditFormat::FromQt(block.blockFormat(), m_dpi));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end)
                continue;
            const int index = fragment.charFormatIndex();
            const CRtfWriter::Run run = RunFor(index);
            if (index >= 0 && index < m_formats.size() && m_formats[index].isImageFormat()) {
                const std::optional<Picture> picture =
                    PictureOf(m_document, m_formats[index].toImageFormat(), m_dpi);
                if (!picture)
                    continue;
                for (int i = start; i < end; ++i) {
                    m_writer.Picture(
                        run, picture->kind,
                        std::string_view(picture->data.constData(),
                                         static_cast<std::size_t>(picture->data.size())),
                        picture->width, picture->height, picture->goalWidth, picture->goalHeight);
                }
                continue;
            }
            QString text = fragment.text();
            if (start > fragment.position() || end < fragment.position() + fragment.length())
                text = text.mid(start - fragment.position(), end - start);
            m_writer.Text(run, std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                   static_cast<std::size_t>(text.size())));
        }
        // The mark's format is entered in the tables only when the paragraph has no run.
        m_writer.EndParagraph(m_writer.ParagraphHasRun() ? CRtfWriter::Run{}
                                                         : RunFor(block.charFormatIndex()));
    }

    const QTextDocument& m_document;
    RtfCharFormat m_defaults;
    double m_dpi;
    CRtfWriter m_writer;
    const QVector<QTextFormat> m_formats;
    std::vector<std::optional<CRtfWriter::Run>> m_runs;
};

std::string CRtfDocumentWriter::Write(int from, int to) const {
    const int last = std::max(0, m_document.characterCount() - 1);
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);

    CRtfSteppedWriter::Impl impl(m_document, m_defaults, m_dpi,
                                 static_cast<std::size_t>(to - from) + (to - from) / 8 + 256);
    const QTextBlock endBlock = m_document.findBlock(to);
    for (QTextBlock block = m_document.findBlock(from); block.isValid(); block = block.next()) {
        impl.Block(block, from, to);
        if (block == endBlock)
            break;
    }
    return impl.m_writer.Finish();
}

CRtfSteppedWriter::CRtfSteppedWriter(const QTextDocument& document, const RtfCharFormat& defaults,
                                     double dpi)
    : m_impl(std::make_unique<Impl>(document, defaults, dpi,
                                    static_cast<std::size_t>(document.characterCount()) +
                                        document.characterCount() / 8 + 256)),
      m_next(document.begin()) {}

CRtfSteppedWriter::~CRtfSteppedWriter() = default;

bool CRtfSteppedWriter::Step(int budgetMs) {
    QElapsedTimer clock;
    clock.start();
    const int to = std::max(0, m_impl->m_document.characterCount() - 1);
    for (int n = 1; m_next.isValid(); ++n) {
        m_impl->Block(m_next, 0, to);
        m_next = m_next.next();
        // The clock is read every few paragraphs: reading it costs more than a short one.
        if (n % 16 == 0 && clock.elapsed() >= budgetMs)
            break;
    }
    return !m_next.isValid();
}

std::string CRtfSteppedWriter::Finish() {
    return m_impl->m_writer.Finish();
}
