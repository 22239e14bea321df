#include "platform/rich_edit_doc.h"

#include <algorithm>
#include <cstring>

namespace {

DWORD StoreChunk(DWORD_PTR cookie, BYTE* buf, LONG cb, LONG* pcb) {
    auto* ar = reinterpret_cast<CArchive*>(cookie);
    if (ar == nullptr || cb < 0)
        return static_cast<DWORD>(E_FAIL);
    ar->Write(buf, static_cast<std::size_t>(cb));
    *pcb = cb;
    return 0;
}

DWORD LoadChunk(DWORD_PTR cookie, BYTE* buf, LONG cb, LONG* pcb) {
    auto* ar = reinterpret_cast<CArchive*>(cookie);
    if (ar == nullptr || cb < 0)
        return static_cast<DWORD>(E_FAIL);
    *pcb = static_cast<LONG>(ar->Read(buf, static_cast<std::size_t>(cb)));
    return 0;
}

} // namespace

void CRichEditDoc::Serialize(CArchive& ar) {
    if (m_pView == nullptr)
        return;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&ar), 0, ar.IsStoring() ? &StoreChunk : &LoadChunk};
    m_pView->GetRichEditCtrl().SendMessage(ar.IsStoring() ? EM_STREAMOUT : EM_STREAMIN, SF_RTF,
                                           reinterpret_cast<LPARAM>(&es));
}

void IRichEditView::DeleteContents() {
    std::string empty;
    CArchive ar(CArchive::load, empty);
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&ar), 0, &LoadChunk};
    GetRichEditCtrl().SendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

BOOL CRichEditDoc::IsModified() {
    if (CDocument::IsModified())
        return TRUE;
    return m_pView != nullptr && m_pView->GetRichEditCtrl().SendMessage(EM_GETMODIFY, 0, 0) != 0
               ? TRUE
               : FALSE;
}

void CRichEditDoc::SetModifiedFlag(BOOL bModified) {
    if (m_pView != nullptr)
        m_pView->GetRichEditCtrl().SendMessage(EM_SETMODIFY, bModified ? 1 : 0, 0);
    CDocument::SetModifiedFlag(bModified);
}

void CRichEditDoc::DeleteContents() {
    if (m_pView != nullptr)
        m_pView->DeleteContents();
}
