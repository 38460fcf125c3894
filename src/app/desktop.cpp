#include "app/desktop.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "play/places.h"
#include "play/state.h"

void setDesktopIdentity() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/torvane/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.torvane.Torvane"));
}

void choosePlaces(State& s) {
    s.places = placesFor(QCoreApplication::applicationFilePath().toStdString(), processEnvironment);
}

void reportFiles(const State& s, int soundsLoaded) {
    const char* on = std::getenv("TORVANE_REPORT_FILES");
    if (on == nullptr || std::string_view(on) != "1") return;
    std::string text = describePlaces(s.places);
    text += "torvane: sounds loaded " + std::to_string(soundsLoaded) + "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}
