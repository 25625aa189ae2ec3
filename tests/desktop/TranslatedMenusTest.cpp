// The host started as a Russian-speaking user starts it, its menu bar read
// as a screen reader reads it: from the accessibility tree, out of the
// host's process.
#include "AtspiListener.h"
#include "HostProcess.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

QStringList MenuBarItems(AtspiListener& listener)
{
    QStringList names;
    for (const QJsonObject& found : listener.find("menu item")) {
        if (found.value("parent").toString() == "menu bar")
            names << found.value("name").toString();
    }
    return names;
}

TEST(TranslatedMenusTest, RussianLocaleGivesRussianMenuBar)
{
    if (qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        GTEST_SKIP() << "no accessibility bus: run through with-a11y-bus";
    if (QGuiApplication::platformName() == "offscreen")
        GTEST_SKIP() << "not on a display server";
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("LC_ALL");
    environment.remove("LC_MESSAGES");
    environment.insert("LANGUAGE", "ru");
    environment.insert("LANG", "ru_RU.UTF-8");
    QProcess host;
    host.setProcessEnvironment(environment);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(BinDir() + "/kurvo-host", {"--plugins", PluginFolderIn(dir.path()), "--games",
                                          SampleGamesDir(), "--start-dir", dir.filePath("start")});
    ASSERT_TRUE(host.waitForStarted()) << host.errorString().toStdString();

    AtspiListener listener(host.processId());
    ASSERT_TRUE(listener.start()) << listener.dump().toStdString();
    QStringList menus;
    // The host registers on the bus once its window is up.
    WaitFor([&] { return !(menus = MenuBarItems(listener)).isEmpty(); }, 20000);
    host.terminate();
    host.waitForFinished(5000);

    ASSERT_FALSE(menus.isEmpty()) << "no menu bar in the tree:\n" << listener.dump().toStdString();
    if (menus.contains("File") && menus.contains("Help"))
        GTEST_SKIP() << "the host has no Russian translation";
    const QRegularExpression cyrillic("\\p{Cyrillic}");
    for (const QString& name : menus)
        EXPECT_TRUE(name.contains(cyrillic)) << name.toStdString();
}

} // namespace
