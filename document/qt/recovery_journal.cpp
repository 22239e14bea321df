#include "document/qt/recovery_journal.h"

#include "platform/qt/rich_edit_format.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>

namespace {

constexpr char kMagic[] = "PARLJRN1";
constexpr int kMagicSize = sizeof(kMagic) - 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// What a record's pieces are.
enum : quint8 { kText = 0, kParagraph = 1, kPicture = 2 };

QByteArray Digest(const QByteArray& copy) {
    return QCryptographicHash::hash(copy, QCryptographicHash::Sha1);
}

void WritePicture(QDataStream& out, const QTextDocument& document, const QTextImageFormat& format) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.canConvert<QImage>())
        image = resource.value<QImage>();
    out << kPicture << format.name() << image << QTextFormat(format);
}

} // namespace

namespace RecoveryJournal {

QByteArray Header(const QByteArray& copy) {
    QByteArray header(kMagic, kMagicSize);
    QDataStream out(&header, QIODevice::Append);
    out.setVersion(kStreamVersion);
    out << static_cast<qint64>(copy.size()) << Digest(copy);
    return header;
}

QByteArray Record(const QTextDocument& document, int position, int removed, int added) {
    // The last paragraph's mark is no character a change can add or remove.
    const int last = std::max(0, document.characterCount() - 1);
    const int from = std::clamp(position, 0, last);
    const int to = std::clamp(position + added, from, last);

    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    QTextBlock block = document.findBlock(from);
    out << static_cast<qint32>(from) << static_cast<qint32>(std::max(0, removed))
        << QTextFormat(block.blockFormat())
        << QTextFormat(CRichEditFormat::WithoutPicture(block.charFormat()));
    for (; block.isValid() && block.position() <= to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end)
                continue;
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                for (int i = start; i < end; ++i)
                    WritePicture(out, document, format.toImageFormat());
                continue;
            }
            // Typed after a picture, the text's format would carry the picture's bytes into
            // the journal at every key.
            out << kText << fragment.text().mid(start - fragment.position(), end - start)
                << QTextFormat(CRichEditFormat::WithoutPicture(format));
        }
        // The mark that ends the paragraph is part of the change: the next paragraph begins
        // with its formats.
        const int mark = block.position() + block.length() - 1;
        const QTextBlock next = block.next();
        if (mark >= from && mark < to && next.isValid())
            out << kParagraph << QTextFormat(next.blockFormat())
                << QTextFormat(CRichEditFormat::WithoutPicture(next.charFormat()));
    }
    QByteArray record;
    QDataStream framed(&record, QIODevice::WriteOnly);
    framed.setVersion(kStreamVersion);
    framed << body;
    return record;
}

bool Replay(QTextDocument& document, const QByteArray& copy, const QByteArray& journal,
            int& replayed, QString& reason) {
    replayed = 0;
    QDataStream in(journal);
    in.setVersion(kStreamVersion);
    if (!journal.startsWith(QByteArray(kMagic, kMagicSize))) {
        reason = QStringLiteral("It is no journal of edits.");
        return false;
    }
    in.skipRawData(kMagicSize);
    qint64 size = -1;
    QByteArray digest;
    in >> size >> digest;
    if (in.status() != QDataStream::Ok || size != copy.size() || digest != Digest(copy)) {
        reason = QStringLiteral("It follows another copy.");
        return false;
    }
    while (!in.atEnd()) {
        QByteArray body;
        in >> body;
        // A record cut off by a kill ends the journal.
        if (in.status() != QDataStream::Ok)
            break;
        QDataStream record(body);
        record.setVersion(kStreamVersion);
        qint32 position = 0, removed = 0;
        QTextFormat blockFormat, blockCharFormat;
        record >> position >> removed >> blockFormat >> blockCharFormat;
        if (record.status() != QDataStream::Ok)
            break;
        const int last = std::max(0, document.characterCount() - 1);
        const int from = std::clamp<int>(position, 0, last);
        QTextCursor cursor(&document);
        cursor.beginEditBlock();
        cursor.setPosition(from);
        cursor.setPosition(std::clamp<int>(from + removed, from, last), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        while (!record.atEnd()) {
            quint8 kind = 0;
            record >> kind;
            if (kind == kText) {
                QString text;
                QTextFormat format;
                record >> text >> format;
                cursor.insertText(text, format.toCharFormat());
            } else if (kind == kParagraph) {
                QTextFormat format, charFormat;
                record >> format >> charFormat;
                cursor.insertBlock(format.toBlockFormat(), charFormat.toCharFormat());
            } else if (kind == kPicture) {
                QString name;
                QImage image;
                QTextFormat format;
                record >> name >> image >> format;
                if (!image.isNull())
                    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
                cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                                  format.toCharFormat());
            } else {
                break;
            }
            if (record.status() != QDataStream::Ok)
                break;
        }
        QTextCursor first(&document);
        first.setPosition(from);
        first.setBlockFormat(blockFormat.toBlockFormat());
        first.setBlockCharFormat(blockCharFormat.toCharFormat());
        cursor.endEditBlock();
        ++replayed;
    }
    return true;
}

} // namespace RecoveryJournal
