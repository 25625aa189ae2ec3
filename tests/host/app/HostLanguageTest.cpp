// The host's language: chosen from the environment as gettext chooses, the
// window in it, and a translation for every text the sources hold.
#include "HostLanguage.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"

#include <afxqt.h>
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace
{
QProcessEnvironment Environment(const QStringList& entries)
{
    QProcessEnvironment environment;
    for (const QString& entry : entries)
        environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
    return environment;
}

struct LanguageGuard {
    ~LanguageGuard() { HostLanguage::uninstall(); }
};
} // namespace

TEST(HostLanguageTest, TheLanguageIsTheFirstWantedOneThatTheHostHas)
{
    struct Case {
        QStringList environment;
        QString installed;
    };
    const Case cases[] = {
        {{"LANG=ru_RU.UTF-8"}, "ru_RU"},
        {{"LANGUAGE=de:ru", "LANG=de_DE.UTF-8"}, "ru"},
        {{"LANGUAGE=en:ru", "LANG=ru_RU.UTF-8"}, ""},
        {{"LC_MESSAGES=ru_RU.UTF-8@euro", "LANG=en_GB.UTF-8"}, "ru_RU"},
        {{"LC_ALL=C.UTF-8", "LANG=ru_RU.UTF-8"}, ""},
        // gettext leaves LANGUAGE unread under the C locale.
        {{"LANGUAGE=ru", "LANG=C"}, ""},
        {{"LANGUAGE=ru"}, ""},
        {{"LANGUAGE=::xx_YY:", "LANG=ru_UA.KOI8-U"}, "ru_UA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment.join(' ').toStdString());
        LanguageGuard guard;
        EXPECT_EQ(HostLanguage::install(HostLanguage::wanted(Environment(c.environment))),
                  c.installed);
    }
}

TEST(HostLanguageTest, ARussianUserGetsTheWindowInRussian)
{
    LanguageGuard guard;
    ASSERT_FALSE(HostLanguage::install(
                     HostLanguage::wanted(Environment({"LANGUAGE=ru", "LANG=ru_RU.UTF-8"})))
                     .isEmpty());
    QTemporaryDir empty;
    HostOptions options;
    options.pluginFolder = options.startFolder = empty.path();
    options.gamesFolder = SampleGamesDir();
    HostSession session(*static_cast<HostApp*>(AfxGetApp()));
    HostWindow window(session, options);
    window.setReporter([](const QString&) {});
    QString error;
    ASSERT_TRUE(window.start(error));
    QStringList menus;
    for (const QAction* menu : window.mainWindow()->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&Файл", "&Модули", "&Окно", "&Справка"}));
    EXPECT_EQ(window.mainWindow()->windowTitle(), "Хост KURVO7");
    // Qt's own texts too, where the system has their translation.
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm")) {
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Отмена");
    }
}

// lupdate over today's sources, into a copy of the translation: a text that
// is new, or changed since it was translated, comes out unfinished.
TEST(HostLanguageTest, EveryTextOfTheHostIsTranslated)
{
    QTemporaryDir dir;
    const QString ts = dir.filePath("kurvo-host_ru.ts");
    ASSERT_TRUE(QFile::copy(SourceDir() + "/host/translations/kurvo-host_ru.ts", ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(LUPDATE_PATH, {"-no-obsolete", "-locations", "none", "-silent",
                                 SourceDir() + "/host", "-ts", ts});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int messages = 0;
    QString source;
    const QRegularExpression placeholder("%(\\d|n)");
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            ++messages;
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            SCOPED_TRACE(source.toStdString());
            EXPECT_TRUE(xml.attributes().value("type").isEmpty());
            const QString text =
                xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            EXPECT_FALSE(text.isEmpty());
            // A lost argument would be a text .arg() cannot fill.
            for (const QRegularExpressionMatch& match : placeholder.globalMatch(source))
                EXPECT_TRUE(text.contains(match.captured())) << match.captured().toStdString();
            EXPECT_EQ(source.contains('&'), text.contains('&')) << "keyboard mnemonic";
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 50);
}
