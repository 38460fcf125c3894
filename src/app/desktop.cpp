#include "app/desktop.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <algorithm>
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
    // The home from the user database when HOME is unset, as for the settings.
    const std::filesystem::path cache = cacheDirFor(processEnvironment);
    if (cache.empty()) return {};
    return (cache / "torvane" / "pictures").string();
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

// Whether Qt has the platform plugin of that name (xcb, wayland, offscreen, ...).
bool platformPluginInstalled(const std::string& name) {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    const QString pattern = QStringLiteral("libq") + QString::fromStdString(name) + u'*';
    return !platforms.entryList({pattern}, QDir::Files).isEmpty();
}

std::string triedX(const std::string& x) {
    return x.empty() ? "no X display (DISPLAY is not set)"
                     : "the X display \"" + x + "\" does not answer";
}

std::string triedWayland(const std::string& wayland, bool plugin) {
    if (wayland.empty()) return "no Wayland display (WAYLAND_DISPLAY is not set)";
    if (plugin) return "the Wayland display \"" + wayland + "\" does not answer";
    return "the Wayland display \"" + wayland + "\" needs Qt's Wayland plugin";
}

// What was tried, from the same settings Qt reads, and what would help.
std::string noDisplayLine() {
    const std::string platform = environment("QT_QPA_PLATFORM");
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    const bool plugin = platformPluginInstalled("wayland");
    std::string tried;
    std::string help = "start the game in a desktop session";
    if (platform.empty()) {
        tried = triedX(x) + " and " + triedWayland(wayland, plugin);
    } else {
        // Qt tries only the platforms named there, in their order, each with its options.
        tried = "QT_QPA_PLATFORM=\"" + platform + "\" was tried: ";
        std::string_view rest = platform;
        bool first = true, unknown = false;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find(';'), rest.size());
            const std::string entry(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
            const std::string name = entry.substr(0, entry.find(':'));
            if (name.empty()) continue;
            if (!first) tried += " and ";
            first = false;
            if (name == "xcb")
                tried += triedX(x);
            else if (name.rfind("wayland", 0) == 0)
                tried += triedWayland(wayland, plugin);
            else if (platformPluginInstalled(name))
                tried += "the platform \"" + name + "\" failed";
            else {
                tried += "Qt has no platform \"" + name + "\"";
                unknown = true;
            }
        }
        if (unknown) help = "unset QT_QPA_PLATFORM or " + help;
    }
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
    // With no font at all the box would be empty boxes too: the line above is all that reads.
    if (QFontInfo(QApplication::font()).family().isEmpty()) return;
    QMessageBox::warning(nullptr, QStringLiteral("Torvane"), QString::fromStdString(text));
}
