#include "platform/qt/rich_edit_format.h"

#include "rtf/rtf_codepage.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr DWORD kCharMaskAll = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                               CFM_PROTECTED | CFM_CHARSET | CFM_OFFSET | CFM_FACE | CFM_COLOR |
                               CFM_SIZE;
constexpr DWORD kParaMaskAll =
    PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS | PFM_NUMBERING;

constexpr LONG kMinTwips = 10;    // half a point
constexpr LONG kMaxTwips = 32760; // the largest height the records' users know

QColor ToQColor(COLORREF color) {
    return QColor(static_cast<int>(GetRValue(color)), static_cast<int>(GetGValue(color)),
                  static_cast<int>(GetBValue(color)));
}

COLORREF FromQColor(const QColor& color) {
    return RGB(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
               static_cast<unsigned>(color.blue()));
}

QString FaceOf(const QTextCharFormat& format) {
    QString shown;
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        if (!families.isEmpty())
            shown = families.front();
    }
    if (shown.isEmpty() && format.hasProperty(QTextFormat::FontFamily))
        shown = format.stringProperty(QTextFormat::FontFamily);
    // The name kept beside the shown face counts while the face shown is the one it was given;
    // a face set by other means (Qt's own HTML import) has no name kept, or another one.
    if (format.hasProperty(CRichEditFormat::Face)) {
        const QString face = format.stringProperty(CRichEditFormat::Face);
        if (shown.isEmpty() || shown == face || shown == CRichEditFormat::ShownFace(face))
            return face;
    }
    return shown;
}

void SetFace(QTextCharFormat& format, const QString& face) {
    format.setFontFamilies(QStringList{CRichEditFormat::ShownFace(face)});
    format.setProperty(CRichEditFormat::Face, face);
    format.setProperty(CRichEditFormat::FaceKey, static_cast<int>(qHash(face)));
}

struct ShownFaces {
    QSet<QString> installed; // folded to lower case, as Qt matches families
    QString fallback;
    QHash<QString, QString> shown;
};

ShownFaces* LoadShownFaces() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr; // no font database without the GUI
    auto* faces = new ShownFaces;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        faces->installed.insert(family.toCaseFolded());
    faces->fallback = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    return faces;
}

void SetEffect(QTextCharFormat& format, DWORD effect, bool on) {
    switch (effect) {
    case CFE_BOLD:
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case CFE_ITALIC:
        format.setFontItalic(on);
        break;
    case CFE_UNDERLINE:
        format.setFontUnderline(on);
        break;
    case CFE_STRIKEOUT:
        format.setFontStrikeOut(on);
        break;
    default:
        break;
    }
}

void SetColor(QTextCharFormat& format, COLORREF color, bool automatic) {
    // No brush draws the text in the palette's text colour.
    format.setForeground(automatic ? QBrush() : QBrush(ToQColor(color)));
    format.setProperty(CRichEditFormat::AutoColor, automatic);
}

Qt::Alignment ToQtAlignment(WORD alignment) {
    switch (alignment) {
    case PFA_RIGHT:
        return Qt::AlignRight;
    case PFA_CENTER:
        return Qt::AlignHCenter;
    case PFA_JUSTIFY:
        return Qt::AlignJustify;
    default:
        return Qt::AlignLeft;
    }
}

WORD FromQtAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter)
        return PFA_CENTER;
    if (alignment & Qt::AlignRight)
        return PFA_RIGHT;
    if (alignment & Qt::AlignJustify)
        return PFA_JUSTIFY;
    return PFA_LEFT;
}

// A pitch-and-family byte whose family is not stated takes the family of its face, as a font
// mapper would report it.
BYTE ResolveFamily(BYTE pitchAndFamily, const std::u16string& face) {
    if ((pitchAndFamily & rtf::kFamilyMask) != rtf::kFamilyDontCare)
        return pitchAndFamily;
    return static_cast<BYTE>(pitchAndFamily | rtf::FamilyOfFace(face));
}

} // namespace

QString CRichEditFormat::ShownFace(const QString& face) {
    static ShownFaces* faces = nullptr; // kept for the run once the GUI is up
    if (faces == nullptr)
        faces = LoadShownFaces();
    if (faces == nullptr || face.isEmpty())
        return face;
    const auto found = faces->shown.constFind(face);
    if (found != faces->shown.constEnd())
        return *found;
    const QString shown = faces->installed.contains(face.toCaseFolded()) ? face : faces->fallback;
    faces->shown.insert(face, shown);
    return shown;
}

