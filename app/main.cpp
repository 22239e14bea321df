#include "app/compile_command.h"
#include "app/parl_app.h"

#include <iostream>
#include <string>
#include <vector>

// With --compile the program compiles a message file and exits; otherwise it opens its window
// (a file named on the command line is opened in it).
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "--compile")
            return RunCompileCommand(args, std::cout, std::cerr);
    }
    return RunParlApp(argc, argv);
}
