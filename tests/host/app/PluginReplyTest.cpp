// What the host makes of a plug-in's OnInitialize reply: the menu items it
// offers, in a fixed order, with odd keys and empty captions left out and
// told, and no more items than a menu can sensibly hold.
#include "PluginModule.h"

#include <gtest/gtest.h>

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

} // namespace
