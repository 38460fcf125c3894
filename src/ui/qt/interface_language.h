#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>
#include <string_view>

class QCoreApplication;

// The language of the window's texts. Japanese is the source text, spoken when the desktop
// asks for Japanese or for a language without a catalogue; another language takes the
// catalogue torvane_<language>.qm from the data directory.

// The first of the desktop's languages (QLocale::system().uiLanguages(), led by $LANGUAGE)
// that the game speaks: "ja", or one whose catalogue is in `directory`. "ja" when none is.
QString chooseInterfaceLanguage(const QStringList& uiLanguages, const QString& directory);

// Installs the catalogue of the language chosen from the desktop's, or Qt's own Japanese
// texts (the standard buttons of message boxes) for Japanese, in place of the catalogue
// installed before. Answers the language.
QString installInterfaceLanguage(QCoreApplication& app, const QString& directory,
                                 const QStringList& uiLanguages = QLocale::system().uiLanguages());

// The language installed last: "ja" until another is installed.
QString interfaceLanguage();

// A text handed to the window by the game, in the interface language. Whole texts are looked
// up first; then the paragraphs of a message one by one, and the texts that embed a file name
// by their pattern. What has no entry (a file name, a player's name) stays as it is.
QString translated(std::string_view japanese);

// The help page in the interface language: "<name>_<language>.<suffix>" beside `path` when
// there is one, else `path` itself.
QString localizedPage(const QString& path);
