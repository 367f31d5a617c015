// Runs a widget test binary: the QApplication must exist before any widget, and tests run
// offscreen unless the caller chose a platform (gtest_discover_tests starts the binary
// without the test's environment). The user's data directory (the list of installations, the
// trash) is one of the binary's own, so that no test writes into the real one.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string dataHome = (std::filesystem::temp_directory_path() / "lumarc-data-XXXXXX").string();
    if (::mkdtemp(dataHome.data()))
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(dataHome, ignored);
    return result;
}
