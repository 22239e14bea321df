#include "platform/qt/system_metrics.h"

#include <QGuiApplication>
#include <QScreen>

int GetSystemMetrics(int nIndex) {
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
