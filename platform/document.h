// The framework's document: path name and title, the modified flag, and the new, open and save
// steps that call the document's Serialize. Derived documents override the virtual steps and
// call these base versions as "the framework's" new, open and save.
#pragma once

#include "platform/archive.h"
#include "platform/cmd_target.h"

#include <functional>
#include <string>

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override = default;

    // The full path of the document's file; empty for a document never saved or opened.
    const std::string& GetPathName() const { return m_strPathName; }
    // Makes `path` absolute, takes it as the path name and its file name as the title, and,
    // with bAddToMRU, puts it at the head of the recent-file list. An empty path gives the
    // untitled state.
    virtual void SetPathName(const std::string& path, BOOL bAddToMRU = TRUE);
    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const std::string& title);
    // The title of a document without a file.
    static const char* UntitledTitle();
    // The title as the window shows it: a document without a file is untitled in the window's
    // language, while GetTitle stays the name its files and attachments are given.
    std::string ShownTitle() const;

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Empties the document: the contents, the path name and the modified flag.
    virtual BOOL OnNewDocument();
    // Reads the file and loads it through Serialize. A file that cannot be read is reported in
    // a message box naming it and saying why, and the document is left as it was.
    virtual BOOL OnOpenDocument(const std::string& path);
    // The framework's save: Serialize stores into a buffer that replaces the file at once, then
    // the modified flag is cleared. A failure is reported naming the file and the system's
    // reason, and the old file stays as it was, byte for byte.
    virtual BOOL OnSaveDocument(const std::string& path);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar);

    // Asks "Save changes to <title>?" when the document is modified. Yes runs the document's
    // save command and goes on only if that left it unmodified; No goes on; Cancel stops.
    // Returns TRUE when the caller may go on (New, Open, Exit).
    virtual BOOL SaveModified();
    // Saves under `path`, or under a name from the framework's file dialog when `path` is
    // empty; with bReplace the document takes the new path name.
    virtual BOOL DoSave(const std::string& path, BOOL bReplace = TRUE);
    // The default Save command: saves under the path name, asking for one when there is none.
    BOOL DoFileSave();

    // Send: attaches the file named by the path name to a new message of the mail client. The
    // update handler offers the command only when a mail client is available.
    void OnFileSendMail();
    void OnUpdateFileSendMail(CCmdUI* pCmdUI);
    // The text of the new mail that carries `attachment`; empty here.
    virtual std::string MailBody(const std::string& attachment);

    // Called after every change of path name, title or modified flag (the frame's title).
    void SetChangeListener(std::function<void()> listener) { m_onChanged = std::move(listener); }

protected:
    void NotifyChanged();
    // Shows `text` through the framework; IDCANCEL when no framework runs.
    int ReportMessage(const std::string& text, UINT nType);

    std::string m_strPathName;
    std::string m_strTitle;
    BOOL m_bModified = FALSE;

private:
    std::function<void()> m_onChanged;
};
