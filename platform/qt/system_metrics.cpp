#include "platform/qt/system_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <map>

namespace {
std::map<int, int> g_overrides;
}

void SetSystemMetricOverride(int nIndex, int value) {
    g_overrides[nIndex] = value;
}

void ClearSystemMetricOverrides() {
    g_overrides.clear();
}

int GetSystemMetrics(int nIndex) {
    if (const auto it = g_overrides.find(nIndex); it != g_overrides.end())
        return it->second;
    const QScreen* screen = QGuiApplication::primaryScreen();
    switch (nIndex) {
    case SM_CXSCREEN:
        return screen != nullptr ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen != nullptr ? screen->geometry().height() : 0;
    case SM_CYFULLSCREEN:
        return screen != nullptr ? screen->availableGeometry().height() : 0;
    default:
        return 0;
    }
}
