#pragma once
#include <QFont>

// The proportional member of the Japanese font family the game is made for: its Latin letters
// have their own widths, unlike IPAGothic's, which look like a terminal's.
inline constexpr const char* JAPANESE_FONT = "IPAPGothic";
// The Debian package that holds it.
inline constexpr const char* JAPANESE_FONT_PACKAGE = "fonts-ipafont-gothic";

// The face of the window's own texts (menus, boxes, the version box): the Japanese face, whose
// Latin letters are proportional too, at the desktop's size; the system's fallbacks give any
// character it lacks. The menus are all kana, so one face serves every text; the desktop's
// face first would need two faces and their fallbacks before the first frame.
QFont interfaceFont(const QFont& desktop);
// Makes it the application's font.
void useInterfaceFont();

// Whether any installed font writes Japanese; without one every text of the game is boxes.
bool japaneseFontInstalled();
