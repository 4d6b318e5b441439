#include <gtest/gtest.h>
#include <QByteArray>
#include <QtGlobal>

int main(int argc, char** argv) {
    // gtest_discover_tests runs this binary at build time without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
