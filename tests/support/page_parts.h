// The two parts of a compiled page: the classic page, which ends with its "</HTML>" line, and the
// block with the player for browsers without the character control, which may follow it.
#pragma once

#include <string>

namespace testing_support {

constexpr const char* kPlayerBlockStart = "<SCRIPT>\r\n(function () {\r\n";

// Where the player's block starts in `page`; the page's size when it has none.
inline std::size_t PlayerBlockAt(const std::string& page) {
    const std::string end = std::string("</HTML>\r\n") + kPlayerBlockStart;
    const std::size_t at = page.rfind(end);
    return at == std::string::npos ? page.size() : at + 9;
}

// The page as it stands without the player's block.
inline std::string ClassicPage(const std::string& page) {
    return page.substr(0, PlayerBlockAt(page));
}

// Whether `page` is a classic page that ends with its "</HTML>" line, followed by nothing or by
// one whole player block.
inline bool EndsAsAPage(const std::string& page) {
    const std::size_t at = PlayerBlockAt(page);
    if (at < 9 || page.compare(at - 9, 9, "</HTML>\r\n") != 0)
        return false;
    const std::string block = page.substr(at);
    return block.empty() || (block.size() > 11 && block.find("</SCRIPT>\r\n") == block.size() - 11);
}

} // namespace testing_support
