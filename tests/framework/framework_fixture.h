// Shared pieces of the framework tests: a temporary folder, settings kept in it, a scripted
// user, the application object, and a rich-edit control that holds its text as it was
// streamed in.
#pragma once

#include "platform/afx_ids.h"
#include "platform/qt/modal_script.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/win_app.h"
#include "platform/rich_edit_doc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class CFakeRichEdit : public IRichEditCtrl, public IRichEditView {
public:
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IRichEditCtrl& GetRichEditCtrl() override { return *this; }

    std::string m_text;
    bool m_modified = false;
};

// A document whose file is the control's text.
class CTestDoc : public CRichEditDoc {
public:
    CTestDoc() { SetView(&m_edit); }
    CFakeRichEdit m_edit;
};

class FrameworkTest : public ::testing::Test {
protected:
    FrameworkTest();
    ~FrameworkTest() override;

    // A path inside the temporary folder.
    std::string PathOf(const std::string& name) const {
        return QDir(m_tmp.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);

    QTemporaryDir m_tmp;
    QString m_oldCurrent;
    CModalScript m_script;
    std::unique_ptr<CWinApp> m_app;
};
