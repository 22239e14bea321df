// A QTextDocument written as RTF: its blocks, runs and pictures turned into the writer's
// paragraphs and runs.
#include "rtf/qt/rtf_document_writer.h"

#include "platform/qt/rich_edit_format.h"
#include "rtf/rtf_writer.h"

#include <QBuffer>
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

std::string CRtfDocumentWriter::Write(int from, int to) const {
    const int last = std::max(0, m_document.characterCount() - 1);
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);

    CRtfWriter writer;
    writer.Reserve(static_cast<std::size_t>(to - from) + (to - from) / 8 + 256);
    // Formats are entered in the tables when a run first uses them, so that fonts and colours
    // are numbered in order of use and none is listed that no run needs.
    const QVector<QTextFormat> formats = m_document.allFormats();
    std::vector<std::optional<CRtfWriter::Run>> runs(static_cast<std::size_t>(formats.size()) + 1);
    auto runFor = [&](int index) -> CRtfWriter::Run {
        const bool known = index >= 0 && index < formats.size();
        auto& slot = runs[known ? static_cast<std::size_t>(index) : runs.size() - 1];
        if (!slot) {
            const QTextCharFormat format =
                known ? formats[index].toCharFormat() : QTextCharFormat();
            slot = writer.MakeRun(CRichEditFormat::FromQt(format, m_defaults));
        }
        return *slot;
    };

    const QTextBlock endBlock = m_document.findBlock(to);
    for (QTextBlock block = m_document.findBlock(from); block.isValid(); block = block.next()) {
        writer.BeginParagraph(CRichEditFormat::FromQt(block.blockFormat(), m_dpi));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end)
                continue;
            const int index = fragment.charFormatIndex();
            const CRtfWriter::Run run = runFor(index);
            if (index >= 0 && index < formats.size() && formats[index].isImageFormat()) {
                const std::optional<Picture> picture =
                    PictureOf(m_document, formats[index].toImageFormat(), m_dpi);
                if (!picture)
                    continue;
                for (int i = start; i < end; ++i) {
                    writer.Picture(run, picture->kind,
                                   std::string_view(picture->data.constData(),
                                                    static_cast<std::size_t>(picture->data.size())),
                                   picture->width, picture->height, picture->goalWidth,
                                   picture->goalHeight);
                }
                continue;
            }
            QString text = fragment.text();
            if (start > fragment.position() || end < fragment.position() + fragment.length())
                text = text.mid(start - fragment.position(), end - start);
            writer.Text(run, std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())));
        }
        // The mark's format is entered in the tables only when the paragraph has no run.
        writer.EndParagraph(writer.ParagraphHasRun() ? CRtfWriter::Run{}
                                                     : runFor(block.charFormatIndex()));
        if (block == endBlock)
            break;
    }
    return writer.Finish();
}
