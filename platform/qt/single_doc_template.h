// Binds the one document, its frame and its view. The first New or Open makes all three; every
// later one reuses them.
//
//     auto* tmpl = new CSingleDocTemplate(IDR_MAINFRAME,
//         [] { return std::make_unique<CParlDoc>(); },
//         [] { return std::make_unique<CMainFrame>(); },
//         [](CFrameWnd& frame, CDocument& doc) -> QWidget* {
//             auto* view = new CParlView(&frame);
//             static_cast<CRichEditDoc&>(doc).SetView(view);
//             return view;
//         });
//     AddDocTemplate(tmpl);
//
// The view becomes the frame's central widget and, when it is a CCmdTarget, receives commands
// first.
#pragma once

#include "platform/document.h"
#include "platform/qt/frame_wnd.h"

#include <functional>
#include <memory>
#include <string>

class CSingleDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    using DocFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<QWidget*(CFrameWnd& frame, CDocument& doc)>;

    CSingleDocTemplate(UINT nIDResource, DocFactory makeDoc, FrameFactory makeFrame,
                       ViewFactory makeView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // An empty path starts a new document; otherwise the file is opened and becomes the path
    // name (and joins the recent-file list). nullptr when New or Open failed; a failed open
    // leaves the document as it was.
    CDocument* OpenDocumentFile(const std::string& path);

    // A field of string `nIDResource`: "Parlino\n\nParlo\nParlo Projects (*.plp)\n.plp\n...".
    bool GetDocString(std::string& value, DocStringIndex index) const;
    // The open dialog's filter: the template's file type, then all files.
    std::string GetFilter() const;

    UINT GetResourceID() const { return m_nIDResource; }
    CDocument* GetDocument() const { return m_doc.get(); }
    CFrameWnd* GetFrame() const { return m_frame.get(); }
    QWidget* GetView() const { return m_pView; }

private:
    bool CreateParts();

    UINT m_nIDResource;
    DocFactory m_makeDoc;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::unique_ptr<CDocument> m_doc;
    std::unique_ptr<CFrameWnd> m_frame; // destroyed before the document
    QWidget* m_pView = nullptr;         // owned by the frame
};
