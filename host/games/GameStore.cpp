#include "GameStore.h"

#include "AnsiText.h"
#include "GameFolderLoader.h"
#include "LoadLog.h"

#include <afxqt.h>

#include <QDir>

void GameStore::load(const QString& gamesFolder)
{
    std::vector<Game> previous = std::move(m_games);
    m_games.clear();
    m_folder = gamesFolder;
    LoadLog log;
    const QDir dir(gamesFolder);
    if (!dir.exists()) {
        log.add(gamesFolder, 0, QStringLiteral("games folder does not exist; no games loaded"));
        m_errors = log.takeErrors();
        return;
    }
    GameFolderLoader loader(log);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& displayName : names) {
        const QString path = dir.filePath(displayName);
        const QByteArray utf8 = displayName.toUtf8();
        std::optional<std::string> name =
            AnsiText::fromUtf8(std::string_view(utf8.constData(), size_t(utf8.size())));
        if (!name) {
            log.add(path, 0,
                    QStringLiteral("game name %1; game skipped")
                        .arg(AnsiText::unrepresentable(utf8.toStdString())));
            continue;
        }
        if (std::optional<Game> game = loader.load(path, std::move(*name), displayName))
            m_games.push_back(std::move(*game));
    }
    m_errors = log.takeErrors();
    keepSelections(previous);
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

const Game* GameStore::findGame(std::string_view name) const
{
    for (const Game& game : m_games) {
        if (game.name() == name)
            return &game;
    }
    return nullptr;
}

Game* GameStore::findGame(std::string_view name)
{
    return const_cast<Game*>(std::as_const(*this).findGame(name));
}

ImportResult GameStore::importTurn(std::string_view gameName, const QString& csvPath)
{
    Game* game = findGame(gameName);
    if (game == nullptr) {
        ImportResult refused;
        refused.errors.push_back({csvPath, 0,
                                  QStringLiteral("there is no game \"%1\" to import into")
                                      .arg(AfxToQString(gameName.data(), int(gameName.size())))});
        return refused;
    }
    return TurnImporter(*game).import(csvPath);
}
