#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests that need a GUI application define their own main; the linker then leaves this one out.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
