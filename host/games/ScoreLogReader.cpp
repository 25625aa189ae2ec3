#include "ScoreLogReader.h"

#include "AnsiText.h"
#include "FileBytes.h"
#include "RacePalette.h"
#include "TurnNumber.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <sys/stat.h>
#include <utility>

namespace
{
constexpr size_t kHeadBytes = 256;

QString shown(std::string_view text)
{
    constexpr size_t kShown = 40;
    QString out = QString::fromUtf8(text.data(), qsizetype(std::min(text.size(), kShown)));
    return text.size() > kShown ? out + QStringLiteral("...") : out;
}

// The line's fields between single spaces; the last of `count` takes the
// rest of the line when `text` is true. Nothing when there are too few, or
// too many without a text.
std::optional<std::vector<std::string_view>> fields(std::string_view line, size_t count, bool text)
{
    std::vector<std::string_view> out;
    out.reserve(count);
    while (out.size() + 1 < count) {
        const size_t space = line.find(' ');
        if (space == std::string_view::npos)
            return std::nullopt;
        out.push_back(line.substr(0, space));
        line.remove_prefix(space + 1);
    }
    if (!text && line.find(' ') != std::string_view::npos)
        return std::nullopt;
    if (text && line.empty())
        return std::nullopt;
    out.push_back(line);
    return out;
}

std::optional<int64_t> integer(std::string_view text)
{
    int64_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// An id in the log is a number that is not negative.
std::optional<int64_t> id(std::string_view text)
{
    const std::optional<int64_t> value = integer(text);
    return value && *value >= 0 ? value : std::nullopt;
}
} // namespace

bool ScoreLogReader::isScoreLog(const QString& path)
{
    if (!FileBytes::isRegularFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(qint64(kMagic.size()));
    return std::string_view(start.constData(), size_t(start.size())) == kMagic;
}

ScoreLogReader::ScoreLogReader(QString path, StatisticMap map)
    : m_path(std::move(path)), m_map(std::move(map))
{
}

void ScoreLogReader::reset()
{
    // Copied, not moved: a failure to make the fresh reader must not take
    // the path and map from this one.
    ScoreLogReader fresh(m_path, m_map);
    *this = std::move(fresh);
}

std::optional<Game> ScoreLogReader::load(std::string name, QString displayName, LoadLog& log)
{
    reset();
    Game game(std::move(name), std::move(displayName), m_path, Game::Source::ScoreLog);
    qint64 length = 0;
    sameFile(m_path, length);
    QString error;
    const bool read = FileBytes::readFrom(
        m_path, 0, kMaxFileBytes,
        [&](std::string_view piece) {
            feed(game, piece, log);
            return true;
        },
        error);
    if (!read) {
        log.add(m_path, 0, ScoreLogReader::tr("%1; not a game, skipped").arg(error));
        return std::nullopt;
    }
    flush(game);
    for (size_t i = 0; i < kStatistics.size(); ++i) {
        const std::string& tag = m_map.tag(Statistic(i));
        if (!tag.empty() &&
            std::find(m_tagNames.begin(), m_tagNames.end(), tag) == m_tagNames.end())
            log.add(m_path, 0,
                    ScoreLogReader::tr("the log declares no tag \"%1\"; %2 stays empty")
                        .arg(QString::fromStdString(tag), QLatin1String(kStatistics[i].replyKey)));
    }
    game.shrinkToFit();
    return game;
}

bool ScoreLogReader::sameFile(const QString& path, qint64& length)
{
    struct stat info {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    length = qint64(info.st_size);
    const FileId now{uint64_t(info.st_dev), uint64_t(info.st_ino)};
    const bool same = m_fileId && *m_fileId == now;
    m_fileId = now;
    return same;
}

ScoreLogReader::Followed ScoreLogReader::follow(Game& game, LoadLog& log)
{
    try {
        return followOn(game, log);
    } catch (...) {
        // The offset has passed bytes that may not be in the game, and the
        // game may hold part of a line's figures: only reading the log
        // again whole gives the game it describes.
        m_interrupted = true;
        throw;
    }
}

ScoreLogReader::Followed ScoreLogReader::followOn(Game& game, LoadLog& log)
{
    qint64 length = 0;
    const bool same = sameFile(m_path, length);
    if (!m_fileId) {
        log.add(m_path, 0, ScoreLogReader::tr("cannot be read any more; the game stays as it was"));
        return Followed::Failed;
    }
    // A log written anew (a new game on the same file) starts with other
    // bytes, or is shorter than what was read.
    bool replaced = m_interrupted || !same || length < m_offset;
    if (!replaced && !m_head.empty()) {
        QFile file(m_path);
        replaced = !file.open(QIODevice::ReadOnly) ||
                   file.read(qint64(m_head.size())).toStdString() != m_head;
    }
    if (replaced)
        return reread(game, log);
    if (length == m_offset)
        return Followed::Unchanged;
    const int linesBefore = m_line;
    QString error;
    const bool read = FileBytes::readFrom(
        m_path, m_offset, kMaxFileBytes,
        [&](std::string_view piece) {
            feed(game, piece, log);
            return true;
        },
        error);
    flush(game);
    if (!read) {
        log.add(m_path, 0, error);
        return Followed::Failed;
    }
    return m_line != linesBefore ? Followed::Appended : Followed::Unchanged;
}

ScoreLogReader::Followed ScoreLogReader::reread(Game& game, LoadLog& log)
{
    std::optional<Game> anew = load(game.name(), game.displayName(), log);
    if (!anew)
        return Followed::Failed;
    for (const std::string& race : game.selectedRaces())
        anew->setSelected(race, true);
    game = std::move(*anew);
    return Followed::Reread;
}

void ScoreLogReader::feed(Game& game, std::string_view bytes, LoadLog& log)
{
    if (m_head.size() < kHeadBytes)
        m_head.append(bytes.substr(0, kHeadBytes - m_head.size()));
    m_offset += qint64(bytes.size());
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, newline);
        if (!m_skipping && m_partial.size() + piece.size() > kMaxLineBytes) {
            ++m_line;
            report(log,
                   ScoreLogReader::tr("line longer than %1 bytes; skipped").arg(kMaxLineBytes));
            // Too long to keep, but its start still tells whether the rest
            // is a score log.
            if (m_line == 1) {
                const std::string start = m_partial + std::string(piece.substr(0, kMagic.size()));
                line(game, std::string_view(start).substr(0, kMagic.size()), log);
            }
            m_partial.clear();
            m_skipping = true;
        }
        if (newline == std::string_view::npos) {
            if (!m_skipping)
                m_partial.append(piece);
            return;
        }
        bytes.remove_prefix(newline + 1);
        if (m_skipping) {
            m_skipping = false;
            continue;
        }
        ++m_line;
        if (m_partial.empty()) {
            line(game, piece, log);
        } else {
            m_partial.append(piece);
            line(game, m_partial, log);
            m_partial.clear();
        }
    }
}

void ScoreLogReader::report(LoadLog& log, const QString& message)
{
    log.add(m_path, m_line, message);
}

void ScoreLogReader::line(Game& game, std::string_view text, LoadLog& log)
{
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    if (m_line == 1 && text.substr(0, kMagic.size()) != kMagic) {
        report(log, ScoreLogReader::tr("does not start with \"%1\"; not read as a score log")
                        .arg(QLatin1String(kMagic.data(), qsizetype(kMagic.size()))));
        m_rejected = true;
    }
    if (m_rejected || text.empty() || text.front() == '#')
        return;
    command(game, text, log);
}

void ScoreLogReader::command(Game& game, std::string_view text, LoadLog& log)
{
    const size_t space = text.find(' ');
    const std::string_view name = text.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (name == "data")
        readData(game, rest, log);
    else if (name == "turn")
        readTurn(game, rest, log);
    else if (name == "addplayer")
        readAddPlayer(game, rest, log);
    else if (name == "delplayer")
        readDelPlayer(rest, log);
    else if (name == "tag")
        readTag(rest, log);
    else if (name == "id")
        readId(rest, log);
    else
        report(log, ScoreLogReader::tr("unknown command \"%1\"; line skipped").arg(shown(name)));
}

void ScoreLogReader::readId(std::string_view text, LoadLog& log)
{
    if (text.empty()) {
        report(log, ScoreLogReader::tr("\"id\" without the game's id; line skipped"));
        return;
    }
    if (m_hasId)
        report(log, ScoreLogReader::tr("a second \"id\" line; line skipped"));
    m_hasId = true;
}

void ScoreLogReader::readTag(std::string_view text, LoadLog& log)
{
    const auto f = fields(text, 2, true);
    const std::optional<int64_t> tagId = f ? id((*f)[0]) : std::nullopt;
    if (!f || !tagId) {
        report(log, ScoreLogReader::tr("\"tag\" wants a tag id and a name; line skipped"));
        return;
    }
    const std::string_view name = (*f)[1];
    if (m_tagIndex.count(*tagId) != 0) {
        report(log, ScoreLogReader::tr("tag %1 is declared again; line skipped").arg(*tagId));
        return;
    }
    if (std::find(m_tagNames.begin(), m_tagNames.end(), name) != m_tagNames.end()) {
        report(log, ScoreLogReader::tr("a second tag \"%1\"; line skipped").arg(shown(name)));
        return;
    }
    m_tagNames.emplace_back(name);
    m_tags.push_back(Tag{std::string(name), m_map.statisticsOf(name)});
    m_tagIndex.emplace(*tagId, uint32_t(m_tags.size() - 1));
}

std::optional<int> ScoreLogReader::declaredTurn(std::string_view field, LoadLog& log)
{
    const std::optional<int> turn = TurnNumber::parse(field);
    // Nearly every line names the turn last begun.
    if (turn && turn == m_currentTurn)
        return turn;
    if (!turn || m_turns.count(*turn) == 0) {
        report(log,
               ScoreLogReader::tr("turn \"%1\" was not declared; line skipped").arg(shown(field)));
        return std::nullopt;
    }
    return turn;
}

void ScoreLogReader::readTurn(Game& game, std::string_view text, LoadLog& log)
{
    const auto f = fields(text, 3, true);
    if (!f || !integer((*f)[1])) {
        report(log, ScoreLogReader::tr(
                        "\"turn\" wants a turn, a number and a description; line skipped"));
        return;
    }
    const std::optional<int> turn = TurnNumber::parse((*f)[0]);
    if (!turn) {
        report(log, ScoreLogReader::tr("turn \"%1\" is not a number from 0 to %2; line skipped")
                        .arg(shown((*f)[0]))
                        .arg(TurnNumber::kMax));
        return;
    }
    if (m_turns.empty()) {
        m_turnBase = std::min(*turn, 1);
        game.setFirstTurnNumber(m_turnBase);
    }
    if (*turn < m_turnBase) {
        report(log, ScoreLogReader::tr("turn 0 after the log began with turn 1; line skipped"));
        return;
    }
    const int turnCount = std::max(game.turnCount(), *turn - m_turnBase + 1);
    if (!game.hasRoomFor(game.races().size(), turnCount)) {
        report(log, Game::budgetText(game.races().size(), turnCount));
        return;
    }
    if (!m_turns.insert(*turn).second) {
        report(log, ScoreLogReader::tr("turn %1 is declared again; line skipped").arg(*turn));
        return;
    }
    // A turn's figures are all written before the next turn begins.
    flush(game);
    // A turn counts when it begins, even before (or without) figures that
    // the map charts.
    game.addTurn(*turn - m_turnBase);
    m_seen.clear();
    m_currentTurn = *turn;
}

void ScoreLogReader::readAddPlayer(Game& game, std::string_view text, LoadLog& log)
{
    const auto f = fields(text, 3, true);
    const std::optional<int64_t> player = f ? id((*f)[1]) : std::nullopt;
    if (!f || !player) {
        report(log, ScoreLogReader::tr(
                        "\"addplayer\" wants a turn, a player id and a name; line skipped"));
        return;
    }
    const std::optional<int> turn = declaredTurn((*f)[0], log);
    if (!turn)
        return;
    // A player gets an entry only once the line is taken, so that one
    // skipped here leaves nothing a later line could find without a tenure;
    // an entry left empty by a failed allocation is still checked for.
    const auto known = m_players.find(*player);
    if (known != m_players.end() && !known->second.empty() && known->second.back().until >= *turn) {
        report(log, ScoreLogReader::tr("player %1 is still in the game at turn %2; line skipped")
                        .arg(*player)
                        .arg(*turn));
        return;
    }
    if (const std::optional<QString> problem = RaceNames::problem((*f)[2])) {
        report(log, *problem + ScoreLogReader::tr("; line skipped"));
        return;
    }
    if (!game.hasRoomFor(game.races().size() + 1, game.turnCount())) {
        report(log, Game::budgetText(game.races().size() + 1, game.turnCount()));
        return;
    }
    RaceName name = m_names.name(game, (*f)[2]);
    if (name.problem) {
        report(log, *name.problem + ScoreLogReader::tr("; line skipped"));
        return;
    }
    if (!name.utf8)
        report(log, ScoreLogReader::tr("player name %1; charted as \"%2\"")
                        .arg(AnsiText::unrepresentable((*f)[2]),
                             QString::fromLatin1(name.ansi.data(), qsizetype(name.ansi.size()))));
    Race race;
    race.name = std::move(name.ansi);
    race.displayName = std::move(name.displayName);
    race.sourceName = std::string((*f)[2]);
    race.folded = name.folded;
    race.color = RacePalette::color(game.races().size());
    std::vector<Tenure>& tenures = m_players[*player];
    if (tenures.size() == tenures.capacity())
        tenures.reserve(std::max<size_t>(1, tenures.size() * 2));
    game.addRace(std::move(race));
    tenures.push_back(Tenure{*turn, INT32_MAX, game.races().size() - 1});
}

void ScoreLogReader::readDelPlayer(std::string_view text, LoadLog& log)
{
    const auto f = fields(text, 2, false);
    const std::optional<int64_t> player = f ? id((*f)[1]) : std::nullopt;
    if (!f || !player) {
        report(log, ScoreLogReader::tr("\"delplayer\" wants a turn and a player id; line skipped"));
        return;
    }
    const std::optional<int> turn = declaredTurn((*f)[0], log);
    if (!turn)
        return;
    const auto it = m_players.find(*player);
    if (it == m_players.end() || it->second.empty() || it->second.back().until != INT32_MAX ||
        it->second.back().from > *turn) {
        report(log, ScoreLogReader::tr("player %1 is not in the game at turn %2; line skipped")
                        .arg(*player)
                        .arg(*turn));
        return;
    }
    it->second.back().until = *turn;
}

const ScoreLogReader::Tenure* ScoreLogReader::tenureAt(int64_t player, int turn) const
{
    const auto it = m_players.find(player);
    if (it == m_players.end())
        return nullptr;
    // Tenures follow one another without overlap: the last one that began
    // at or before the turn is the only one that can hold it.
    const std::vector<Tenure>& tenures = it->second;
    auto after = std::upper_bound(tenures.begin(), tenures.end(), turn,
                                  [](int t, const Tenure& tenure) { return t < tenure.from; });
    if (after == tenures.begin())
        return nullptr;
    const Tenure& tenure = *(after - 1);
    return turn <= tenure.until ? &tenure : nullptr;
}

bool ScoreLogReader::KeySet::insert(uint64_t key)
{
    if ((m_taken.size() + 1) * 2 > m_slots.size())
        grow();
    const size_t mask = m_slots.size() - 1;
    for (size_t i = size_t((key * 0x9E3779B97F4A7C15u) >> 32) & mask;; i = (i + 1) & mask) {
        if (m_slots[i] == key + 1)
            return false;
        if (m_slots[i] == 0) {
            m_taken.push_back(i);
            m_slots[i] = key + 1;
            return true;
        }
    }
}

void ScoreLogReader::KeySet::clear()
{
    for (const size_t i : m_taken)
        m_slots[i] = 0;
    m_taken.clear();
}

void ScoreLogReader::KeySet::grow()
{
    std::vector<uint64_t> larger(std::max<size_t>(64, m_slots.size() * 2));
    const std::vector<uint64_t> old = std::exchange(m_slots, std::move(larger));
    // Within the room m_taken already has, so nothing below can throw.
    m_taken.clear();
    for (const uint64_t slot : old) {
        if (slot != 0)
            insert(slot - 1);
    }
}

bool ScoreLogReader::isDuplicate(const Game& game, int turn, uint32_t tag, size_t race)
{
    if (m_currentTurn && turn == *m_currentTurn)
        return !m_seen.insert((uint64_t(tag) << 32) | uint64_t(race));
    // An earlier turn's figures are known only as far as they are charted.
    const unsigned statistics = m_tags[tag].statistics;
    if (statistics == 0)
        return false;
    const size_t first = size_t(__builtin_ctz(statistics));
    const auto pending = m_pending.find({race, turn - m_turnBase});
    if (pending != m_pending.end() && !pending->second[first].empty())
        return true;
    const std::optional<RaceTurns::Figures> held = game.races()[race].turns.find(turn - m_turnBase);
    return held && !(*held)[first].empty();
}

void ScoreLogReader::readData(Game& game, std::string_view text, LoadLog& log)
{
    const auto f = fields(text, 4, false);
    if (!f) {
        report(log, ScoreLogReader::tr("\"data\" wants a turn, a tag id, a player id and a value; "
                                       "line skipped"));
        return;
    }
    const std::optional<int> turn = declaredTurn((*f)[0], log);
    if (!turn)
        return;
    const std::optional<int64_t> tagId = id((*f)[1]);
    const auto tag = tagId ? m_tagIndex.find(*tagId) : m_tagIndex.end();
    if (tag == m_tagIndex.end()) {
        report(log,
               ScoreLogReader::tr("tag \"%1\" was not declared; line skipped").arg(shown((*f)[1])));
        return;
    }
    const std::optional<int64_t> player = id((*f)[2]);
    const Tenure* tenure = player ? tenureAt(*player, *turn) : nullptr;
    if (tenure == nullptr) {
        report(log, ScoreLogReader::tr("player \"%1\" is not in the game at turn %2; line skipped")
                        .arg(shown((*f)[2]))
                        .arg(*turn));
        return;
    }
    const std::optional<int64_t> value = integer((*f)[3]);
    if (!value) {
        report(log, ScoreLogReader::tr("figure \"%1\" is not an integer; line skipped")
                        .arg(shown((*f)[3])));
        return;
    }
    if (isDuplicate(game, *turn, tag->second, tenure->race)) {
        report(log, ScoreLogReader::tr("a second figure of tag %1 for player %2 in turn %3; "
                                       "line skipped")
                        .arg(*tagId)
                        .arg(*player)
                        .arg(*turn));
        return;
    }
    const unsigned statistics = m_tags[tag->second].statistics;
    if (statistics == 0)
        return;
    TurnFigures& figures = m_pending[{tenure->race, *turn - m_turnBase}];
    const std::string figure = std::to_string(*value);
    for (size_t i = 0; i < figures.size(); ++i) {
        if (statistics & (1u << i))
            figures[i] = figure;
    }
}

void ScoreLogReader::flush(Game& game)
{
    while (!m_pending.empty()) {
        const auto first = m_pending.begin();
        game.mergeTurnFigures(first->first.first, first->first.second, first->second);
        m_pending.erase(first);
    }
}
