#pragma once
// The program as a desktop application: its icon and launcher name, the places of its files.
#include <string>

struct Places;

// The launcher's id, so that the desktop matches the running window to its menu entry.
void setDesktopIdentity();
// The window icon, embedded at every rendered size. Decoding them all takes longer than
// painting the board, so the window gets it just after its first frame.
void setWindowIcon();

// Where the pictures painted in one run are kept for the next: pictures in the user's cache
// directory (XDG_CACHE_HOME, else ~/.cache), under torvane/. Nothing if there is none.
std::string picturesFile();

// Installed beside share/torvane, the game reads its data there and keeps the player's files
// in the per-user directories; from the build tree it keeps the current directory. Needs no
// application object.
void choosePlaces(Places& places);

// With TORVANE_REPORT_FILES=1 (for the install test): the places, whether each file is there,
// and how many wave files the sound library took, on standard error.
void reportFiles(const Places& places, int soundsLoaded);

// Before the QApplication: where Qt can open no display (none set, a dead one, Wayland without
// Qt's Wayland plugin) it would abort with advice that does not help. The player gets one line
// instead, saying what was tried and what to install, and the program ends with status 1.
void explainMissingDisplay();
// Once a display is open: Qt's messages go their usual way again.
void displayOpened();

// Without a font that writes Japanese every text is an empty box: says once, in English, which
// package to install.
void warnOfMissingJapaneseFont();
