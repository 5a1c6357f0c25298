// Test entry for every test program: a QApplication exists for the whole run,
// so that windows can be built (offscreen, or under Xvfb for the web engine).
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
