// The editor inside the main window, as the document template puts them together, with the
// character folder holding genie.acs and merlin.acs.
#pragma once

#include "document/parl_doc.h"
#include "frame/frame_fixture.h"
#include "view/parl_view.h"

#include <QComboBox>
#include <QCoreApplication>
#include <cstring>

// A message document that records the saves asked of it.
class CRecordingDoc : public CParlDoc {
public:
    BOOL OnSaveDocument(const std::string& path) override {
        m_saves.push_back(path);
        return CParlDoc::OnSaveDocument(path);
    }
    std::vector<std::string> m_saves;
};

class ViewTest : public MainWindowTest {
protected:
    ViewTest() {
        SetCharacterPath(MakeFolder(QStringLiteral("characters"), {"genie.acs", "merlin.acs"}));
        CMainFrame& frame = BuildFrame();
        m_view = new CParlView(&m_doc, &frame);
        frame.setCentralWidget(m_view);
        frame.SetActiveView(m_view);
        frame.SetActiveDocument(&m_doc);
    }

    ~ViewTest() override { m_frame.reset(); }

    CMainFrame& Frame() { return *m_frame; }
    CScriptBar& Bar() { return m_frame->m_wndScriptBar; }

    std::string Text() const { return m_view->toPlainText().toStdString(); }

    void Type(const char* text) {
        m_view->moveCursor(QTextCursor::End);
        m_view->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    void Select(LONG cpMin, LONG cpMax) {
        CHARRANGE range{cpMin, cpMax};
        m_view->SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }

    CHARRANGE Selection() {
        CHARRANGE range{-7, -7};
        m_view->SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

    // The character format of the range, which is selected afterwards.
    CHARFORMAT FormatOf(LONG cpMin, LONG cpMax) {
        Select(cpMin, cpMax);
        CHARFORMAT cf;
        std::memset(&cf, 0, sizeof cf);
        cf.cbSize = sizeof cf;
        m_view->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }

    void SetCharFormat(DWORD mask, DWORD effects, LONG height = 0, COLORREF color = 0) {
        CHARFORMAT cf;
        std::memset(&cf, 0, sizeof cf);
        cf.cbSize = sizeof cf;
        cf.dwMask = mask;
        cf.dwEffects = effects;
        cf.yHeight = height;
        cf.crTextColor = color;
        m_view->SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }

    PARAFORMAT Para() {
        PARAFORMAT pf;
        std::memset(&pf, 0, sizeof pf);
        pf.cbSize = sizeof pf;
        m_view->SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        return pf;
    }

    void SetPara(DWORD mask, LONG indent, WORD alignment = PFA_LEFT, LONG offset = 0) {
        PARAFORMAT pf;
        std::memset(&pf, 0, sizeof pf);
        pf.cbSize = sizeof pf;
        pf.dwMask = mask;
        pf.dxStartIndent = indent;
        pf.wAlignment = alignment;
        pf.dxOffset = offset;
        m_view->SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }

    QAction* Action(UINT nID) { return m_frame->Actions().Find(nID); }

    void Pick(QComboBox* list, const QString& entry) {
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
    }

    CRecordingDoc m_doc;
    CParlView* m_view = nullptr; // owned by the frame
};
