// What a document asks of the running application: file access that reports the system's
// reason, message boxes, the recent-file list, the file-name prompt and the mail client. The
// application object installs itself here (CWinApp); documents stay free of the widget toolkit.
#pragma once

#include "platform/richedit.h"

#include <initializer_list>
#include <string>

class IDocFramework {
public:
    virtual ~IDocFramework() = default;

    // Reads the whole regular file at `path`. On failure `reason` says why, in plain words.
    virtual bool ReadDocumentFile(const std::string& path, std::string& bytes,
                                  std::string& reason) = 0;
    // Replaces the file at `path` by `bytes` all at once: on failure the old file is untouched.
    virtual bool WriteDocumentFile(const std::string& path, const std::string& bytes,
                                   std::string& reason) = 0;
    // A message box with the application's name as caption; returns IDOK, IDYES, ...
    virtual int MessageBox(const std::string& text, UINT nType) = 0;
    virtual void AddToRecentFileList(const std::string& path) = 0;
    // The framework's own file dialog, for documents that have no save dialog of their own.
    // `path` proposes a name and receives the choice; false when the user cancelled.
    virtual bool DoPromptFileName(std::string& path, bool bOpenFileDialog) = 0;
    // Whether a mail client can take an attachment, and handing one to it (reporting failures)
    // in a new message whose text is `body` (Windows-1252, lines ending in "\n").
    virtual bool IsMailAvailable() = 0;
    virtual bool SendMail(const std::string& path, const std::string& body) = 0;
    // The folder of files the program makes for itself (the preview page), created if
    // needed; empty for the current folder.
    virtual std::string CacheFolder() { return std::string(); }
    // `text` in the window's language, when there is a translation of it.
    virtual std::string TranslateText(const char* text) { return text; }
};

// The installed framework; nullptr while no application object exists.
IDocFramework* AfxGetDocFramework();
void AfxSetDocFramework(IDocFramework* pFramework);

// Fills each %1..%9 of `format` with the argument of that number, in one pass: an argument
// holding "%2" stays as it is, and a number with no argument stays as it is written.
std::string FillArgs(const std::string& format, std::initializer_list<std::string> args);
// A text the window shows, from a document: translated by the installed framework, then filled.
std::string AfxTrArgs(const char* text, std::initializer_list<std::string> args = {});