LONG CRichEditFormat::SnapTwips(LONG twips) {
    const LONG clamped = std::clamp(twips, kMinTwips, kMaxTwips);
    return (clamped + 5) / 10 * 10;
}

LONG CRichEditFormat::PixelsToTwips(double pixels, double dpi) {
    return dpi > 0 ? static_cast<LONG>(std::lround(pixels * 1440.0 / dpi)) : 0;
}

QTextCharFormat CRichEditFormat::ToQt(const RtfCharFormat& format) {
    QTextCharFormat out;
    SetFace(out, QString::fromStdU16String(format.font.face));
    out.setFontPointSize(format.twips / 20.0);
    for (DWORD effect : {CFE_BOLD, CFE_ITALIC, CFE_UNDERLINE, CFE_STRIKEOUT})
        SetEffect(out, effect, (format.effects & effect) != 0);
    SetColor(out, format.color, (format.effects & CFE_AUTOCOLOR) != 0);
    out.setProperty(CharSet, static_cast<int>(format.font.charSet));
    out.setProperty(PitchAndFamily, static_cast<int>(format.font.pitchAndFamily));
    return out;
}

RtfCharFormat CRichEditFormat::FromQt(const QTextCharFormat& format,
                                      const RtfCharFormat& fallback) {
    RtfCharFormat out = fallback;
    const QString face = FaceOf(format);
    if (!face.isEmpty())
        out.font.face = face.toStdU16String();
    if (format.hasProperty(CharSet))
        out.font.charSet = static_cast<BYTE>(format.intProperty(CharSet));
    if (format.hasProperty(PitchAndFamily))
        out.font.pitchAndFamily = static_cast<BYTE>(format.intProperty(PitchAndFamily));
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        const double points = format.doubleProperty(QTextFormat::FontPointSize);
        if (points > 0)
            out.twips = static_cast<LONG>(std::lround(points * 20.0));
    }
    auto setEffect = [&out](DWORD effect, bool on) {
        out.effects = on ? (out.effects | effect) : (out.effects & ~effect);
    };
    if (format.hasProperty(QTextFormat::FontWeight))
        setEffect(CFE_BOLD, format.fontWeight() > QFont::Medium);
    if (format.hasProperty(QTextFormat::FontItalic))
        setEffect(CFE_ITALIC, format.fontItalic());
    if (format.hasProperty(QTextFormat::TextUnderlineStyle) ||
        format.hasProperty(QTextFormat::FontUnderline))
        setEffect(CFE_UNDERLINE, format.fontUnderline());
    if (format.hasProperty(QTextFormat::FontStrikeOut))
        setEffect(CFE_STRIKEOUT, format.fontStrikeOut());
    if (format.hasProperty(QTextFormat::ForegroundBrush) || format.hasProperty(AutoColor)) {
        const QBrush brush = format.foreground();
        const bool automatic = format.boolProperty(AutoColor) || brush.style() == Qt::NoBrush;
        setEffect(CFE_AUTOCOLOR, automatic);
        if (!automatic)
            out.color = FromQColor(brush.color());
    }
    return out;
}

void CRichEditFormat::ApplyPara(const RtfParaFormat& format, double dpi, QTextBlockFormat& block) {
    block.setProperty(StartIndent, static_cast<int>(format.startIndent));
    block.setProperty(Offset, static_cast<int>(format.offset));
    block.setProperty(RightIndent, static_cast<int>(format.rightIndent));
    block.setProperty(Numbering, static_cast<int>(format.numbering));
    // Lines cannot be shown left of the text area, so negative indents show as 0.
    const LONG first = std::max<LONG>(0, format.startIndent);
    const LONG others = std::max<LONG>(
        0, static_cast<LONG>(std::clamp<long long>(
               static_cast<long long>(format.startIndent) + format.offset, INT32_MIN, INT32_MAX)));
    block.setLeftMargin(TwipsToPixels(others, dpi));
    block.setTextIndent(TwipsToPixels(first, dpi) - TwipsToPixels(others, dpi));
    block.setRightMargin(TwipsToPixels(std::max<LONG>(0, format.rightIndent), dpi));
    block.setAlignment(ToQtAlignment(format.alignment));
}

