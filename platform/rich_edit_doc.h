// The framework's rich-edit document, reduced to what the program relies on. Plain C++: the
// document reaches its view, and through it the rich-edit control, by the interfaces below.
#pragma once

#include "platform/archive.h"
#include "platform/richedit.h"

#include <string>

// What a document knows of its view.
class IRichEditView {
public:
    virtual ~IRichEditView() = default;
    virtual IRichEditCtrl& GetRichEditCtrl() = 0;
    // Gives the empty message its default character and paragraph formats (New).
    virtual void ApplyDefaultFormats() {}
};

class CRichEditDoc {
public:
    CRichEditDoc() = default;
    virtual ~CRichEditDoc() = default;
    CRichEditDoc(const CRichEditDoc&) = delete;
    CRichEditDoc& operator=(const CRichEditDoc&) = delete;

    IRichEditView* GetView() const { return m_pView; }
    void SetView(IRichEditView* pView) { m_pView = pView; }

    // Streams the control's rich text out to a storing archive, or in from a loading one.
    virtual void Serialize(CArchive& ar);

private:
    IRichEditView* m_pView = nullptr;
};
