#include "../qt_test_main.h"

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
    return runWindowTests(argc, argv);
}
