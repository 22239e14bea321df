// A stand-in rich-edit control that holds a literal RTF text and streams it out in chunks of a
// chosen size. The command-line compile uses it for raw RTF, and tests use it to drive the
// compiler without a window.
#pragma once

#include "platform/rich_edit_doc.h"

#include <string>

class CRawRtfCtrl : public IRichEditCtrl, public IRichEditView {
public:
    explicit CRawRtfCtrl(std::string rtf = {}, LONG chunkSize = 4096)
        : m_rtf(std::move(rtf)), m_chunkSize(chunkSize > 0 ? chunkSize : 1) {}

    void SetRtf(std::string rtf) { m_rtf = std::move(rtf); }
    const std::string& Rtf() const { return m_rtf; }
    void SetChunkSize(LONG chunkSize) { m_chunkSize = chunkSize > 0 ? chunkSize : 1; }

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IRichEditCtrl& GetRichEditCtrl() override { return *this; }

private:
    std::string m_rtf;
    LONG m_chunkSize;
};
