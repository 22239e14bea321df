// The command-line compile: message files in, the pages an e-mail save would write out.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class CParlDoc;

struct CompileOptions {
    std::vector<std::string> inputPaths;
    std::string outputPath;   // one input only; empty: beside the input; "-": standard output
    std::string outputFolder; // -d: every page into this folder, named after its input
    bool raw = false;         // the file's bytes are the RTF the control streams out
    std::vector<std::function<void(CParlDoc&)>> settings;
};

// Reads the command line after the program name. Returns false with a reason in `error` when
// the words are off.
bool ParseCompileOptions(const std::vector<std::string>& args, CompileOptions& options,
                         std::string& error);

// Opens a project through the rich-edit control and leaves it in the document's view; returns
// false with the reason when the file cannot be read.
using ProjectLoader = std::function<bool(CParlDoc&, const std::string& path, std::string& error)>;

// Where the command writes. `out` takes the page for "-o -" and the names of the pages written,
// `err` the failures. When `outFd` is a descriptor, "-o -" writes the page to it directly, so a
// failing write is reported with the system's reason; `progress` shows a line of files done on
// `err` once a run lasts more than a second (meant for a terminal).
struct CompileConsole {
    std::ostream& out;
    std::ostream& err;
    int outFd = -1;
    bool progress = false;
};

// Compiles every file as an e-mail save does and writes the pages. Exit code: 0 done, 1 a file
// could not be read or written (its output then is left as it was; the other files are still
// compiled), 2 a bad command line.
int RunCompileCommand(const std::vector<std::string>& args, const CompileConsole& console,
                      const ProjectLoader& loadProject = nullptr);
int RunCompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const ProjectLoader& loadProject = nullptr);

std::string CompileUsage();

// Writes `data` to `path` all or nothing: the old file stays whole when anything fails, and
// nothing is left behind. A symbolic link is followed and its target replaced; a target that is
// not a regular file is refused. The new file keeps the permissions of the one it replaces,
// without set-user or set-group bits. Returns false with the reason.
bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error);
