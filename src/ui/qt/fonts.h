#pragma once
#include <QFont>

// The proportional member of the Japanese font family the game is made for: its Latin letters
// have their own widths, unlike IPAGothic's, which look like a terminal's.
inline constexpr const char* JAPANESE_FONT = "IPAPGothic";
// The Debian package that holds it.
inline constexpr const char* JAPANESE_FONT_PACKAGE = "fonts-ipafont-gothic";

// The face of the window's own texts (menus, boxes, the version box): the desktop's interface
// font, unless that is fixed-width, with the Japanese face for the characters it lacks.
QFont interfaceFont(const QFont& desktop);
// Makes it the application's font.
void useInterfaceFont();

// Whether any installed font writes Japanese; without one every text of the game is boxes.
bool japaneseFontInstalled();