RtfParaFormat CRichEditFormat::FromQt(const QTextBlockFormat& block, double dpi) {
    RtfParaFormat out;
    if (block.hasProperty(Offset))
        out.offset = block.intProperty(Offset);
    else
        out.offset = -PixelsToTwips(block.textIndent(), dpi);
    if (block.hasProperty(StartIndent))
        out.startIndent = block.intProperty(StartIndent);
    else
        out.startIndent = PixelsToTwips(block.leftMargin(), dpi) - out.offset;
    if (block.hasProperty(RightIndent))
        out.rightIndent = block.intProperty(RightIndent);
    else
        out.rightIndent = PixelsToTwips(block.rightMargin(), dpi);
    out.numbering = static_cast<WORD>(block.intProperty(Numbering));
    out.alignment = FromQtAlignment(block.alignment());
    return out;
}

QTextCharFormat CRichEditFormat::DeltaFromRecord(const CHARFORMAT& record) {
    RtfCharFormat full;
    ApplyRecord(record, full);
    const QTextCharFormat all = ToQt(full);
    QTextCharFormat out;
    auto copy = [&](int property) {
        if (all.hasProperty(property))
            out.setProperty(property, all.property(property));
    };
    const DWORD mask = record.dwMask;
    if (mask & CFM_FACE) {
        copy(QTextFormat::FontFamilies);
        copy(FaceKey);
        copy(Face);
        copy(PitchAndFamily);
    }
    if (mask & CFM_CHARSET)
        copy(CharSet);
    if (mask & CFM_SIZE)
        copy(QTextFormat::FontPointSize);
    if (mask & CFM_BOLD)
        copy(QTextFormat::FontWeight);
    if (mask & CFM_ITALIC)
        copy(QTextFormat::FontItalic);
    if (mask & CFM_UNDERLINE) {
        copy(QTextFormat::TextUnderlineStyle);
        copy(QTextFormat::FontUnderline);
    }
    if (mask & CFM_STRIKEOUT)
        copy(QTextFormat::FontStrikeOut);
    if (mask & CFM_COLOR) {
        out.setForeground(all.foreground());
        copy(AutoColor);
    }
    return out;
}

void CRichEditFormat::ApplyRecord(const CHARFORMAT& record, RtfCharFormat& format) {
    const DWORD mask = record.dwMask;
    auto effect = [&](DWORD maskBit, DWORD effectBit) {
        if (mask & maskBit)
            format.effects = (format.effects & ~effectBit) | (record.dwEffects & effectBit);
    };
    effect(CFM_BOLD, CFE_BOLD);
    effect(CFM_ITALIC, CFE_ITALIC);
    effect(CFM_UNDERLINE, CFE_UNDERLINE);
    effect(CFM_STRIKEOUT, CFE_STRIKEOUT);
    if (mask & CFM_COLOR) {
        format.effects = (format.effects & ~CFE_AUTOCOLOR) | (record.dwEffects & CFE_AUTOCOLOR);
        format.color = record.crTextColor & 0xFFFFFFu;
    }
    if (mask & CFM_SIZE)
        format.twips = SnapTwips(record.yHeight);
    if (mask & CFM_FACE) {
        format.font.face = FromCp1252(record.szFaceName, LF_FACESIZE).toStdU16String();
        format.font.pitchAndFamily = ResolveFamily(record.bPitchAndFamily, format.font.face);
    }
    if (mask & CFM_CHARSET)
        format.font.charSet = record.bCharSet;
}

void CRichEditFormat::ToRecord(const RtfCharFormat& format, COLORREF autoColor,
                               CHARFORMAT& record) {
    record.dwMask = kCharMaskAll;
    record.dwEffects = format.effects;
    record.yHeight = format.twips;
    record.yOffset = 0;
    record.crTextColor = (format.effects & CFE_AUTOCOLOR) ? autoColor : format.color;
    record.bCharSet = format.font.charSet;
    record.bPitchAndFamily = format.font.pitchAndFamily;
    const QByteArray face = ToCp1252(QString::fromStdU16String(format.font.face));
    std::memset(record.szFaceName, 0, sizeof record.szFaceName);
    std::memcpy(record.szFaceName, face.constData(),
                std::min<std::size_t>(static_cast<std::size_t>(face.size()), LF_FACESIZE - 1));
}

