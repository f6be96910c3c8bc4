#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

// Alive to the end of the process: texts are still translated while exit()
// runs the window's close (Form::closeAtExit).
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

// The translation `name`_<language> in the folder for the first of the
// user's languages that has one. English and C read the source texts, so a
// list such as "en:de" stops at English.
bool load(QTranslator &translator, const QString &name, const QString &folder)
{
    for (const QString &language : QLocale().uiLanguages()) {
        const QLocale locale(language);
        if (locale.language() == QLocale::C || locale.language() == QLocale::English)
            break;
        if (translator.load(name + QLatin1Char('_') + locale.name(), folder))
            return true;
    }
    // Loading nothing empties it of an earlier language.
    static_cast<void>(translator.load(QString()));
    return false;
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

QByteArray ownName;
bool ownLoaded = false;

QTranslator &loadedOwn()
{
    if (!ownLoaded && !ownName.isEmpty())
        load(ownTranslation(), QString::fromUtf8(ownName), QStringLiteral(":/i18n"));
    ownLoaded = true;
    return ownTranslation();
}

} // namespace

void useTranslation(const char *name)
{
    ownName = name;
    ownLoaded = false;
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
    static QString loadedFor;
    const QString languages = QLocale().uiLanguages().join(QLatin1Char(':'));
    if (languages == loadedFor)
        return;
    loadedFor = languages;
    load(qtTranslation(), QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(qtTranslation());
}

} // namespace platform
