// The command-line compile: a message file in, the page an e-mail save would write out.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class CParlDoc;

struct CompileOptions {
    std::string inputPath;
    std::string outputPath; // empty: the input with its extension replaced by ".htm"; "-": stdout
    bool raw = false;       // the file's bytes are the RTF the control streams out
    std::vector<std::function<void(CParlDoc&)>> settings;
};

// Reads the command line after the program name. Returns false with a reason in `error` when
// the words are off.
bool ParseCompileOptions(const std::vector<std::string>& args, CompileOptions& options,
                         std::string& error);

// Opens a project through the rich-edit control and leaves it in the document's view; returns
// false with the reason when the file cannot be read.
using ProjectLoader = std::function<bool(CParlDoc&, const std::string& path, std::string& error)>;

// Compiles as an e-mail save does and writes the result. Exit code: 0 done, 1 a file could not be
// read or written (the output then is left as it was), 2 a bad command line.
int RunCompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const ProjectLoader& loadProject = nullptr);

std::string CompileUsage();

// Writes `data` to `path` through a temporary file beside it renamed over the old one, so the
// old file stays whole when anything fails. Returns false with the system's reason.
bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error);
