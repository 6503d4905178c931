#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

// CTest discovery runs the binary at build time without a display: default to offscreen.
int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // A run meant for a comma-decimal desktop proves nothing if that locale did not load.
    if (std::getenv("TONEL_EXPECT_DECIMAL_COMMA") != nullptr && *std::localeconv()->decimal_point != ',') {
        std::fprintf(stderr, "the comma-decimal locale is not in effect (LOCPATH, LC_ALL)\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
