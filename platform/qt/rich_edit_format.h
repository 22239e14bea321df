// The one place where the control's formats meet Qt's: RtfCharFormat and RtfParaFormat to and
// from QTextCharFormat and QTextBlockFormat, and both to and from the CHARFORMAT and PARAFORMAT
// records of the control's messages.
//
// Values that Qt would round (indents in twips become pixels) are kept as user properties of
// the Qt formats, so a format read back gives exactly the twips that were set.
#pragma once

#include "rtf/rtf_format.h"

#include <QByteArray>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextImageFormat>

class CRichEditFormat {
public:
    enum Property {
        AutoColor = QTextFormat::UserProperty + 0x5250,
        CharSet,
        PitchAndFamily,
        StartIndent,
        Offset,
        RightIndent,
        Numbering,
        PictureData,
        PictureKind,
        PictureWidth,
        PictureHeight,
        PictureGoalWidth,
        PictureGoalHeight,
        // A number for the face, set wherever the face is. Qt's format table hashes a list of
        // families by its type alone, so formats that differ only in their face would all share
        // one hash, and a document with thousands of faces would take quadratic time to build.
        FaceKey,
        // The face as the message names it. A face the system does not have is shown through
        // one fallback face (see ShownFace), and this keeps its name for saving.
        Face,
    };

    // The face that shows text of `face`: the face itself when it is installed, else one
    // fallback, the face that the system shows for Arial. Decided once per face for the run:
    // Qt would otherwise search its font database for every face it lacks at every layout,
    // and a message of thousands of such faces would take minutes to lay out.
    static QString ShownFace(const QString& face);

    // Heights are kept in half points, the unit RTF writes; a height between two is rounded.
    static LONG SnapTwips(LONG twips);
    static double TwipsToPixels(LONG twips, double dpi) { return twips * dpi / 1440.0; }
    static LONG PixelsToTwips(double pixels, double dpi);

    static QTextCharFormat ToQt(const RtfCharFormat& format);
    // Attributes that `format` does not set are taken from `fallback`.
    static RtfCharFormat FromQt(const QTextCharFormat& format, const RtfCharFormat& fallback);

    static void ApplyPara(const RtfParaFormat& format, double dpi, QTextBlockFormat& block);
    static RtfParaFormat FromQt(const QTextBlockFormat& block, double dpi);

    // The attributes of `record` named by its mask, as a Qt format to merge.
    static QTextCharFormat DeltaFromRecord(const CHARFORMAT& record);
    // The attributes of `record` named by its mask, applied to `format`.
    static void ApplyRecord(const CHARFORMAT& record, RtfCharFormat& format);
    static void ToRecord(const RtfCharFormat& format, COLORREF autoColor, CHARFORMAT& record);
    // The CFM_ bits of the attributes that `a` and `b` share.
    static DWORD SameMask(const RtfCharFormat& a, const RtfCharFormat& b);

    static void ApplyRecord(const PARAFORMAT& record, RtfParaFormat& format);
    static void ToRecord(const RtfParaFormat& format, PARAFORMAT& record);
    static DWORD SameMask(const RtfParaFormat& a, const RtfParaFormat& b);

    static QString FromCp1252(const char* text, std::size_t maxLength);
    static QByteArray ToCp1252(const QString& text);

    // A picture as the document holds it: the bytes as they came, the size RTF states in
    // pixels and the shown size in twips.
    static QTextImageFormat MakePicture(const QString& name, RtfPictureKind kind,
                                        const QByteArray& data, int widthPixels, int heightPixels,
                                        int goalWidthTwips, int goalHeightTwips, double dpi);
    // `format` without what only a picture's format holds. Text typed right after a picture
    // takes the picture's format but for its object type (the cursor's way), bytes and all.
    static QTextCharFormat WithoutPicture(QTextCharFormat format);
};
