#include "app/compile_command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "--compile")
            return RunCompileCommand(args, std::cout, std::cerr);
    }
    std::cerr << CompileUsage();
    return 2;
}
