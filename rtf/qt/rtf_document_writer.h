// Writes a QTextDocument, or a range of it, as RTF through CRtfWriter: one paragraph per block,
// one run per stretch of characters whose formats write alike, one picture per image
// character. Formats are resolved once per format of the document, not once per run.
#pragma once

#include "rtf/rtf_format.h"

#include <QTextBlock>
#include <QTextDocument>
#include <memory>
#include <string>

class CRtfDocumentWriter {
public:
    // `defaults` stands for every attribute that a format of the document leaves unset.
    CRtfDocumentWriter(const QTextDocument& document, const RtfCharFormat& defaults, double dpi)
        : m_document(document), m_defaults(defaults), m_dpi(dpi) {}

    // The whole document.
    std::string Write() const;
    // The characters from `from` to `to` (positions of the document), with the paragraph
    // marks between them; the paragraph that holds `to` is written up to `to`.
    std::string Write(int from, int to) const;

private:
    const QTextDocument& m_document;
    RtfCharFormat m_defaults;
    double m_dpi;
};

// The whole document written a few paragraphs at a time, for a caller that lets other work run
// between the steps (the recovery copy, while the user may type). The bytes are those of
// CRtfDocumentWriter::Write(); the document must not change between the first step and Finish.
class CRtfSteppedWriter {
public:
    CRtfSteppedWriter(const QTextDocument& document, const RtfCharFormat& defaults, double dpi);
    ~CRtfSteppedWriter();
    CRtfSteppedWriter(const CRtfSteppedWriter&) = delete;
    CRtfSteppedWriter& operator=(const CRtfSteppedWriter&) = delete;

    // Writes paragraphs for about `budgetMs` milliseconds; true when every one is written.
    bool Step(int budgetMs);
    // The RTF, once Step() returned true.
    std::string Finish();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
    QTextBlock m_next;
};
