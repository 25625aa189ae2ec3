// What the host makes of a plug-in's OnInitialize reply: the menu items it
// offers, in a fixed order, with odd keys and empty captions left out and
// told, and no more items than a menu can sensibly hold; and what it makes
// of a module that fails to load or start.
#include "HostProcess.h"
#include "PluginAbout.h"
#include "PluginHost.h"
#include "PluginModule.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace
{
std::vector<std::string> Captions(const std::vector<PluginModule::MenuItem>& items)
{
    std::vector<std::string> captions;
    for (const PluginModule::MenuItem& item : items)
        captions.push_back(item.caption.str());
    return captions;
}

TEST(PluginReply, MenuItemsComePlainFirstThenByNumberAndHostKeysAreIgnored)
{
    CMapStringToString reply;
    reply.SetAt("MainFrame", "1234");
    reply.SetAt("DataManager", "5678");
    reply.SetAt("MenuItem:51467", "Add Race(s) to Kurvo");
    reply.SetAt("MenuItem", "Kurvo");
    reply.SetAt("MenuItem:12", "\xC4\xE0"); // "Да" in the process code page
    QStringList problems;
    const auto items = PluginModule::readMenuItems(reply, problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    EXPECT_EQ(Captions(items),
              (std::vector<std::string>{"Kurvo", "\xC4\xE0", "Add Race(s) to Kurvo"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].display, QString::fromUtf8("Да")) << "shown decoded, sent back as given";
    EXPECT_EQ(items[2].number, 51467u);
}

TEST(PluginReply, MalformedKeysAndEmptyCaptionsAreLeftOutAndTold)
{
    CMapStringToString reply;
    reply.SetAt("MenuItem:", "no number");
    reply.SetAt("MenuItem:x1", "letters");
    reply.SetAt("MenuItemKurvo", "glued");
    reply.SetAt("MenuItem:12345678901", "too long a number");
    reply.SetAt("MenuItem:5", "");
    reply.SetAt("MenuItem:6", "Fine");
    QStringList problems;
    const auto items = PluginModule::readMenuItems(reply, problems);
    EXPECT_EQ(Captions(items), (std::vector<std::string>{"Fine"}));
    EXPECT_EQ(problems.size(), 5) << problems.join('\n').toStdString();
}

TEST(PluginReply, AFloodOfItemsIsCutToWhatAMenuHolds)
{
    CMapStringToString reply;
    for (int i = 1; i <= 1000; ++i) {
        CString key;
        key.Format("MenuItem:%d", i);
        reply.SetAt(key, "Item");
    }
    QStringList problems;
    const auto items = PluginModule::readMenuItems(reply, problems);
    EXPECT_EQ(items.size(), size_t(PluginModule::kMaxMenuItems));
    EXPECT_EQ(items.front().number, 1u);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.first().contains("1000"));
}

// Each way a module fails is recorded once, with its kind and detail, and
// the log and the Help window both tell it from that record.
TEST(PluginLoad, EachFailureIsRecordedOnceAndToldFromTheRecord)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath("broken.so"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a module\n");
    broken.close();
    struct Case {
        QString path;
        QString startFolder;
        PluginFailure::Kind kind;
        const char* detail;
    };
    const Case cases[] = {
        {dir.filePath("absent.so"), dir.path(), PluginFailure::Kind::NotFound, "no such file"},
        {broken.fileName(), dir.path(), PluginFailure::Kind::NotLoadable, "broken.so"},
        {QStringLiteral(NOT_A_PLUGIN_PATH), dir.path(), PluginFailure::Kind::MissingEntryPoints,
         "OnLoad, OnInitialize, OnUserCommand"},
        {BinDir() + "/KURVO7.so", dir.filePath("gone"), PluginFailure::Kind::FailedStart,
         "cannot enter the start folder"},
    };
    for (const Case& c : cases) {
        PluginHost host;
        EXPECT_FALSE(host.loadModule(c.path, {c.startFolder, "0", "0", "0"}));
        ASSERT_EQ(host.disabled().size(), 1u) << c.path.toStdString();
        const PluginFailure& failure = host.disabled().front();
        EXPECT_EQ(failure.kind, c.kind) << c.path.toStdString();
        EXPECT_TRUE(failure.detail.contains(c.detail)) << failure.detail.toStdString();
        EXPECT_EQ(host.problems(), QStringList{failure.logLine()});
        EXPECT_TRUE(PluginAbout::notInUseText(host.disabled()).contains(failure.helpLine()));
        EXPECT_TRUE(host.plugins().empty());
    }
}

} // namespace
