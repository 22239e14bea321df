// Shared pieces of the document's tests: the application with its one template making the
// message document, a frame and a real rich-edit control; settings, the current folder and a
// stand-in mail program, all inside a temporary folder; and a scripted user.
#pragma once

#include "document/parl_doc.h"
#include "platform/afx_ids.h"
#include "platform/qt/modal_script.h"
#include "platform/qt/rich_edit_view.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/win_app.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The view of the tests: gives the empty text Arial 12 points, as the editor's view does, and
// counts how often it was asked to.
class CTestParlView : public CRichEditView {
public:
    using CRichEditView::CRichEditView;
    void ApplyDefaultFormats() override;
    int m_nDefaultFormatsApplied = 0;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest();
    ~DocumentTest() override;

    CParlDoc& Doc() { return *static_cast<CParlDoc*>(m_app->GetDocTemplate()->GetDocument()); }
    CTestParlView& View() {
        return *static_cast<CTestParlView*>(m_app->GetDocTemplate()->GetView());
    }

    // Types `text` at the caret, as keys.
    void Type(const std::string& text);
    // Gives characters [first, last) of the text a colour and boldness, as the format commands
    // do.
    void Format(LONG first, LONG last, COLORREF color, bool bold);
    // The control's text as the user sees it.
    std::string Text();

    // Runs a command through the document's message map.
    void Command(UINT nID) { ASSERT_TRUE(Doc().OnCmdMsg(nID, nullptr)) << nID; }
    // Save As through the save dialog: the user picks file type `filter` (1 project, 2 e-mail)
    // and types `typed`.
    void SaveAs(const std::string& typed, int filter);

    std::string PathOf(const std::string& name) const {
        return QDir(m_tmp.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);
    std::string Setting(const char* entry);
    std::vector<std::string> RecentFiles();

    // A stand-in xdg-email first on the PATH that writes its arguments, one a line, to the file
    // MailLog() names.
    void InstallMailer();
    std::string MailLog() const { return PathOf("mail-arguments.txt"); }
    // Waits up to five seconds for the stand-in to have written its arguments.
    std::string WaitForMail();

    QTemporaryDir m_tmp;
    QString m_oldCurrent;
    QByteArray m_oldPath;
    CModalScript m_script;
    std::unique_ptr<CWinApp> m_app;
};
