// The kvdump tool, run as a user runs it: files written by the document and
// files damaged by hand, checked through its output, messages and exit codes.
#include "DocumentSupport.h"

#include "model/CRace.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace
{

struct RunResult {
    int nExitCode = -1;
    std::string strOut;
    std::string strErr;
};

std::string KvdumpPath()
{
    const char* pszBinDir = std::getenv("KURVO_BIN_DIR");
    return std::string(pszBinDir != nullptr ? pszBinDir : ".") + "/kvdump";
}

RunResult RunKvdump(const TempDir& dir, std::vector<std::string> args)
{
    const auto outPath = dir / "stdout.txt";
    const auto errPath = dir / "stderr.txt";
    const std::string strProgram = KvdumpPath();
    args.insert(args.begin(), strProgram);
    const pid_t pid = fork();
    if (pid == 0) {
        const int hOut = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int hErr = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (hOut < 0 || hErr < 0 || dup2(hOut, 1) < 0 || dup2(hErr, 2) < 0)
            _exit(127);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(strProgram.c_str(), argv.data());
        _exit(127);
    }
    RunResult result;
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    result.nExitCode = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    const Bytes out = ReadFileBytes(outPath);
    const Bytes err = ReadFileBytes(errPath);
    result.strOut.assign(out.begin(), out.end());
    result.strErr.assign(err.begin(), err.end());
    return result;
}

// "Orcs" in Russian, in the Windows-1251 code page and in UTF-8.
const char* const kOrcsAnsi = "\xCE\xF0\xEA\xE8";
const char* const kOrcsUtf8 = "\xD0\x9E\xD1\x80\xD0\xBA\xD0\xB8";

class KvdumpTest : public ::testing::Test
{
protected:
    RunResult Dump(const Bytes& bytes)
    {
        const auto path = m_dir / "chart.kv";
        WriteFileBytes(path, bytes);
        return RunKvdump(m_dir, {path.string()});
    }

    void ExpectRefused(const Bytes& bytes, const std::string& strCause)
    {
        const RunResult result = Dump(bytes);
        EXPECT_EQ(result.nExitCode, 1);
        EXPECT_TRUE(result.strOut.empty());
        const std::string strPrefix = "kvdump: " + (m_dir / "chart.kv").string() + ": ";
        EXPECT_EQ(result.strErr.rfind(strPrefix, 0), 0u) << result.strErr;
        EXPECT_NE(result.strErr.find(strCause), std::string::npos) << result.strErr;
        EXPECT_EQ(std::count(result.strErr.begin(), result.strErr.end(), '\n'), 1)
            << "one line: " << result.strErr;
    }

    TempDir m_dir;
};

TEST_F(KvdumpTest, ADocumentFileIsPrintedWithNamesInUtf8)
{
    CKurvoDoc doc;
    {
        InstalledHost host;
        host.games = {{"G1", 2, {kOrcsAnsi, "Elves"}}, {"G2", 0, {"Trolls"}}};
        host.figures = [](const std::string&, int nTurn) {
            RecordingHost::Figures figures = RecordingHost::DefaultFigures("", nTurn);
            if (nTurn == 1)
                figures.erase("Population");
            return figures;
        };
        doc.ToggleFlags(2 | 16);
        doc.ResetRaces();
    }
    CStringList names;
    names.AddTail(kOrcsAnsi);
    doc.AddSelectedRaces(names);
    const auto path = m_dir / "save.kv";
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));

    const RunResult result = RunKvdump(m_dir, {path.string()});
    ASSERT_EQ(result.nExitCode, 0) << result.strErr;
    EXPECT_TRUE(result.strErr.empty());
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut)).object();
    EXPECT_EQ(json["selection"].toArray(), QJsonArray{QString::fromUtf8(kOrcsUtf8)});
    EXPECT_EQ(json["chartFlags"].toInt(), 19);
    EXPECT_TRUE(json["changed"].toBool());
    EXPECT_EQ(json["shownStatistics"].toArray(), (QJsonArray{"Industry", "DrivesTech"}));
    EXPECT_EQ(json["raceCollection"].toObject()["class"].toString(), "CManBi");

    const QJsonArray races = json["races"].toArray();
    ASSERT_EQ(races.size(), 3);
    const QJsonObject elves = races[0].toObject();
    EXPECT_EQ(elves["name"].toString(), "Elves");
    EXPECT_EQ(elves["game"].toString(), "G1");
    EXPECT_EQ(elves["turns"].toInt(), 2);
    const QJsonArray blocks = elves["blocks"].toArray();
    ASSERT_EQ(blocks.size(), 5);
    const QJsonObject industry = blocks[0].toObject();
    EXPECT_EQ(industry["statistic"].toString(), "Industry");
    EXPECT_EQ(industry["kind"].toInt(), 1);
    EXPECT_EQ(industry["maximum"].toInt(), 200);
    EXPECT_EQ(industry["color"].toInt(), 255);
    EXPECT_EQ(industry["values"].toArray(), (QJsonArray{100, 200}));
    EXPECT_EQ(blocks[1].toObject()["values"].toArray(), (QJsonArray{200, QJsonValue()}))
        << "a turn without data is null";
    EXPECT_EQ(races[1].toObject()["name"].toString(), "Trolls");
    EXPECT_EQ(races[1].toObject()["blocks"].toArray().size(), 0);
    EXPECT_EQ(races[2].toObject()["name"].toString(), QString::fromUtf8(kOrcsUtf8));
}

