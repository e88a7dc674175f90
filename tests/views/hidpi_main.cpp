// SPDX-License-Identifier: MIT
// The pages at 200 % display scaling, as a desktop set to it runs them: Qt's own scaling, on
// for the whole program before the application starts.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
