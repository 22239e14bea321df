#include "platform/doc_framework.h"

#include <vector>

namespace {
IDocFramework* g_pFramework = nullptr;
}

IDocFramework* AfxGetDocFramework() {
    return g_pFramework;
}

void AfxSetDocFramework(IDocFramework* pFramework) {
    g_pFramework = pFramework;
}

std::string FillArgs(const std::string& format, std::initializer_list<std::string> args) {
    const std::vector<std::string> values(args);
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < values.size()) {
            out += values[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string AfxTrArgs(const char* text, std::initializer_list<std::string> args) {
    return FillArgs(g_pFramework != nullptr ? g_pFramework->TranslateText(text) : text, args);
}
