#pragma once

#include <QString>

namespace platform {

// The program's own translation, ":/i18n/<name>_<language>.qm" from its
// resources, for the user's languages as Qt reads them (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG; QLocale::setDefault wins): the first one it has, unless
// English (the source texts) or C comes first. A regional variant reads its
// language: fr_CA the file fr, pt_PT the file pt_BR where there is no pt_PT
// or pt. Naming it costs nothing; it is loaded when a text first needs it,
// or installed for tr() once the application exists. Named again, it follows
// the default locale anew.
void useTranslation(const char *name);
void installTranslation();

// A text of ours said where no application is there to translate it yet
// (the command line, a display that cannot be opened); the source is marked
// with QT_TRANSLATE_NOOP in the same context.
QString translated(const char *context, const char *source);

// Qt's own texts, those of its dialogs and message boxes, in the same
// language: qtbase_<language>.qm from Qt's translations folder for the
// language the program's own translation was found for, in English where it
// reads its source texts (the user's languages when none is named). Loaded
// the first time one of them opens rather than at start.
void loadQtTranslation();

} // namespace platform
