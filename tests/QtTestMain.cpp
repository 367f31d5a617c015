// Runs a widget test binary: the QApplication must exist before any widget, and tests run
// offscreen unless the caller chose a platform (gtest_discover_tests starts the binary
// without the test's environment).

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