// Splits one CSV line as RFC 4180 quotes it.
QStringList CsvFields(const QString& line)
{
    QStringList fields{QString()};
    bool bQuoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (bQuoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.last() += line[++i];
        else if (ch == '"')
            bQuoted = !bQuoted;
        else if (ch == ',' && !bQuoted)
            fields << QString();
        else
            fields.last() += ch;
    }
    return fields;
}

TEST_F(KvdumpTest, CsvTableHoldsEveryFigureOfTheJsonDumpInTheHostsUnits)
{
    CKurvoDoc doc;
    {
        InstalledHost host;
        host.games = {{"G, \"one\"", 3, {kOrcsAnsi, "Elves"}}};
        host.figures = [](const std::string&, int nTurn) {
            RecordingHost::Figures figures = RecordingHost::DefaultFigures("", nTurn);
            if (nTurn == 2)
                figures.erase("DrivesTech");
            return figures;
        };
        doc.ResetRaces();
    }
    const auto path = m_dir / "save.kv";
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    const RunResult json = RunKvdump(m_dir, {path.string()});
    const RunResult csv = RunKvdump(m_dir, {"--csv", path.string()});
    ASSERT_EQ(csv.nExitCode, 0) << csv.strErr;

    QStringList lines = QString::fromStdString(csv.strOut).split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.takeFirst(), "game,race,statistic,turn,value");
    QStringList expected;
    for (const QJsonValue& race : QJsonDocument::fromJson(QByteArray::fromStdString(json.strOut))
                                      .object()["races"]
                                      .toArray()) {
        for (const QJsonValue& block : race["blocks"].toArray()) {
            const double dScale = block["kind"].toInt() <= 2 ? 100.0 : 100000.0;
            const QJsonArray values = block["values"].toArray();
            for (int t = 0; t < values.size(); ++t) {
                const QString value =
                    values[t].isNull() ? QString() : QString::number(values[t].toDouble() / dScale);
                expected << QStringList{race["game"].toString(), race["name"].toString(),
                                        block["statistic"].toString(), QString::number(t + 1),
                                        value}
                                .join('|');
            }
        }
    }
    QStringList rows;
    for (const QString& line : lines) {
        QStringList fields = CsvFields(line);
        ASSERT_EQ(fields.size(), 5) << line.toStdString();
        if (!fields[4].isEmpty())
            fields[4] = QString::number(fields[4].toDouble());
        rows << fields.join('|');
    }
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const QString& row) {
        return row.contains("|DrivesTech|") && row.endsWith('|');
    })) << "a missing figure is an empty cell";
}

TEST_F(KvdumpTest, ARacesCollectionShowsItsStateWord)
{
    ByteWriter file;
    file.Long(0).NewClass("CRaces").Long(0).Long(3).Long(1);
    const RunResult result = Dump(file.Get());
    ASSERT_EQ(result.nExitCode, 0) << result.strErr;
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut)).object();
    const QJsonObject collection = json["raceCollection"].toObject();
    EXPECT_EQ(collection["class"].toString(), "CRaces");
    EXPECT_EQ(collection["state"].toInt(), 3);
    EXPECT_EQ(json["races"].toArray().size(), 0);
}

