// A picture of the message as the page shows it: one IMG element that carries the picture's
// own bytes in a data: address, so that the page stays one self-contained file.
#pragma once

#include <string>

namespace rtf {

// Reads the picture group that starts at `begin` (its first control word, right after the
// opening brace) and ends at `end` (its closing brace, or the end of the text), and appends
// its IMG element to `html`. The element is written only for a picture that the editor shows
// too: PNG or JPEG bytes whose header gives a size. Returns whether it was written.
bool AppendPicture(const char* begin, const char* end, std::string& html);

} // namespace rtf
