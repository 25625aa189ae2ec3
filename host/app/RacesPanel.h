// The races window: a game chooser and, for the chosen game, a table of its
// races with a colour swatch and the figures of each race's latest turn.
// The rows selected here are the host's selection in that game, which the
// plug-in's "Add Race(s) to Kurvo" asks for; the chosen game is the host's
// current game.
#pragma once

#include <QStringList>
#include <QWidget>
#include <string>

class GameStore;
class Game;
struct Race;
class QComboBox;
class QTableWidget;

class RacesPanel : public QWidget
{
    Q_OBJECT
public:
    explicit RacesPanel(GameStore& store, QWidget* parent = nullptr);

    // Shows the store's games again (after a load), keeping the chosen game
    // when it is still there.
    void refresh();
    // The chosen game's name (ANSI), empty without games.
    std::string currentGame() const { return m_currentGame; }
    bool chooseGame(const std::string& name);
    // Selects exactly the rows of these races (by their shown names), as a
    // user's clicks would; the selection reaches the store the same way.
    void selectRaces(const QStringList& names);
    // The shown names of the selected races, in the table's order.
    QStringList selectedRaces() const;
    // Whether the chosen game has a race of any of these shown names.
    bool hasAnyRace(const QStringList& names) const;

    // The width that shows every column whole, in whatever language the
    // headers are.
    int wholeWidth() const;

    QComboBox* gameChooser() const { return m_games; }
    QTableWidget* table() const { return m_table; }

signals:
    void currentGameChanged();

private:
    Game* game() const;
    void showGame();
    void fillTable();
    void takeSelection();
    void fillRow(int row, const Game& game, const Race& race);
    void fillFigures(int row, const Game& game, const Race& race);
    void setCell(int row, int column, const QString& text);
    bool showsRacesOf(const Game* shown) const;

    GameStore& m_store;
    std::string m_currentGame;
    QComboBox* m_games;
    QTableWidget* m_table;
    bool m_filling = false;
};