DWORD CRichEditFormat::SameMask(const RtfCharFormat& a, const RtfCharFormat& b) {
    DWORD mask = kCharMaskAll;
    const DWORD differ = a.effects ^ b.effects;
    if (differ & CFE_BOLD)
        mask &= ~CFM_BOLD;
    if (differ & CFE_ITALIC)
        mask &= ~CFM_ITALIC;
    if (differ & CFE_UNDERLINE)
        mask &= ~CFM_UNDERLINE;
    if (differ & CFE_STRIKEOUT)
        mask &= ~CFM_STRIKEOUT;
    if ((differ & CFE_AUTOCOLOR) || (!(a.effects & CFE_AUTOCOLOR) && a.color != b.color))
        mask &= ~CFM_COLOR;
    if (a.twips != b.twips)
        mask &= ~CFM_SIZE;
    if (a.font.face != b.font.face || a.font.pitchAndFamily != b.font.pitchAndFamily)
        mask &= ~CFM_FACE;
    if (a.font.charSet != b.font.charSet)
        mask &= ~CFM_CHARSET;
    return mask;
}

void CRichEditFormat::ApplyRecord(const PARAFORMAT& record, RtfParaFormat& format) {
    const DWORD mask = record.dwMask;
    if (mask & PFM_STARTINDENT)
        format.startIndent = record.dxStartIndent;
    if (mask & PFM_OFFSET)
        format.offset = record.dxOffset;
    if (mask & PFM_RIGHTINDENT)
        format.rightIndent = record.dxRightIndent;
    if ((mask & PFM_ALIGNMENT) && record.wAlignment >= PFA_LEFT && record.wAlignment <= PFA_JUSTIFY)
        format.alignment = record.wAlignment;
    if (mask & PFM_NUMBERING)
        format.numbering = record.wNumbering;
}

void CRichEditFormat::ToRecord(const RtfParaFormat& format, PARAFORMAT& record) {
    record.dwMask = kParaMaskAll;
    record.wNumbering = format.numbering;
    record.wReserved = 0;
    record.dxStartIndent = format.startIndent;
    record.dxRightIndent = format.rightIndent;
    record.dxOffset = format.offset;
    record.wAlignment = format.alignment;
    record.cTabCount = 0;
    std::memset(record.rgxTabs, 0, sizeof record.rgxTabs);
}

DWORD CRichEditFormat::SameMask(const RtfParaFormat& a, const RtfParaFormat& b) {
    DWORD mask = kParaMaskAll;
    if (a.startIndent != b.startIndent)
        mask &= ~PFM_STARTINDENT;
    if (a.offset != b.offset)
        mask &= ~PFM_OFFSET;
    if (a.rightIndent != b.rightIndent)
        mask &= ~PFM_RIGHTINDENT;
    if (a.alignment != b.alignment)
        mask &= ~PFM_ALIGNMENT;
    if (a.numbering != b.numbering)
        mask &= ~PFM_NUMBERING;
    return mask;
}

QString CRichEditFormat::FromCp1252(const char* text, std::size_t maxLength) {
    QString out;
    for (std::size_t i = 0; i < maxLength && text[i] != '\0'; ++i)
        out += QChar(CRtfCodePage::Cp1252ToUnicode(static_cast<unsigned char>(text[i])));
    return out;
}

QByteArray CRichEditFormat::ToCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int byte = CRtfCodePage::UnicodeToCp1252(c.unicode());
        out += static_cast<char>(byte >= 0 ? byte : '?');
    }
    return out;
}

QTextImageFormat CRichEditFormat::MakePicture(const QString& name, RtfPictureKind kind,
                                              const QByteArray& data, int widthPixels,
                                              int heightPixels, int goalWidthTwips,
                                              int goalHeightTwips, double dpi) {
    QTextImageFormat out;
    out.setName(name);
    out.setWidth(TwipsToPixels(goalWidthTwips, dpi));
    out.setHeight(TwipsToPixels(goalHeightTwips, dpi));
    out.setProperty(PictureData, data);
    out.setProperty(PictureKind, static_cast<int>(kind));
    out.setProperty(PictureWidth, widthPixels);
    out.setProperty(PictureHeight, heightPixels);
    out.setProperty(PictureGoalWidth, goalWidthTwips);
    out.setProperty(PictureGoalHeight, goalHeightTwips);
    return out;
}

QTextCharFormat CRichEditFormat::WithoutPicture(QTextCharFormat format) {
    for (int property :
         {int{QTextFormat::ImageName}, int{QTextFormat::ImageTitle}, int{QTextFormat::ImageAltText},
          int{QTextFormat::ImageWidth}, int{QTextFormat::ImageHeight},
          int{QTextFormat::ImageQuality}, int{PictureData}, int{PictureKind}, int{PictureWidth},
          int{PictureHeight}, int{PictureGoalWidth}, int{PictureGoalHeight}})
        format.clearProperty(property);
    return format;
}
