#include "platform/qt/single_doc_template.h"

#include "platform/resource_tables.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocFactory makeDoc, FrameFactory makeFrame,
                                       ViewFactory makeView)
    : m_nIDResource(nIDResource), m_makeDoc(std::move(makeDoc)), m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    m_frame.reset();
    m_doc.reset();
}

bool CSingleDocTemplate::CreateParts() {
    if (m_doc != nullptr)
        return true;
    m_doc = m_makeDoc();
    m_frame = m_makeFrame();
    if (m_doc == nullptr || m_frame == nullptr)
        return false;
    m_frame->LoadFrame(m_nIDResource);
    m_pView = m_makeView ? m_makeView(*m_frame, *m_doc) : nullptr;
    if (m_pView != nullptr)
        m_frame->setCentralWidget(m_pView);
    m_frame->SetActiveView(m_pView);
    m_frame->SetActiveDocument(m_doc.get());
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string& path) {
    if (!CreateParts())
        return nullptr;
    if (path.empty()) {
        if (!m_doc->OnNewDocument())
            return nullptr;
        std::string name;
        if (GetDocString(name, docName) && !name.empty())
            m_doc->SetTitle(name);
    } else {
        if (!m_doc->OnOpenDocument(path))
            return nullptr;
        m_doc->SetPathName(path);
    }
    m_frame->UpdateCommandUI();
    return m_doc.get();
}

bool CSingleDocTemplate::GetDocString(std::string& value, DocStringIndex index) const {
    const std::string* text = CResourceTables::App().Strings().Find(m_nIDResource);
    value.clear();
    if (text == nullptr)
        return false;
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = text->find('\n', start);
        if (start == std::string::npos)
            return false;
        ++start;
    }
    value = text->substr(start, text->find('\n', start) - start);
    return true;
}

std::string CSingleDocTemplate::GetFilter() const {
    std::string name, ext, filter;
    if (GetDocString(name, filterName) && GetDocString(ext, filterExt) && !name.empty() &&
        !ext.empty())
        filter = name + "|*" + ext + "|";
    return filter + "All Files|*||";
}
