// The host's games: every game folder found in one games folder, in the
// order of the folder names, with the problems met while reading them.
//
// A games folder holds one folder per game, named after the game, with
// races.csv and turns.csv inside (see GameFolderLoader). A game whose folder
// name the ANSI code page cannot hold is reported and left out, since the
// plug-in could not ask for it by name.
#pragma once

#include "Game.h"
#include "GameLoadError.h"
#include "TurnImporter.h"

#include <QString>
#include <string_view>
#include <vector>

class GameStore
{
public:
    // Replaces the games held by those of gamesFolder. The selection of a
    // game that is found again by name is kept. Never fails as a whole:
    // a missing folder gives no games and one error.
    void load(const QString& gamesFolder);

    const QString& folder() const { return m_folder; }
    const std::vector<Game>& games() const { return m_games; }
    const Game* findGame(std::string_view name) const;
    Game* findGame(std::string_view name);

    // The problems of the last load().
    const std::vector<GameLoadError>& errors() const { return m_errors; }

    // Adds one turn read from csvPath to the named game and to its
    // turns.csv (see TurnImporter); an unknown game is refused.
    ImportResult importTurn(std::string_view gameName, const QString& csvPath);

private:
    void keepSelections(const std::vector<Game>& previous);

    QString m_folder;
    std::vector<Game> m_games;
    std::vector<GameLoadError> m_errors;
};
