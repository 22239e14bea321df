// The command-line compile: message files in, the pages an e-mail save would write out.
#pragma once

#include "app/compile_options.h"
#include "app/page_saver.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

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
