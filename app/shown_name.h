// File names and other words of the command line as the terminal is to show them.
#pragma once

#include <string>

namespace cli {

// `name` as it can be shown on a terminal: unchanged when it holds no control character;
// otherwise quoted as a shell would read it back, as ls quotes such names: plain parts in single
// quotes, control bytes (below 32, 127, and the UTF-8 forms of 128 to 159) as $'\n' or $'\033',
// so that no escape sequence in a name reaches the terminal.
std::string ShownName(const std::string& name);

} // namespace cli
