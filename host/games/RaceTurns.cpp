#include "RaceTurns.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace
{
// Lengths are written seven bits to a byte, low bits first, the top bit
// saying that another byte follows: a figure's text is rarely 128 bytes.
void appendLength(std::vector<char>& bytes, size_t length)
{
    do {
        const unsigned char low = length & 0x7F;
        length >>= 7;
        bytes.push_back(char(low | (length != 0 ? 0x80 : 0)));
    } while (length != 0);
}

size_t readLength(const char*& p)
{
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        length |= size_t(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return length;
    }
}

template <typename Iterator> Iterator lowerBound(Iterator first, Iterator last, int turn)
{
    return std::lower_bound(first, last, turn,
                            [](const auto& entry, int t) { return entry.turn < t; });
}

size_t encodedSize(const TurnFigures& figures)
{
    size_t size = 0;
    for (const std::string& text : figures) {
        size += text.size() + 1;
        for (size_t rest = text.size() >> 7; rest != 0; rest >>= 7)
            ++size;
    }
    return size;
}
} // namespace

std::vector<RaceTurns::Entry>::const_iterator RaceTurns::locate(int turn) const
{
    const auto it = lowerBound(m_turns.begin(), m_turns.end(), turn);
    return it != m_turns.end() && it->turn == turn ? it : m_turns.end();
}

RaceTurns::Figures RaceTurns::decode(uint32_t offset) const
{
    Figures figures;
    const char* p = m_bytes.data() + offset;
    for (std::string_view& text : figures) {
        const size_t length = readLength(p);
        text = std::string_view(p, length);
        p += length;
    }
    return figures;
}

std::optional<RaceTurns::Figures> RaceTurns::find(int turn) const
{
    const auto it = locate(turn);
    if (it == m_turns.end())
        return std::nullopt;
    return decode(it->offset);
}

RaceTurns::Figures RaceTurns::at(int turn) const
{
    std::optional<Figures> figures = find(turn);
    if (!figures)
        throw std::out_of_range("the race has no such turn");
    return *figures;
}

bool RaceTurns::insert(int turn, const TurnFigures& figures)
{
    // Files arrive in turn order, so the usual place is the end.
    auto place = m_turns.end();
    if (!m_turns.empty() && m_turns.back().turn >= turn) {
        place = lowerBound(m_turns.begin(), m_turns.end(), turn);
        if (place->turn == turn)
            return false;
    }
    if (m_unusedBytes > m_bytes.size() / 2) {
        const size_t index = size_t(place - m_turns.begin());
        dropUnusedBytes();
        place = m_turns.begin() + std::ptrdiff_t(index);
    }
    const uint32_t offset = append(figures);
    try {
        m_turns.insert(place, Entry{turn, offset});
    } catch (...) {
        m_bytes.resize(offset);
        throw;
    }
    return true;
}

uint32_t RaceTurns::append(const TurnFigures& figures)
{
    const size_t offset = m_bytes.size();
    if (offset + encodedSize(figures) > std::numeric_limits<uint32_t>::max())
        throw std::length_error("a race's figures exceed 4 GiB");
    try {
        for (const std::string& text : figures) {
            appendLength(m_bytes, text.size());
            m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        }
    } catch (...) {
        m_bytes.resize(offset);
        throw;
    }
    return uint32_t(offset);
}

void RaceTurns::merge(int turn, const TurnFigures& figures)
{
    const auto it = locate(turn);
    if (it == m_turns.end()) {
        insert(turn, figures);
        return;
    }
    const Figures held = decode(it->offset);
    TurnFigures merged;
    for (size_t i = 0; i < merged.size(); ++i)
        merged[i] = figures[i].empty() ? std::string(held[i]) : figures[i];
    const size_t index = size_t(it - m_turns.begin());
    const size_t oldSize = entrySize(it->offset);
    // The new figures go behind the old ones, which become unused: the
    // entry changes only once they are all written.
    const uint32_t offset = append(merged);
    m_turns[index].offset = offset;
    m_unusedBytes += oldSize;
}

void RaceTurns::erase(int turn) noexcept
{
    const auto it = locate(turn);
    if (it == m_turns.end())
        return;
    m_unusedBytes += entrySize(it->offset);
    m_turns.erase(it);
}

size_t RaceTurns::entrySize(uint32_t offset) const
{
    const char* p = m_bytes.data() + offset;
    for (int i = 0; i < kStatisticCount; ++i) {
        const size_t length = readLength(p);
        p += length;
    }
    return size_t(p - (m_bytes.data() + offset));
}

void RaceTurns::dropUnusedBytes()
{
    std::vector<char> bytes;
    bytes.reserve(m_bytes.size() - m_unusedBytes);
    std::vector<Entry> turns = m_turns;
    for (Entry& entry : turns) {
        const char* start = m_bytes.data() + entry.offset;
        const size_t size = entrySize(entry.offset);
        entry.offset = uint32_t(bytes.size());
        bytes.insert(bytes.end(), start, start + size);
    }
    m_bytes.swap(bytes);
    m_turns.swap(turns);
    m_unusedBytes = 0;
}

void RaceTurns::shrinkToFit()
{
    m_turns.shrink_to_fit();
    m_bytes.shrink_to_fit();
}
