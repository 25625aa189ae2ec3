// CStringList and CMapStringToString.
#include <afx.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> Forward(const CStringList& list)
{
    std::vector<std::string> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.emplace_back(list.GetNext(pos).GetString());
    return items;
}

std::vector<std::string> Backward(const CStringList& list)
{
    std::vector<std::string> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        items.emplace_back(list.GetPrev(pos).GetString());
    return items;
}

TEST(StringList, OrderAndIteration)
{
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail("b");
    list.AddTail("c");
    list.AddHead("a");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Forward(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Backward(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_STREQ(list.GetHead(), "a");
    EXPECT_STREQ(list.GetTail(), "c");
}

TEST(StringList, RemoveAndFind)
{
    CStringList list;
    for (const char* psz : {"x", "y", "x", "z"})
        list.AddTail(psz);
    POSITION posFirstX = list.Find("x");
    ASSERT_NE(posFirstX, nullptr);
    POSITION posSecondX = list.Find("x", posFirstX);
    ASSERT_NE(posSecondX, nullptr);
    EXPECT_NE(posFirstX, posSecondX);
    EXPECT_EQ(list.Find("x", posSecondX), nullptr);
    EXPECT_EQ(list.Find("X"), nullptr); // exact

    list.RemoveAt(posSecondX);
    EXPECT_EQ(Forward(list), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_STREQ(list.RemoveHead(), "x");
    EXPECT_STREQ(list.RemoveTail(), "z");
    EXPECT_EQ(Forward(list), (std::vector<std::string>{"y"}));
    EXPECT_EQ(Backward(list), (std::vector<std::string>{"y"}));
    list.GetAt(list.GetHeadPosition()) = "changed";
    EXPECT_STREQ(list.GetHead(), "changed");
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail("again");
    EXPECT_EQ(Forward(list), (std::vector<std::string>{"again"}));
}

std::map<std::string, std::string> Contents(const CMapStringToString& map)
{
    std::map<std::string, std::string> items;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString strKey, strValue;
        map.GetNextAssoc(pos, strKey, strValue);
        EXPECT_TRUE(items.emplace(strKey.GetString(), strValue.GetString()).second)
            << "visited twice: " << strKey.GetString();
    }
    return items;
}

TEST(StringMap, LookupIsExact)
{
    CMapStringToString map;
    CString strValue;
    EXPECT_FALSE(map.Lookup("Command", strValue));
    map.SetAt("Command", "Kurvo");
    map["GameName"] = "\xC8\xE3\xF0\xE0";
    EXPECT_TRUE(map.Lookup("Command", strValue));
    EXPECT_STREQ(strValue, "Kurvo");
    EXPECT_FALSE(map.Lookup("command", strValue));
    EXPECT_FALSE(map.Lookup("Command ", strValue));
    map.SetAt("Command", "Other");
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Lookup("Command", strValue));
    EXPECT_STREQ(strValue, "Other");
    LPCSTR pszKey = nullptr;
    EXPECT_TRUE(map.LookupKey("GameName", pszKey));
    EXPECT_STREQ(pszKey, "GameName");
    EXPECT_TRUE(map[""].IsEmpty()); // operator[] makes an empty entry
    EXPECT_EQ(map.GetCount(), 3);
}

TEST(StringMap, IterationVisitsEveryEntryOnce)
{
    CMapStringToString map;
    map.InitHashTable(7); // long chains
    std::map<std::string, std::string> expected;
    for (int i = 0; i < 100; ++i) {
        std::string key = "key" + std::to_string(i);
        map.SetAt(key.c_str(), std::to_string(i * i).c_str());
        expected[key] = std::to_string(i * i);
    }
    EXPECT_EQ(Contents(map), expected);
    for (int i = 0; i < 100; i += 3) {
        std::string key = "key" + std::to_string(i);
        EXPECT_TRUE(map.RemoveKey(key.c_str()));
        EXPECT_FALSE(map.RemoveKey(key.c_str()));
        expected.erase(key);
    }
    EXPECT_EQ(map.GetCount(), int(expected.size()));
    EXPECT_EQ(Contents(map), expected);

    map.InitHashTable(101); // entries survive a new table
    EXPECT_EQ(map.GetHashTableSize(), 101u);
    EXPECT_EQ(Contents(map), expected);

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.SetAt("a", "b");
    EXPECT_EQ(Contents(map), (std::map<std::string, std::string>{{"a", "b"}}));
}

} // namespace
