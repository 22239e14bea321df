#include "platform/doc_framework.h"

namespace {
IDocFramework* g_pFramework = nullptr;
}

IDocFramework* AfxGetDocFramework() {
    return g_pFramework;
}

void AfxSetDocFramework(IDocFramework* pFramework) {
    g_pFramework = pFramework;
}
