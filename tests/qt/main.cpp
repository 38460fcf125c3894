#include <QApplication>
#include <gtest/gtest.h>

#include "ui/qt/translations.h"

int main(int argc, char** argv) {
    // Set here, not by CTest: the test list is also read by running this program.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
