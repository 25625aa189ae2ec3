// How the game store reads one entry of a games folder. Each kind of game
// source is one reader: a folder of CSV files (GameFolderReader) or a game
// server's score log (ScoreLogReader). The store chooses the reader, and
// what every game needs whatever its source (the rule for race names, the
// load log, the watch on the files) stays shared.
#pragma once

#include "Game.h"
#include "LoadLog.h"

#include <QString>
#include <optional>
#include <string>

class GameReader
{
public:
    virtual ~GameReader() = default;

    // The folder or file the game is read from.
    virtual const QString& path() const = 0;

    // Reads the whole game anew. Nothing, with the reason in the log, when
    // the entry turns out to be no game.
    virtual std::optional<Game> load(std::string name, QString displayName, LoadLog& log) = 0;

    enum class Followed { Unchanged, Appended, Reread, Failed };
    // Whether the reader keeps its game current by itself, from what its
    // source gained; the store reads every other game whole again when its
    // files change.
    virtual bool follows() const { return false; }
    // Brings game, which load() made, up to date with its source.
    virtual Followed follow(Game&, LoadLog&) { return Followed::Unchanged; }
};
