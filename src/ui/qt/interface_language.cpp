#include "ui/qt/interface_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>
#include <utility>

#include "ui/qt/interface_texts.h"
#include "ui/qt/translations.h"

namespace {

const char* const CONTEXT = "Torvane";
const QString JAPANESE = QStringLiteral("ja");

QString& current() {
    static QString language = JAPANESE;
    return language;
}

// The catalogue installed, replaced when another language is installed.
QTranslator*& installed() {
    static QTranslator* translator = nullptr;
    return translator;
}

QString catalogue(const QString& directory, const QString& language) {
    return QDir(directory).filePath(QStringLiteral("torvane_%1.qm").arg(language));
}

// The catalogue's entry, or an empty string when it has none.
QString entry(const QString& source) {
    const QByteArray bytes = source.toUtf8();
    const QString t = QCoreApplication::translate(CONTEXT, bytes.constData());
    return t == source ? QString() : t;
}

QString paragraph(const QString& source) {
    if (QString t = entry(source); !t.isEmpty()) return t;
    for (const char* pattern : interfacePatterns()) {
        const QString p = QString::fromUtf8(pattern);
        const qsizetype at = p.indexOf(QStringLiteral("%1"));
        const QString before = p.left(at), after = p.mid(at + 2);
        if (source.size() > before.size() + after.size() && source.startsWith(before) &&
            source.endsWith(after)) {
            const QString name = source.mid(before.size(), source.size() - p.size() + 2);
            const QString t = QCoreApplication::translate(CONTEXT, pattern);
            if (t != p) return t.arg(name);
        }
    }
    return source;
}

}  // namespace

QString chooseInterfaceLanguage(const QStringList& uiLanguages, const QString& directory) {
    for (const QString& tag : uiLanguages) {
        // "en-GB", "en_GB.UTF-8" and "en" alike; "C" and "POSIX" name no language.
        const QString language = tag.section(QLatin1Char('-'), 0, 0)
                                     .section(QLatin1Char('_'), 0, 0)
                                     .section(QLatin1Char('.'), 0, 0)
                                     .toLower();
        if (language == JAPANESE) return JAPANESE;
        if (language.size() < 2 || language == QStringLiteral("posix")) continue;
        if (QFileInfo(catalogue(directory, language)).isFile()) return language;
    }
    return JAPANESE;
}

QString installInterfaceLanguage(QCoreApplication& app, const QString& directory,
                                 const QStringList& uiLanguages) {
    const QString language = chooseInterfaceLanguage(uiLanguages, directory);
    if (QTranslator* before = std::exchange(installed(), nullptr)) {
        QCoreApplication::removeTranslator(before);
        delete before;
    }
    if (language == JAPANESE) {
        installJapaneseQtTexts(app);
    } else {
        auto* translator = new QTranslator(&app);
        // A damaged catalogue leaves the game in Japanese rather than half translated.
        if (!translator->load(catalogue(directory, language)) ||
            !QCoreApplication::installTranslator(translator)) {
            delete translator;
            installJapaneseQtTexts(app);
            return current() = JAPANESE;
        }
        installed() = translator;
    }
    return current() = language;
}

QString interfaceLanguage() { return current(); }

QString translated(std::string_view japanese) {
    const QString source = QString::fromUtf8(japanese.data(), qsizetype(japanese.size()));
    // Japanese needs no look-up: the clock's texts come twenty times a second.
    if (current() == JAPANESE || source.isEmpty()) return source;
    if (QString t = entry(source); !t.isEmpty()) return t;
    const QString gap = QStringLiteral("\n\n");
    if (!source.contains(gap)) return paragraph(source);
    QStringList parts = source.split(gap);
    for (QString& part : parts) part = paragraph(part);
    return parts.join(gap);
}

QString localizedPage(const QString& path) {
    if (current() == JAPANESE) return path;
    const QFileInfo page(path);
    const QString other = page.dir().filePath(
        QStringLiteral("%1_%2.%3").arg(page.completeBaseName(), current(), page.suffix()));
    return QFileInfo(other).isFile() ? other : path;
}
