#include "platform/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

// Alive to the end of the process: texts are still translated while exit()
// runs the window's close after the display went away (from an atexit
// handler up to Qt 6.8; Form::closeWithoutDisplay).
QTranslator &ownTranslation()
{
    static QTranslator *const translator = new QTranslator;
    return *translator;
}

QTranslator &qtTranslation()
{
    static QTranslator *const translator = new QTranslator;
    return *translator;
}

// The file names a translation may have for one of the user's languages, best
// first: the language as the user names it (fr_CA), the language alone (fr),
// then its main variant (pt_BR for pt_PT), so that a regional variant reads
// its language where the folder has no file of its own for it.
QStringList variantsOf(const QLocale &language)
{
    QStringList names{language.name(), language.name().section(QLatin1Char('_'), 0, 0),
                      QLocale(language.language(), language.script(), QLocale::AnyTerritory).name()};
    names.removeDuplicates();
    return names;
}

// Loads `name`_<variant>.qm from the folder for the first of the languages
// that has one, and gives that language; English and C read the source
// texts, so a list such as "en:de" stops at English. Loading nothing
// empties the translator of an earlier language.
QString load(QTranslator &translator, const QString &name, const QString &folder, const QStringList &languages)
{
    for (const QString &language : languages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::C || locale.language() == QLocale::English)
            break;
        for (const QString &variant : variantsOf(locale)) {
            const QString file = folder + QLatin1Char('/') + name + QLatin1Char('_') + variant + QLatin1String(".qm");
            if (QFileInfo::exists(file) && translator.load(file))
                return language;
        }
    }
    static_cast<void>(translator.load(QString()));
    return {};
}

void install(QTranslator &translator)
{
    if (!QCoreApplication::instance())
        return;
    // Installed once; an empty one stays out, as it translates nothing.
    QCoreApplication::removeTranslator(&translator);
    if (!translator.isEmpty())
        QCoreApplication::installTranslator(&translator);
}

// Made before main(), so that they outlive the close that exit() may run.
QByteArray ownName;
bool ownLoaded = false;
// The user's language ours was found for; empty while the source texts are read.
QString ownLanguage;
bool qtLoaded = false;
QStringList qtLoadedFor;

QTranslator &loadedOwn()
{
    if (!ownLoaded && !ownName.isEmpty())
        ownLanguage
            = load(ownTranslation(), QString::fromUtf8(ownName), QStringLiteral(":/i18n"), QLocale().uiLanguages());
    ownLoaded = true;
    return ownTranslation();
}

} // namespace

void useTranslation(const char *name)
{
    ownName = name;
    ownLoaded = false;
    ownLanguage.clear();
    if (QCoreApplication::instance())
        installTranslation();
}

void installTranslation() { install(loadedOwn()); }

QString translated(const char *context, const char *source)
{
    const QString text = loadedOwn().translate(context, source);
    return text.isNull() ? QString::fromUtf8(source) : text;
}

void loadQtTranslation()
{
    loadedOwn();
    // Qt's texts speak the language ours were found for, so that one window
    // reads in one language: English beside the source texts.
    QStringList languages = QLocale().uiLanguages();
    if (!ownName.isEmpty())
        languages = ownLanguage.isEmpty() ? QStringList() : QStringList{ownLanguage};
    if (qtLoaded && languages == qtLoadedFor)
        return;
    qtLoaded = true;
    qtLoadedFor = languages;
    load(qtTranslation(), QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath), languages);
    install(qtTranslation());
}

} // namespace platform
