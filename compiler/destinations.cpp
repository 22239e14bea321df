#include "compiler/body_scanner.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace rtf {

bool IsHiddenDestination(const char* word, std::size_t length) {
    // Sorted, for the binary search below.
    static constexpr std::array<std::string_view, 49> kHidden = {"annotation",
                                                                 "atnauthor",
                                                                 "atnid",
                                                                 "author",
                                                                 "bkmkend",
                                                                 "bkmkstart",
                                                                 "buptim",
                                                                 "colorschememapping",
                                                                 "colortbl",
                                                                 "comment",
                                                                 "company",
                                                                 "creatim",
                                                                 "datastore",
                                                                 "defchp",
                                                                 "defpap",
                                                                 "doccomm",
                                                                 "falt",
                                                                 "filetbl",
                                                                 "fldinst",
                                                                 "fonttbl",
                                                                 "footer",
                                                                 "footerf",
                                                                 "footerl",
                                                                 "footerr",
                                                                 "footnote",
                                                                 "header",
                                                                 "headerf",
                                                                 "headerl",
                                                                 "headerr",
                                                                 "info",
                                                                 "keywords",
                                                                 "latentstyles",
                                                                 "listoverridetable",
                                                                 "listtable",
                                                                 "nonshppict",
                                                                 "objdata",
                                                                 "object",
                                                                 "operator",
                                                                 "pict",
                                                                 "pntext",
                                                                 "printim",
                                                                 "private",
                                                                 "revtbl",
                                                                 "revtim",
                                                                 "rsidtbl",
                                                                 "stylesheet",
                                                                 "subject",
                                                                 "themedata",
                                                                 "title"};
    static_assert(kHidden.size() > 0);
    const std::string_view w(word, length);
    return std::binary_search(kHidden.begin(), kHidden.end(), w);
}

} // namespace rtf
