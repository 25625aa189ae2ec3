#include "RacesPanel.h"
#include <afxqt.h>

#include "GameStore.h"
#include "Statistic.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
enum Column { RaceColumn, TurnColumn, FirstFigureColumn };

QIcon swatch(const std::optional<uint32_t>& bgr)
{
    QPixmap pixmap(14, 14);
    if (bgr)
        pixmap.fill(QColor(int(*bgr & 0xff), int((*bgr >> 8) & 0xff), int((*bgr >> 16) & 0xff)));
    else
        pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

QTableWidgetItem* readOnly(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

RacesPanel::RacesPanel(GameStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_games(new QComboBox(this)), m_table(new QTableWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    // Alt+G and Alt+R reach the chooser and the table from the keyboard.
    auto* gameLabel = new QLabel(tr("&Game:"), this);
    gameLabel->setBuddy(m_games);
    auto* racesLabel = new QLabel(tr("&Races:"), this);
    racesLabel->setBuddy(m_table);
    layout->addWidget(gameLabel);
    layout->addWidget(m_games);
    layout->addWidget(racesLabel);
    layout->addWidget(m_table);
    setFocusProxy(m_games);

    QStringList headers{tr("Race"), tr("Turn")};
    for (const StatisticInfo& statistic : kStatistics)
        headers << tr(statistic.heading);
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->verticalHeader()->hide();
    // Tab leaves the table for the next widget instead of walking its cells.
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    connect(m_games, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0)
            return;
        m_currentGame = m_games->itemData(index).toByteArray().toStdString();
        showGame();
        emit currentGameChanged();
    });
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &RacesPanel::takeSelection);
    refresh();
}

Game* RacesPanel::game() const
{
    return m_store.findGame(m_currentGame);
}

void RacesPanel::refresh()
{
    m_filling = true;
    // A game that grew (a followed log's turn) leaves the chooser as it is.
    bool sameGames = m_games->count() == int(m_store.games().size());
    for (int i = 0; sameGames && i < m_games->count(); ++i) {
        const Game& game = m_store.games()[size_t(i)];
        sameGames = m_games->itemData(i).toByteArray() == QByteArray::fromStdString(game.name()) &&
                    m_games->itemText(i) == game.displayName();
    }
    if (!sameGames) {
        m_games->clear();
        for (const Game& game : m_store.games())
            m_games->addItem(game.displayName(), QByteArray::fromStdString(game.name()));
    }
    if (game() == nullptr)
        m_currentGame = m_store.games().empty() ? std::string() : m_store.games().front().name();
    m_games->setCurrentIndex(m_games->findData(QByteArray::fromStdString(m_currentGame)));
    m_filling = false;
    showGame();
}

bool RacesPanel::chooseGame(const std::string& name)
{
    const int index = m_games->findData(QByteArray::fromStdString(name));
    if (index < 0)
        return false;
    m_games->setCurrentIndex(index);
    return true;
}

void RacesPanel::showGame()
{
    m_filling = true;
    // Columns sized to their contents measure every cell again at each
    // cell's change: once for the whole table is enough.
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    fillTable();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_filling = false;
}

void RacesPanel::fillTable()
{
    const Game* shown = game();
    if (showsRacesOf(shown)) {
        // The same races in the same rows: only their figures change, and
        // rebuilding every cell would lay out every text again.
        for (size_t row = 0; row < shown->races().size(); ++row)
            fillFigures(int(row), *shown, shown->races()[row]);
        return;
    }
    m_table->clearContents();
    m_table->setRowCount(shown != nullptr ? int(shown->races().size()) : 0);
    if (shown != nullptr) {
        for (size_t row = 0; row < shown->races().size(); ++row)
            fillRow(int(row), *shown, shown->races()[row]);
    }
}

bool RacesPanel::showsRacesOf(const Game* shown) const
{
    if (shown == nullptr || m_table->rowCount() != int(shown->races().size()))
        return false;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem* item = m_table->item(row, RaceColumn);
        if (item == nullptr || item->text() != shown->races()[size_t(row)].displayName)
            return false;
    }
    return true;
}

void RacesPanel::setCell(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = m_table->item(row, column)) {
        if (item->text() != text)
            item->setText(text);
    } else {
        m_table->setItem(row, column, readOnly(text));
    }
}

void RacesPanel::fillFigures(int row, const Game& game, const Race& race)
{
    if (race.turns.empty())
        return;
    const size_t last = race.turns.size() - 1;
    setCell(row, TurnColumn, QString::number(race.turns.turnAt(last) + game.firstTurnNumber()));
    const RaceTurns::Figures figures = race.turns.figuresAt(last);
    for (size_t i = 0; i < figures.size(); ++i)
        setCell(row, FirstFigureColumn + int(i),
                QString::fromUtf8(figures[i].data(), qsizetype(figures[i].size())));
}

void RacesPanel::fillRow(int row, const Game& game, const Race& race)
{
    auto* name = readOnly(race.displayName);
    name->setIcon(swatch(race.color));
    if (race.folded)
        name->setToolTip(tr("Charted as \u201c%1\u201d: the chart's code page cannot hold this "
                            "name.")
                             .arg(AfxToQString(race.name.data(), int(race.name.size()))));
    m_table->setItem(row, RaceColumn, name);
    fillFigures(row, game, race);
    if (race.selected)
        m_table->selectionModel()->select(m_table->model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void RacesPanel::takeSelection()
{
    Game* shown = game();
    if (m_filling || shown == nullptr)
        return;
    shown->clearSelection();
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
        if (size_t(index.row()) < shown->races().size())
            shown->setSelected(shown->races()[size_t(index.row())].name, true);
    }
}

void RacesPanel::selectRaces(const QStringList& names)
{
    m_table->clearSelection();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (names.contains(m_table->item(row, 0)->text()))
            m_table->selectionModel()->select(m_table->model()->index(row, 0),
                                              QItemSelectionModel::Select |
                                                  QItemSelectionModel::Rows);
    }
}

QStringList RacesPanel::selectedRaces() const
{
    QStringList names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->selectionModel()->isRowSelected(row))
            names << m_table->item(row, RaceColumn)->text();
    }
    return names;
}

bool RacesPanel::hasAnyRace(const QStringList& names) const
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (names.contains(m_table->item(row, RaceColumn)->text()))
            return true;
    }
    return false;
}

int RacesPanel::wholeWidth() const
{
    const QHeaderView* header = m_table->horizontalHeader();
    // The table keeps its size hints to itself; every item view gives them.
    const QAbstractItemView* view = m_table;
    int width = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_table->columnCount(); ++column)
        width += std::max(header->sectionSizeHint(column), view->sizeHintForColumn(column));
    const QMargins margins = layout()->contentsMargins();
    return width + margins.left() + margins.right();
}
