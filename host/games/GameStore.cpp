#include "GameStore.h"

#include "AnsiText.h"
#include "GameFolderReader.h"
#include "LoadLog.h"
#include "ScoreLogReader.h"

#include <afxqt.h>

#include <QDir>
#include <QFileInfo>

namespace
{
QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

const ScoreLogReader* asLog(const std::unique_ptr<GameReader>& reader)
{
    return dynamic_cast<const ScoreLogReader*>(reader.get());
}
} // namespace

GameStore::GameStore() : m_defaultMap(StatisticMap::defaults()) {}

GameStore::~GameStore() = default;

void GameStore::load(const QString& gamesFolder)
{
    std::vector<Game> previous = std::move(m_games);
    Readers previousReaders = std::move(m_readers);
    m_games.clear();
    m_readers.clear();
    m_folder = gamesFolder;
    try {
        loadAll(gamesFolder, previous, previousReaders);
    } catch (...) {
        // A failed load keeps every game it held, as read on or as before,
        // so that the user's charts stay; the next load sets the order right.
        for (size_t i = 0; i < previous.size(); ++i) {
            if (previousReaders[i] == nullptr || findGame(previous[i].name()) != nullptr)
                continue;
            m_games.reserve(m_games.size() + 1);
            m_readers.reserve(m_readers.size() + 1);
            m_games.push_back(std::move(previous[i]));
            m_readers.push_back(std::move(previousReaders[i]));
        }
        throw;
    }
    keepSelections(previous);
}

void GameStore::loadAll(const QString& gamesFolder, std::vector<Game>& previous,
                        Readers& previousReaders)
{
    LoadLog log;
    const QDir dir(gamesFolder);
    if (!dir.exists()) {
        log.add(gamesFolder, 0, GameStore::tr("games folder does not exist; no games loaded"));
    } else {
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.isDir())
                loadEntry(entry.absoluteFilePath(), entry.fileName(), false, previous,
                          previousReaders, log);
            else if (ScoreLogReader::isScoreLog(entry.absoluteFilePath()))
                loadEntry(entry.absoluteFilePath(), entry.completeBaseName(), true, previous,
                          previousReaders, log);
        }
    }
    loadOpenedLogs(previous, previousReaders, log);
    m_errors = log.takeErrors();
}

void GameStore::loadOpenedLogs(std::vector<Game>& previous, Readers& previousReaders, LoadLog& log)
{
    for (const QString& opened : m_openedLogs) {
        const QFileInfo file(opened);
        const QString path = file.absoluteFilePath();
        const bool held = std::any_of(m_readers.begin(), m_readers.end(),
                                      [&](const auto& reader) { return reader->path() == path; });
        if (held)
            continue;
        if (!file.isFile())
            log.add(path, 0, GameStore::tr("game log is not there any more; not loaded"));
        else if (!ScoreLogReader::isScoreLog(path))
            log.add(path, 0,
                    GameStore::tr("does not start with \"%1\"; not a game log, not loaded")
                        .arg(QLatin1String(ScoreLogReader::kMagic.data(),
                                           qsizetype(ScoreLogReader::kMagic.size()))));
        else
            loadEntry(path, file.completeBaseName(), true, previous, previousReaders, log);
    }
}

void GameStore::loadEntry(const QString& path, const QString& displayName, bool isLog,
                          std::vector<Game>& previous, Readers& previousReaders, LoadLog& log)
{
    for (size_t i = 0; isLog && i < previousReaders.size(); ++i) {
        const ScoreLogReader* reader = asLog(previousReaders[i]);
        if (reader == nullptr || reader->path() != path || reader->map() != mapOf(path) ||
            findGame(previous[i].name()) != nullptr)
            continue;
        // A log read before is read on, not again.
        previousReaders[i]->follow(previous[i], log);
        // Room first, so that a game and its reader are taken over together.
        m_games.reserve(m_games.size() + 1);
        m_readers.reserve(m_readers.size() + 1);
        m_games.push_back(std::move(previous[i]));
        m_readers.push_back(std::move(previousReaders[i]));
        previous[i].clearSelection();
        return;
    }
    auto [name, shownName] = gameName(displayName);
    std::unique_ptr<GameReader> reader = readerFor(path, isLog);
    std::optional<Game> game = reader->load(std::move(name), shownName, log);
    if (!game)
        return;
    m_games.reserve(m_games.size() + 1);
    m_readers.reserve(m_readers.size() + 1);
    m_games.push_back(std::move(*game));
    m_readers.push_back(std::move(reader));
}

