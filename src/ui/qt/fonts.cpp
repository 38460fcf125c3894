#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>

QFont interfaceFont(const QFont& desktop) {
    QFont font = desktop;
    // A second family would have Qt work out the fallbacks of every script before the first
    // frame; with one, they are looked for only when a character is missing.
    font.setFamilies({QString::fromLatin1(JAPANESE_FONT)});
    return font;
}

void useInterfaceFont() { QApplication::setFont(interfaceFont(QApplication::font())); }

bool japaneseFontInstalled() { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }
