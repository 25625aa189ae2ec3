// The small text formats of the game files: CSV records, colours and turn
// numbers.
#include "CsvReader.h"
#include "CsvTableReader.h"
#include "CsvWriter.h"
#include "RaceColor.h"
#include "TestGames.h"
#include "TurnNumber.h"

#include <gtest/gtest.h>

namespace
{
using Records = std::vector<std::vector<std::string>>;

struct ReadCase {
    const char* what;
    std::string text;
    Records records;
    std::vector<int> lines;
};

TEST(CsvReader, ReadsWhatSpreadsheetsWrite)
{
    const ReadCase cases[] = {
        {"LF", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"CRLF", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"no final line end", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"byte-order mark", "\xEF\xBB\xBFrace,color\n", {{"race", "color"}}, {1}},
        {"empty fields", ",,\n", {{"", "", ""}}, {1}},
        {"blank line", "a\n\nb\n", {{"a"}, {""}, {"b"}}, {1, 2, 3}},
        {"quoted comma and quote", "\"x, \"\"y\"\"\",z\n", {{"x, \"y\"", "z"}}, {1}},
        {"line break inside quotes",
         "\"one\r\ntwo\",3\nnext\n",
         {{"one\r\ntwo", "3"}, {"next"}},
         {1, 3}},
        {"quote inside an unquoted field", "ab\"c,d\n", {{"ab\"c", "d"}}, {1}},
        {"lone carriage return stays", "a\rb,c\n", {{"a\rb", "c"}}, {1}},
        {"empty quoted field", "\"\",x\n", {{"", "x"}}, {1}},
    };
    for (const ReadCase& c : cases) {
        CsvReader reader(c.text);
        Records records;
        std::vector<int> lines;
        std::vector<std::string> fields;
        while (reader.next(fields) == CsvReader::Status::Record) {
            records.push_back(fields);
            lines.push_back(reader.recordLine());
        }
        EXPECT_EQ(records, c.records) << c.what;
        EXPECT_EQ(lines, c.lines) << c.what;
    }
}

TEST(CsvReader, MalformedRecordIsSkippedWithItsLine)
{
    CsvReader reader("a\n\"x\"y,z\nb\n");
    std::vector<std::string> fields;
    ASSERT_EQ(reader.next(fields), CsvReader::Status::Record);
    ASSERT_EQ(reader.next(fields), CsvReader::Status::Error);
    EXPECT_EQ(reader.recordLine(), 2);
    EXPECT_NE(reader.errorMessage().find("closing quote"), std::string::npos);
    ASSERT_EQ(reader.next(fields), CsvReader::Status::Record);
    EXPECT_EQ(fields, std::vector<std::string>{"b"});
    EXPECT_EQ(reader.recordLine(), 3);
}

TEST(CsvReader, UnclosedQuoteEndsTheText)
{
    CsvReader reader("a\nb,\"never closed\nc\nd\n");
    std::vector<std::string> fields;
    ASSERT_EQ(reader.next(fields), CsvReader::Status::Record);
    ASSERT_EQ(reader.next(fields), CsvReader::Status::Error);
    EXPECT_EQ(reader.recordLine(), 2);
    EXPECT_EQ(reader.next(fields), CsvReader::Status::End);
}

// A file is read in pieces of a mebibyte; records cut by a piece's end,
// quoted fields longer than a piece among them, must come out as they do
// from the whole text, with the same lines in the log.
TEST(CsvTableReader, FileReadInPiecesGivesWhatTheWholeTextGives)
{
    std::string text = "\xEF\xBB\xBFName,Value\r\n";
    for (int i = 0; text.size() < 1'500'000; ++i) {
        text += "row" + std::to_string(i) + ",\"two\nlines, " + std::string(size_t(i % 97), 'x') +
                "\"\r\n";
        if (i % 5000 == 7)
            text += "\"bad\"x,1\nonly one field\n";
    }
    text += "big,\"" + std::string(2'500'000, 'y') + "\n\"\"end\"\nlast,\"never closed\n";
    TestGames games;
    const QString path = games.write(QStringLiteral("table.csv"), QByteArray::fromStdString(text));

    using Rows = std::vector<std::pair<int, std::vector<std::string>>>;
    const auto read = [&](bool fromFile, Rows& rows) {
        LoadLog log(1000);
        CsvTableReader reader({"value", "name"}, log);
        const auto onRow = [&](int line, const std::vector<std::string>& cells) {
            rows.emplace_back(line, cells);
        };
        EXPECT_TRUE(fromFile ? reader.readFile(path, onRow) : reader.readText(text, path, onRow));
        QStringList errors;
        for (const GameLoadError& error : log.errors())
            errors << error.toString();
        return errors;
    };
    Rows whole;
    Rows pieces;
    const QStringList wholeErrors = read(false, whole);
    EXPECT_EQ(read(true, pieces), wholeErrors);
    EXPECT_EQ(pieces, whole);
    ASSERT_GT(whole.size(), 2u);
    EXPECT_EQ(whole.back().second,
              (std::vector<std::string>{std::string(2'500'000, 'y') + "\n\"end", "big"}));
    EXPECT_EQ(wholeErrors.size(), 2 * 5 + 1);
}

TEST(CsvWriter, WhatItWritesReadsBackUnchanged)
{
    const std::vector<std::string> fields{"plain",    "with,comma", "say \"hi\"", "two\nlines",
                                          " padded ", "",           "Зорвены"};
    const std::string line = CsvWriter::record(fields, "\r\n");
    EXPECT_EQ(CsvWriter::field("plain"), "plain");
    CsvReader reader(line);
    std::vector<std::string> read;
    ASSERT_EQ(reader.next(read), CsvReader::Status::Record);
    EXPECT_EQ(read, fields);
    EXPECT_EQ(reader.next(read), CsvReader::Status::End);
}

TEST(RaceColor, ParsesOnlyHashAndSixHexDigits)
{
    EXPECT_EQ(RaceColor::parse("#FF8000"), 0x000080FFu);
    EXPECT_EQ(RaceColor::parse("#ff8000"), 0x000080FFu);
    EXPECT_EQ(RaceColor::parse("#123456"), 0x00563412u);
    for (const char* bad : {"", "FF8000", "#FF800", "#FF80000", "#GG0000", "# FF800", "#-12345"})
        EXPECT_FALSE(RaceColor::parse(bad)) << bad;
    EXPECT_EQ(RaceColor::format(0x00563412u), "#123456");
}

TEST(TurnNumber, AcceptsPlainDigitsUpToTheBound)
{
    EXPECT_EQ(TurnNumber::parse("0"), 0);
    EXPECT_EQ(TurnNumber::parse("007"), 7);
    EXPECT_EQ(TurnNumber::parse("100000"), 100000);
    for (const char* bad :
         {"", "-1", "+1", " 1", "1 ", "1.0", "1e3", "100001", "99999999999999999999999", "x"})
        EXPECT_FALSE(TurnNumber::parse(bad)) << bad;
}
} // namespace
