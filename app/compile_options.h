// The command line of a compile: its words read into the files and settings of one run.
#pragma once

#include <functional>
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

std::string CompileUsage();