// One race of one turn, every block's header as given (turn count, maximum,
// minimum, kind, colour), values 0.
Bytes OneRaceFile(const std::array<int32_t, 5>& header, int32_t lFlags = 1)
{
    ByteWriter file;
    file.Long(0).NewClass("CManBi").Long(1).NewClass("CRace").Str("Orcs").Str("G1").Long(1);
    for (int k = 1; k <= 5; ++k)
        file.Long(0);
    for (int j = 4; j >= 0; --j) {
        for (int k = 1; k <= 5; ++k)
            file.Long(j == 3 ? k : header[size_t(j)]);
    }
    return file.Long(lFlags).Get();
}

TEST_F(KvdumpTest, MalformedFilesAreRefusedWithTheirCause)
{
    const Bytes valid = OneRaceFile({1, 0, 0, 3, 0});
    ASSERT_EQ(Dump(valid).nExitCode, 0);

    ExpectRefused(Bytes(valid.begin(), valid.end() - 1), "end of file");
    Bytes trailing = valid;
    trailing.push_back(0);
    ExpectRefused(trailing, "after the end of the chart");
    ExpectRefused(Bytes(), "empty");
    ExpectRefused(OneRaceFile({2, 0, 0, 3, 0}), "Invalid file format");
    ExpectRefused(OneRaceFile({1, -5, 0, 3, 0}), "Industry block: maximum -5 is below 0");
    ExpectRefused(OneRaceFile({1, 0, 7, 3, 0}), "minimum 7 is above 0");
    ExpectRefused(OneRaceFile({1, 0, 0, 3, 0}, 0x41), "chart flags 65");
    ExpectRefused(ByteWriter()
                      .Long(2)
                      .NewClass("CObString")
                      .Str("a")
                      .ClassRef(1)
                      .Str("a")
                      .Null()
                      .Long(1)
                      .Get(),
                  "the selection names \"a\" twice");
    ExpectRefused(ByteWriter()
                      .Long(2)
                      .NewClass("CObString")
                      .Str("a\nb")
                      .ClassRef(1)
                      .Str("a\nb")
                      .Null()
                      .Long(1)
                      .Get(),
                  "the selection names \"a\\x0Ab\" twice");
    ByteWriter twice;
    twice.Long(0).NewClass("CManBi").Long(2).NewClass("CRace").Str("Orcs").Str("G1").Long(0);
    for (int i = 0; i < 2; ++i) {
        if (i == 1)
            twice.ClassRef(3).Str("Orcs").Str("G1").Long(0);
        for (int j = 4; j >= 0; --j) {
            for (int k = 1; k <= 5; ++k)
                twice.Long(j == 3 ? k : 0);
        }
    }
    ExpectRefused(twice.Long(1).Get(), "race \"Orcs\" of game \"G1\" is stored twice");
}

TEST_F(KvdumpTest, UnreadableFilesAndWrongCommandLines)
{
    const auto missing = m_dir / "missing.kv";
    RunResult result = RunKvdump(m_dir, {missing.string()});
    EXPECT_EQ(result.nExitCode, 1);
    EXPECT_EQ(result.strErr,
              "kvdump: " + missing.string() + ": cannot open the file: The file was not found\n");
    result = RunKvdump(m_dir, {m_dir.Path().string()});
    EXPECT_EQ(result.nExitCode, 1);
    EXPECT_NE(result.strErr.find("folder"), std::string::npos);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"a.kv", "b.kv"}, {"--bogus"}, {""}}) {
        result = RunKvdump(m_dir, args);
        EXPECT_EQ(result.nExitCode, 2);
        EXPECT_EQ(result.strErr.rfind("usage: kvdump", 0), 0u);
        EXPECT_TRUE(result.strOut.empty());
    }
    result = RunKvdump(m_dir, {"--help"});
    EXPECT_EQ(result.nExitCode, 0);
    EXPECT_EQ(result.strOut.rfind("usage: kvdump [--csv] FILE.kv", 0), 0u);
}

} // namespace
