// Shared pieces of the robustness tests: a small RAM disk mounted for one test, a document
// whose view is the real rich-edit control, and messages in the form the control writes.
#pragma once

#include "platform/qt/rich_edit_ctrl.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/win_app.h"
#include "platform/rich_edit_doc.h"
#include "platform/richedit.h"
#include "support/sample_message.h"

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

namespace robustness {

// A tmpfs of `bytes` mounted on a fresh folder while the object lives; unmounted and removed
// however the test ends. Mounting needs root: Mounted() is false, with the reason in Why(),
// when it could not be done.
class CRamDisk {
public:
    explicit CRamDisk(std::size_t bytes);
    ~CRamDisk();
    CRamDisk(const CRamDisk&) = delete;
    CRamDisk& operator=(const CRamDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    const std::string& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return m_path + "/" + name; }

    // Turns the file system read-only, or writable again, in place.
    bool SetReadOnly(bool readOnly);
    // Writes a file that takes every free byte, then shortens it until `bytes` are free.
    bool FillLeaving(std::size_t bytes);
    void RemoveFiller();
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::string m_path;
    std::string m_why;
    bool m_mounted = false;
};

// The framework's rich-edit view reduced to the control.
class CControlView : public CRichEditCtrl, public IRichEditView {
public:
    CRichEditCtrl& GetRichEditCtrl() override { return *this; }
};

// A document over the real control, as the program's document is.
class CControlDoc : public CRichEditDoc {
public:
    CControlDoc() { SetView(&m_view); }
    CControlView m_view;
};

// The application object the framework's open and save report through, its settings in a
// folder of its own.
class CTestApp {
public:
    CTestApp();
    ~CTestApp();

private:
    QTemporaryDir m_settings;
    std::unique_ptr<CWinApp> m_app;
};

// Messages in the control's form, streamed into and out of the control.
using sample::GenerateMessage;
using sample::StreamIn;
using sample::StreamOut;

// Types `text` at the end of the control as a user would.
void TypeAtEnd(IRichEditCtrl& ctrl, const char* text);

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);

} // namespace robustness
