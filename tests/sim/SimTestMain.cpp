// The loopback tests need an event loop owner: a QCoreApplication around the test run.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
