#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>

QFont interfaceFont(const QFont& desktop) {
    QFont font = desktop;
    QStringList families{QString::fromLatin1(JAPANESE_FONT)};
    if (desktop.family() != QLatin1String(JAPANESE_FONT)) families << desktop.family();
    font.setFamilies(families);
    return font;
}

void useInterfaceFont() { QApplication::setFont(interfaceFont(QApplication::font())); }

bool japaneseFontInstalled() { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }
