#include <QApplication>

#include <gtest/gtest.h>

// Widgets need an application object for the whole run; it replaces GoogleTest's own main.
int main(int argc, char** argv)
{
    // Listing the tests happens outside CTest's environment, so choose the platform here too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
