#include "app/desktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "play/places.h"
#include "ui/qt/fonts.h"

void setDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.torvane.Torvane"));
}

void setWindowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/torvane/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

std::string picturesFile() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) return {};
    return QFile::encodeName(cache + QStringLiteral("/torvane/pictures")).toStdString();
}

void choosePlaces(Places& places) {
    // The program's file as the kernel names it, where Qt looks too; no application is needed.
    std::error_code ec;
    places = placesFor(std::filesystem::read_symlink("/proc/self/exe", ec), processEnvironment);
    // Installed or not, the game in progress is kept in the state directory, never where the
    // game runs.
    places.keptGame = keptGameFor(processEnvironment);
}

void reportFiles(const Places& places, int soundsLoaded) {
    const char* on = std::getenv("TORVANE_REPORT_FILES");
    if (on == nullptr || std::string_view(on) != "1") return;
    std::string text = describePlaces(places);
    text += "torvane: sounds loaded " + std::to_string(soundsLoaded) + "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool waylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

// What was tried, from the same settings Qt reads, and what would help.
std::string noDisplayLine() {
    const std::string platform = environment("QT_QPA_PLATFORM");
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    const bool plugin = waylandPluginInstalled();
    std::string tried;
    if (!platform.empty()) tried = "the platform \"" + platform + "\" (QT_QPA_PLATFORM) failed, ";
    tried += x.empty() ? "no X display (DISPLAY is not set)"
                       : "the X display \"" + x + "\" does not answer";
    if (wayland.empty())
        tried += " and no Wayland display (WAYLAND_DISPLAY is not set)";
    else if (plugin)
        tried += " and the Wayland display \"" + wayland + "\" does not answer";
    else
        tried += " and the Wayland display \"" + wayland + "\" needs Qt's Wayland plugin";
    std::string help = "start the game in a desktop session";
    if (!plugin) help += " (on Wayland, install the package qt6-wayland)";
    return "torvane: cannot open a window: " + tried + "; " + help + "\n";
}

QtMessageHandler qtHandler = nullptr;
bool opening = false;

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage>& held() {
    static std::vector<HeldMessage> messages;
    return messages;
}

// While the display is opened, the platform's own complaints are held back: they end in
// Qt's abort, which becomes the one line, or they are passed on once the display is open.
void whileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && opening) {
        std::fputs(noDisplayLine().c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::string_view category = context.category ? context.category : "";
    if (opening && category.rfind("qt.qpa", 0) == 0) {
        held().push_back({type, std::string(category), text});
        return;
    }
    qtHandler(type, context, text);
}

}  // namespace

void explainMissingDisplay() {
    opening = true;
    qtHandler = qInstallMessageHandler(whileOpening);
}

void displayOpened() {
    opening = false;
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& m : held()) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.c_str());
        qtHandler(m.type, context, m.text);
    }
    held().clear();
}

void warnOfMissingJapaneseFont() {
    if (japaneseFontInstalled()) return;
    const std::string text = std::string(
                                 "No Japanese font is installed, so the game's texts show "
                                 "as empty boxes. Install the package ") +
                             JAPANESE_FONT_PACKAGE + " (sudo apt install " + JAPANESE_FONT_PACKAGE +
                             ").";
    std::fputs(("torvane: " + text + "\n").c_str(), stderr);
    std::fflush(stderr);
    QMessageBox::warning(nullptr, QStringLiteral("Torvane"), QString::fromStdString(text));
}
