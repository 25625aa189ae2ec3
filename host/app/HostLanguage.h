// The language the host speaks: its own texts and Qt's standard ones in the
// first of the user's languages that it has a translation for, English (the
// texts as written) when none or English comes first.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class HostLanguage
{
public:
    // The user's languages, most wanted first, read as gettext reads them:
    // LANGUAGE's colon-separated list, then the messages locale (LC_ALL,
    // LC_MESSAGES, LANG, the first set). Under the C locale nothing, since
    // gettext then leaves LANGUAGE unread. Codesets and modifiers dropped:
    // "ru_RU.UTF-8" is "ru_RU".
    static QStringList wanted(const QProcessEnvironment& environment);

    // Installs on the application the translations for the first of
    // languages that has one; the language installed, empty for English.
    static QString install(const QStringList& languages);
    // Takes out what install() put in, so that texts made later are English.
    static void uninstall();
};
