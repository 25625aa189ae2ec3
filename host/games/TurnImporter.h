// Adds one turn, read from a CSV file with the columns of turns.csv, to a
// game: to the game held in memory and to the end of the game's turns.csv.
//
// The import is all or nothing. It is refused, with every reason listed,
// when a line is malformed, names a race the game lacks or names a race
// twice, when the file holds no turn or more than one, when the game already
// has that turn, or when turns.csv cannot be rewritten (or ends inside a
// quoted field, which would swallow the new lines). turns.csv is
// replaced atomically, so a failed write leaves the old file as it was; an
// exception (out of memory) leaves the game and its file as they were too.
// A figure that is not a number refuses nothing: it is reported, and the
// turn is added, in memory and in turns.csv, without that figure.
#pragma once

#include "Game.h"
#include "GameLoadError.h"
#include "TurnRowParser.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <vector>

struct ImportResult {
    bool imported = false;
    int turn = -1; // the turn added
    int races = 0; // how many races' lines it held
    // Why the turn was refused, then the figures that count as missing.
    std::vector<GameLoadError> errors;
};

class TurnImporter
{
public:
    explicit TurnImporter(Game& game) : m_game(game) {}

    ImportResult import(const QString& csvPath);

private:
    struct ImportRow {
        TurnRow row;
        std::string race; // ANSI
        // As read, in the order of TurnRowParser::columns(), with the
        // figures as the row holds them.
        std::vector<std::string> cells;
    };

    bool readRows(const QString& csvPath, LoadLog& log, LoadLog& figureLog);
    void checkRaces(const QString& csvPath, LoadLog& log);
    void checkOneNewTurn(const QString& csvPath, LoadLog& log);
    bool addToGameAndFile(LoadLog& log);
    bool appendToTurnsFile(LoadLog& log);
    QByteArray turnsFileWithRows(const QByteArray& existing, LoadLog& log);

    Game& m_game;
    std::vector<ImportRow> m_rows;

    Q_DECLARE_TR_FUNCTIONS(TurnImporter)
};
