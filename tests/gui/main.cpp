// The GUI tests run in one application object, as the program does.
#include "view/qt/torvane_view.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(CTorvaneView::requestedFormat());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
