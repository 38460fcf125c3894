#pragma once
// The main() of the test programs that drive the real window offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/fonts.h"
#include "ui/qt/memory.h"
#include "ui/qt/translations.h"

inline int runWindowTests(int argc, char** argv) {
    // Set here, not by CTest: the test list is also read by running this program.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    returnLargeBuffersToTheSystem();
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);
    useInterfaceFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Leaks inside the font and window-system libraries are theirs, not the game's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:libQt6Gui.so\nleak:libQt6Core.so\n"
           "leak:libQt6Widgets.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\n";
}
