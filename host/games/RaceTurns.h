// A race's figures by turn, kept compact: a big game holds hundreds of
// thousands of turns, so the figure texts of all of a race's turns share one
// byte run, each behind its length, and a table sorted by turn points into
// it. The texts stay exactly as read, since they go to the plug-in as text.
#pragma once

#include "Statistic.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class RaceTurns
{
public:
    // One turn's figures, viewing the table's bytes: valid until it changes.
    using Figures = std::array<std::string_view, kStatisticCount>;

    bool empty() const { return m_turns.empty(); }
    size_t size() const { return m_turns.size(); }
    bool contains(int turn) const { return locate(turn) != m_turns.end(); }

    // The turns in rising order, by position.
    int turnAt(size_t index) const { return m_turns[index].turn; }
    Figures figuresAt(size_t index) const { return decode(m_turns[index].offset); }

    // Iterates as a map would: each step gives a turn and its figures.
    class const_iterator
    {
    public:
        using value_type = std::pair<int, Figures>;
        const_iterator(const RaceTurns& owner, size_t index) : m_owner(&owner), m_index(index) {}
        value_type operator*() const
        {
            return {m_owner->turnAt(m_index), m_owner->figuresAt(m_index)};
        }
        const_iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }
        bool operator!=(const const_iterator& other) const { return m_index != other.m_index; }

    private:
        const RaceTurns* m_owner;
        size_t m_index;
    };
    const_iterator begin() const { return {*this, 0}; }
    const_iterator end() const { return {*this, m_turns.size()}; }

    std::optional<Figures> find(int turn) const;
    // Like find, but throws std::out_of_range for a turn the race lacks.
    Figures at(int turn) const;

    // False (and nothing changes) for a turn the race already has. Either
    // adds the turn or, when it throws, leaves the table as it was.
    bool insert(int turn, const TurnFigures& figures);
    // Adds the turn, or puts the figures that are not empty over those the
    // turn has. Either all of it happens or, when it throws, nothing.
    void merge(int turn, const TurnFigures& figures);
    void erase(int turn) noexcept;
    // Gives back the room that growing left over.
    void shrinkToFit();

private:
    struct Entry {
        int32_t turn;
        uint32_t offset; // of the turn's first length in m_bytes
    };

    std::vector<Entry>::const_iterator locate(int turn) const;
    Figures decode(uint32_t offset) const;
    size_t entrySize(uint32_t offset) const;
    void dropUnusedBytes();
    // Writes the figures behind the bytes held; their offset. Nothing
    // changes when it throws.
    uint32_t append(const TurnFigures& figures);

    std::vector<Entry> m_turns;
    std::vector<char> m_bytes;
    size_t m_unusedBytes = 0; // of erased turns, still in m_bytes
};
