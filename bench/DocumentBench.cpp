// The chart document against a large game (100 races of 500 turns), with the
// host's own request handler as the callback.
//
// Refresh: a new document fetches every race (ResetRaces). Its baseline sends
// the very same requests to the same callback, filling each request map by
// hand and reading every reply key into a plain array: the cost of the
// protocol and the host alone, without the document's fetch and collection.
//
// SaveLoad: the refreshed document saved to a file and opened into a new
// document. Its baseline writes the same bytes with the same care (a
// temporary file synced to disk, renamed over the target, then the folder
// synced so that the rename lasts) and reads them back: the cost of the file
// alone, without the archive and the objects.
#include "DataManager.h"
#include "GameGenerator.h"
#include "GameStore.h"
#include "document/CKurvoDoc.h"
#include "plugin/CKurvoApp.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kRaces = 100;
constexpr int kTurns = 500;

// The generated game, loaded once, answering through the host's handler.
class LargeGame
{
public:
    static LargeGame& instance()
    {
        static LargeGame game;
        return game;
    }

    GameStore& store() { return m_store; }
    const std::string& folder() const { return m_folder; }
    void install()
    {
        m_manager->makeCurrent();
        theApp.m_pfnDataManager = &DataManager::callback;
    }

private:
    LargeGame()
    {
        GameShape shape;
        shape.name = QStringLiteral("Bench");
        shape.races = kRaces;
        shape.turns = kTurns;
        shape.seed = 7;
        GameGenerator generator(shape);
        QString error;
        if (!generator.write(m_dir.path(), error)) {
            std::fprintf(stderr, "cannot generate the game: %s\n", qPrintable(error));
            std::exit(1);
        }
        m_store.load(m_dir.path());
        m_folder = m_dir.path().toStdString();
        m_manager = std::make_unique<DataManager>(m_store);
    }

    QTemporaryDir m_dir;
    GameStore m_store;
    std::string m_folder;
    std::unique_ptr<DataManager> m_manager;
};

std::unique_ptr<CKurvoDoc> RefreshedDocument()
{
    LargeGame::instance().install();
    auto doc = std::make_unique<CKurvoDoc>();
    doc->ResetRaces();
    return doc;
}

void Document_Refresh(benchmark::State& state)
{
    LargeGame::instance().install();
    for (auto _ : state) {
        CKurvoDoc doc;
        doc.ResetRaces();
        benchmark::DoNotOptimize(doc.GetRaces()->GetCount());
    }
}

// One request as the plug-in sends it.
void Request(CMapStringToString& map, const CString& strGame, const CString& strTurn,
             LPCSTR lpszFunction, LPCSTR lpszParam1, const CString& strParam2)
{
    map.RemoveAll();
    map.SetAt("GameName", strGame);
    map.SetAt("Turn", strTurn);
    map.SetAt("Function", lpszFunction);
    map.SetAt("Parameter.1", lpszParam1);
    if (!strParam2.IsEmpty())
        map.SetAt("Parameter.2", strParam2);
    map.SetAt("Parameters.Count", strParam2.IsEmpty() ? "1" : "2");
    DataManager::callback(map);
}

// A figure as the fetch stores it (scaled, truncated), or -1 when absent.
long ReadFigure(const CMapStringToString& map, LPCSTR lpszKey)
{
    CString strValue;
    return map.Lookup(lpszKey, strValue) ? long(std::atof(strValue) * 100) : -1;
}

int ReadCount(const CMapStringToString& map)
{
    CString strValue;
    return map.Lookup("Count", strValue) ? std::atoi(strValue) : 0;
}

void Baseline_Refresh(benchmark::State& state)
{
    LargeGame::instance().install();
    static const LPCSTR kReplyKeys[] = {"Industry", "Population", "WeaponsTech", "DrivesTech",
                                        "ShieldsTech"};
    for (auto _ : state) {
        CMapStringToString map(10);
        std::vector<long> values;
        Request(map, CString(), CString(), "List", "Games", CString());
        const CString strGame = "Bench";
        Request(map, strGame, "0", "List", "Races", CString());
        std::vector<CString> races;
        CString strName;
        for (int i = ReadCount(map); i > 0; --i) {
            map.Lookup(std::to_string(i).c_str(), strName);
            races.push_back(strName);
        }
        for (const CString& strRace : races) {
            Request(map, strGame, "0", "Get", "RaceColor", strRace);
            values.push_back(ReadFigure(map, "Color"));
            Request(map, strGame, CString(), "List", "Turns", CString());
            const long nTurns = ReadCount(map);
            values.reserve(values.size() + size_t(nTurns) * 5);
            for (long t = nTurns - 1; t >= 0; --t) {
                Request(map, strGame, std::to_string(t).c_str(), "Get", "Race", strRace);
                for (LPCSTR lpszKey : kReplyKeys)
                    values.push_back(ReadFigure(map, lpszKey));
            }
        }
        benchmark::DoNotOptimize(values.data());
    }
}

std::string ChartPath()
{
    return LargeGame::instance().folder() + "/save.kv";
}

void Document_SaveLoad(benchmark::State& state)
{
    std::unique_ptr<CKurvoDoc> doc = RefreshedDocument();
    theApp.m_pfnDataManager = nullptr;
    const std::string strPath = ChartPath();
    for (auto _ : state) {
        if (!doc->OnSaveDocument(strPath.c_str()))
            state.SkipWithError("save failed");
        CKurvoDoc read;
        if (!read.OnOpenDocument(strPath.c_str()))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(read.GetRaces());
    }
}

std::vector<char> ReadAll(const std::string& strPath)
{
    std::vector<char> bytes;
    const int hFile = ::open(strPath.c_str(), O_RDONLY);
    char buffer[4096];
    for (ssize_t n; (n = ::read(hFile, buffer, sizeof buffer)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    ::close(hFile);
    return bytes;
}

void Baseline_SaveLoad(benchmark::State& state)
{
    {
        std::unique_ptr<CKurvoDoc> doc = RefreshedDocument();
        theApp.m_pfnDataManager = nullptr;
        doc->OnSaveDocument(ChartPath().c_str());
    }
    const std::vector<char> bytes = ReadAll(ChartPath());
    const std::string strPath = ChartPath() + ".raw";
    const std::string strTemp = strPath + ".tmp";
    for (auto _ : state) {
        const int hFile = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        bool bWritten = ::write(hFile, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        bWritten = ::fsync(hFile) == 0 && bWritten;
        ::close(hFile);
        if (!bWritten || ::rename(strTemp.c_str(), strPath.c_str()) != 0)
            state.SkipWithError("write failed");
        const int hFolder = ::open(LargeGame::instance().folder().c_str(), O_RDONLY | O_DIRECTORY);
        ::fsync(hFolder);
        ::close(hFolder);
        benchmark::DoNotOptimize(ReadAll(strPath).data());
    }
}

} // namespace

BENCHMARK(Document_Refresh)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Baseline_Refresh)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Document_SaveLoad)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Baseline_SaveLoad)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