std::unique_ptr<GameReader> GameStore::readerFor(const QString& path, bool isLog) const
{
    if (isLog)
        return std::make_unique<ScoreLogReader>(path, mapOf(path));
    return std::make_unique<GameFolderReader>(path);
}

std::pair<std::string, QString> GameStore::gameName(const QString& displayName) const
{
    const QByteArray utf8 = displayName.toUtf8();
    std::string name = AnsiText::fold(std::string_view(utf8.constData(), size_t(utf8.size())));
    if (findGame(name) == nullptr)
        return {name, displayName};
    for (int n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        if (findGame(name + suffix) == nullptr)
            return {name + suffix, displayName + QString::fromStdString(suffix)};
    }
}

void GameStore::keepSelections(const std::vector<Game>& previous)
{
    for (const Game& old : previous) {
        Game* game = findGame(old.name());
        if (game == nullptr)
            continue;
        for (const std::string& race : old.selectedRaces())
            game->setSelected(race, true);
    }
}

void GameStore::setLogMap(const QString& logPath, const StatisticMap& map)
{
    const QString path = absolute(logPath);
    m_logMaps[path] = map;
    for (size_t i = 0; i < m_readers.size(); ++i) {
        if (asLog(m_readers[i]) == nullptr || m_readers[i]->path() != path)
            continue;
        auto reader = std::make_unique<ScoreLogReader>(path, map);
        LoadLog log;
        std::optional<Game> game = reader->load(m_games[i].name(), m_games[i].displayName(), log);
        m_errors = log.takeErrors();
        if (!game)
            return;
        for (const std::string& race : m_games[i].selectedRaces())
            game->setSelected(race, true);
        m_games[i] = std::move(*game);
        m_readers[i] = std::move(reader);
        return;
    }
}

StatisticMap GameStore::mapOf(const QString& logPath) const
{
    const auto it = m_logMaps.find(absolute(logPath));
    return it == m_logMaps.end() ? m_defaultMap : it->second;
}

bool GameStore::follow()
{
    LoadLog log;
    bool changed = false;
    for (size_t i = 0; i < m_readers.size(); ++i) {
        if (!m_readers[i]->follows())
            continue;
        const GameReader::Followed result = m_readers[i]->follow(m_games[i], log);
        changed = changed || result == GameReader::Followed::Appended ||
                  result == GameReader::Followed::Reread;
    }
    m_errors = log.takeErrors();
    return changed;
}

QStringList GameStore::followedPaths() const
{
    QStringList paths;
    for (const auto& reader : m_readers) {
        if (reader->follows())
            paths << reader->path();
    }
    return paths;
}

size_t GameStore::indexOf(std::string_view name) const
{
    for (size_t i = 0; i < m_games.size(); ++i) {
        if (m_games[i].name() == name)
            return i;
    }
    return m_games.size();
}

const Game* GameStore::findGame(std::string_view name) const
{
    const size_t i = indexOf(name);
    return i < m_games.size() ? &m_games[i] : nullptr;
}

Game* GameStore::findGame(std::string_view name)
{
    return const_cast<Game*>(std::as_const(*this).findGame(name));
}

const Game* GameStore::findGameByAnyName(const QString& name) const
{
    if (const Game* game = findGame(AnsiText::fold(name.toStdString())))
        return game;
    for (const Game& game : m_games) {
        if (game.displayName() == name)
            return &game;
    }
    return nullptr;
}

const std::vector<std::string>* GameStore::logTags(std::string_view gameName) const
{
    const size_t i = indexOf(gameName);
    const ScoreLogReader* reader = i < m_readers.size() ? asLog(m_readers[i]) : nullptr;
    return reader != nullptr ? &reader->tags() : nullptr;
}

ImportResult GameStore::importTurn(std::string_view gameName, const QString& csvPath)
{
    Game* game = findGame(gameName);
    ImportResult refused;
    if (game == nullptr) {
        refused.errors.push_back({csvPath, 0,
                                  GameStore::tr("there is no game \"%1\" to import into")
                                      .arg(AfxToQString(gameName.data(), int(gameName.size())))});
        return refused;
    }
    if (game->source() == Game::Source::ScoreLog) {
        refused.errors.push_back(
            {csvPath, 0,
             GameStore::tr("\"%1\" is read from the game server's log %2, which belongs to the "
                           "game server; turns cannot be imported into it")
                 .arg(game->displayName(), QDir::toNativeSeparators(game->folder()))});
        return refused;
    }
    return TurnImporter(*game).import(csvPath);
}
