// The framework's rich-edit document, reduced to what the program relies on. Plain C++: the
// document reaches its view, and through it the rich-edit control, by the interfaces below.
#pragma once

#include "platform/archive.h"
#include "platform/document.h"
#include "platform/richedit.h"

#include <string>

// What a document knows of its view.
class IRichEditView {
public:
    virtual ~IRichEditView() = default;
    virtual IRichEditCtrl& GetRichEditCtrl() = 0;
    // Gives the empty message its default character and paragraph formats (New).
    virtual void ApplyDefaultFormats() {}
    // Empties the control (New, Open). The default streams in an empty text.
    virtual void DeleteContents();
};

class CRichEditDoc : public CDocument {
public:
    CRichEditDoc() = default;
    ~CRichEditDoc() override = default;
    CRichEditDoc(const CRichEditDoc&) = delete;
    CRichEditDoc& operator=(const CRichEditDoc&) = delete;

    IRichEditView* GetView() const { return m_pView; }
    void SetView(IRichEditView* pView) { m_pView = pView; }

    // Streams the control's rich text out to a storing archive, or in from a loading one.
    void Serialize(CArchive& ar) override;

    // Modified when the flag is set or the control reports an edit (EM_GETMODIFY).
    BOOL IsModified() override;
    // Sets the flag and the control's own modified state alike.
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Empties the control through the view.
    void DeleteContents() override;

private:
    IRichEditView* m_pView = nullptr;
};
