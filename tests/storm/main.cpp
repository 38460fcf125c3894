#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/translations.h"

namespace {

QtMessageHandler qtDefault = nullptr;

// The offscreen platform names every window feature it lacks, thousands of times a storm.
void quieter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    qtDefault(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    qtDefault = qInstallMessageHandler(quieter);
    // Set here, not by CTest: the test list is also read by running this program.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Leaks inside the font and window-system libraries are theirs, not the game's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:libQt6Gui.so\nleak:libQt6Core.so\n"
           "leak:libQt6Widgets.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\n";
}
