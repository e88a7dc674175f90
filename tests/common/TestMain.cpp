// SPDX-License-Identifier: MIT
// The one main of the test programs: windows, fonts and menus need a QApplication for the
// whole run, and the decoder's tests lose nothing by having one.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
