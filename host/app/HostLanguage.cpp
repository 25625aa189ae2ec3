#include "HostLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QTranslator>

namespace
{
// Where the build puts the host's own translations, inside the program.
const QString kOwnFolder = QStringLiteral(":/i18n");
const QString kOwnPrefix = QStringLiteral("kurvo-host_");

std::vector<QPointer<QTranslator>>& installed()
{
    static std::vector<QPointer<QTranslator>> translators;
    return translators;
}

// language[_territory][.codeset][@modifier] without codeset and modifier.
QString bareLocale(const QString& name)
{
    return name.section(QRegularExpression(QStringLiteral("[.@]")), 0, 0);
}

bool isCLocale(const QString& locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
           locale.startsWith(QLatin1String("C."));
}

bool isEnglish(const QString& language)
{
    return language == QLatin1String("en") || language.startsWith(QLatin1String("en_"));
}

void add(QTranslator* translator)
{
    QCoreApplication::installTranslator(translator);
    installed().emplace_back(translator);
}
} // namespace

QStringList HostLanguage::wanted(const QProcessEnvironment& environment)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QString::fromLatin1(name));
        if (!locale.isEmpty())
            break;
    }
    if (isCLocale(locale))
        return {};
    QStringList languages;
    const QStringList listed =
        environment.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& language : listed + QStringList{locale}) {
        const QString bare = bareLocale(language);
        if (!bare.isEmpty() && !languages.contains(bare))
            languages << bare;
    }
    return languages;
}

QString HostLanguage::install(const QStringList& languages)
{
    for (const QString& language : languages) {
        if (isEnglish(language))
            return {};
        // QTranslator falls back from "ru_RU" to "ru" by itself.
        auto* own = new QTranslator(QCoreApplication::instance());
        if (!own->load(kOwnPrefix + language, kOwnFolder)) {
            delete own;
            continue;
        }
        add(own);
        // Qt's own (the standard buttons and dialogs) where the system has them.
        auto* qt = new QTranslator(QCoreApplication::instance());
        if (qt->load(QStringLiteral("qtbase_") + language,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            add(qt);
        else
            delete qt;
        return language;
    }
    return {};
}

void HostLanguage::uninstall()
{
    for (const QPointer<QTranslator>& translator : installed()) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    installed().clear();
}
