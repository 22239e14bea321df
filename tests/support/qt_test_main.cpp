// Shared main of the widget tests: one QApplication on the offscreen platform, so no test ever
// needs a display, then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep the user's own settings out of every test run.
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/parl-test-config-") + QByteArray::number(getpid()));
    qputenv("XDG_CACHE_HOME", QByteArray("/tmp/parl-test-cache-") + QByteArray::number(getpid()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
