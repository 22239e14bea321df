// The rich-edit control: a QTextEdit that answers the control's messages through
// IRichEditCtrl::SendMessage, with the records of platform/richedit.h.
//
//   EM_EXGETSEL, EM_EXSETSEL   the selection in character positions; a paragraph mark counts
//                              two (CR and LF), as in the control's 8-bit text, so a text given
//                              to EM_REPLACESEL covers exactly as many positions as it has bytes
//                              when its line breaks are CR LF. {0, -1} selects everything.
//   EM_REPLACESEL              wParam: the replacement may be undone; lParam: Windows-1252 text.
//                              A replacement that may not be undone also empties the undo history,
//                              since the steps in it would no longer fit the text.
//   EM_HIDESELECTION           wParam 1: the control stops repainting until wParam 0.
//   EM_GETCHARFORMAT           SCF_SELECTION: the format of the selection, dwMask holding the
//                              attributes that are the same all over it; SCF_DEFAULT: the default.
//   EM_SETCHARFORMAT           applies the attributes in dwMask to the selection (with only a
//                              caret: to the text typed next) or, SCF_DEFAULT, to the default
//                              format, which is that of text typed into an empty control.
//                              Heights are kept in half points.
//   EM_GETPARAFORMAT           the first paragraph of the selection; dwMask as above.
//   EM_SETPARAFORMAT           every paragraph of the selection.
//   EM_SETBKGNDCOLOR           wParam 0: lParam is the colour; else the system's. Returns the old.
//   EM_GETMODIFY, EM_SETMODIFY the modified state; every edit of text or format sets it.
//   EM_STREAMOUT, EM_STREAMIN  SF_RTF or SF_TEXT, synchronously through the EDITSTREAM callback.
//                              Stream-in replaces the content, or with SFF_SELECTION the
//                              selection; RTF that does not start with "{\rtf" is read as text.
// Records whose cbSize is not that of the record are refused (the result is 0).
#pragma once

#include "platform/rich_edit_doc.h"
#include "rtf/rtf_format.h"

#include <QTextEdit>
#include <string>

class QMimeData;

class CRichEditCtrl : public QTextEdit, public IRichEditCtrl {
    Q_OBJECT

public:
    // Streams the selection only; added to SF_RTF or SF_TEXT.
    static constexpr WPARAM SFF_SELECTION = 0x8000;

    explicit CRichEditCtrl(QWidget* parent = nullptr);
    ~CRichEditCtrl() override;

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The content as EM_STREAMOUT writes it, and reading it as EM_STREAMIN does.
    std::string StreamOutRtf() const;
    void StreamInRtf(const char* bytes, std::size_t size);

    // Inserts a picture (the bytes of a PNG or JPEG file) in place of the selection, shown at its
    // size in pixels. False when the bytes are no picture of that kind.
    bool InsertPicture(const QByteArray& bytes, RtfPictureKind kind);

    const RtfCharFormat& DefaultCharFormat() const { return m_defaultFormat; }
    double Dpi() const;

    // Character positions of the control (a paragraph mark counts two) and of the text
    // document (one).
    LONG CpFromPosition(int position) const;
    int PositionFromCp(LONG cp) const;

    // Pixels that the pictures of one load or paste may decode in all; pictures beyond keep
    // their bytes and size and show a placeholder. A control that nobody sees (the
    // command-line compile) needs to decode none.
    void SetPictureBudget(long long pixels) { m_pictureBudget = pixels; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    LRESULT GetSelection(CHARRANGE* range) const;
    LRESULT SetSelection(const CHARRANGE* range);
    LRESULT ReplaceSelection(bool canUndo, const char* text);
    LRESULT GetCharFormat(WPARAM scope, CHARFORMAT* record) const;
    LRESULT SetCharFormat(WPARAM scope, const CHARFORMAT* record);
    LRESULT GetParaFormat(PARAFORMAT* record) const;
    LRESULT SetParaFormat(const PARAFORMAT* record);
    LRESULT SetBackgroundColor(bool system, COLORREF color);
    LRESULT StreamOut(WPARAM format, EDITSTREAM* stream) const;
    LRESULT StreamIn(WPARAM format, EDITSTREAM* stream);

    // The format that text typed at the caret gets, never a picture's.
    QTextCharFormat TypingFormat() const;
    void InsertPlainText(const QString& text, const QTextCharFormat& format);
    void InsertRtf(const char* bytes, std::size_t size, bool plainText);
    // A page from a browser or word processor as RTF of what a message can carry.
    std::string RtfFromHtml(const QString& html) const;
    void ReplaceContent(const char* bytes, std::size_t size, bool plainText);
    void ApplyDefaultFormat();

    RtfCharFormat m_defaultFormat;
    bool m_selectionHidden = false;
    long long m_pictureBudget = 100LL * 1000 * 1000;
};
