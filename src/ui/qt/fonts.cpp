#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

QFont interfaceFont(const QFont& desktop) {
    QFont font = desktop;
    QStringList families;
    const QFontInfo used(desktop);
    if (!used.fixedPitch() && used.family() != QLatin1String("IPAGothic"))
        families << used.family();
    families << QString::fromLatin1(JAPANESE_FONT);
    font.setFamilies(families);
    return font;
}

void useInterfaceFont() { QApplication::setFont(interfaceFont(QApplication::font())); }

bool japaneseFontInstalled() { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }
