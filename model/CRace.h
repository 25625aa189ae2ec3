// A race of a game: its name (the first string), its game's name (the second
// string), its colour and one series block per statistic kind.
//
// A series block is a heap array of 5 + n longs, n being the turn count:
//   0      turn count n
//   1      maximum of the values stored since the block was allocated (>= 0)
//   2      minimum of those values (<= 0)
//   3      kind, 1 to 5
//   4      colour (RGB) the race had when the block was allocated
//   5 + t  value of turn t, or lNoValue when the host had none
// Either all five blocks exist and hold m_nTurns turns, or none does and
// m_nTurns is 0.
#pragma once

#include "model/CObStringString.h"
#include "model/StatKinds.h"

#include <array>
#include <memory>

class CMapStringToString;

class CRace : public CObStringString
{
    DECLARE_SERIAL(CRace)
public:
    enum { posTurns = 0, posMax = 1, posMin = 2, posKind = 3, posColor = 4, posFirstValue = 5 };
    static constexpr LONG lNoValue = -1;
    // More turns than any game plays; it bounds what a host reply or a file
    // can make a race allocate.
    static constexpr LONG nMaxTurns = 1000000;

    CRace();
    CRace(const CString& strRace, const CString& strGame);
    ~CRace() override;

    // The two names, the turn count n, then for positions n + 4 down to 0
    // that position of the five blocks in kind order. A race without turns
    // is stored as count 0 and five empty headers and reads back without
    // turns.
    void Serialize(CArchive& ar) override;

    BOOL SetStrings(const CString& strRace, const CString& strGame) override;

    // Makes the blocks hold nTurns turns, keeping the old values; the new
    // turns hold lNoValue, and maximum and minimum restart at 0 with the
    // current colour in the headers. 0 changes nothing. A count below the
    // current one, or beyond nMaxTurns, is refused with FALSE. All or
    // nothing: when an allocation fails (std::bad_alloc) the race keeps the
    // blocks and count it had.
    BOOL SetTurnCount(LONG nTurns);
    BOOL FreeSeries();
    // Null when the race holds no turns or for a kind outside 1 to 5.
    LONG* GetSeries(int nKind);
    const LONG* GetSeries(int nKind) const;
    LONG GetTurnCount() const { return m_nTurns; }
    // Whether the race is what a load accepts: five blocks whose headers
    // carry the race's turn count and their own kinds, or none at all with a
    // count of 0. A save writes only races that pass.
    BOOL HasWholeSeries() const;
    LONG GetColor() const { return m_lColor; }

    // Brings the race up to date with the host: its colour, then every turn
    // it does not hold yet, newest first. A host that reports fewer turns
    // than the race holds gets the race rebuilt from scratch. FALSE, with
    // the series untouched, for a turn count that is negative or beyond
    // nMaxTurns. The new turns are gathered aside and taken in at the end,
    // so a fetch that fails part way (std::bad_alloc) leaves the race as it
    // was, never with a count that claims turns it lacks.
    BOOL FetchFromHost();

    // A host figure as stored: the decimal text read as the platform's atof
    // reads it (in any locale; see AfxAtof), times lScale, truncated toward
    // zero and saturated to 32 bits.
    static LONG ScaleReply(LPCSTR lpszText, LONG lScale);

protected:
    // The chart file stores kindCount blocks per race, interleaved position
    // by position, with no count of its own: a table with another number of
    // kinds reads every existing file wrongly, so the file's layout changes
    // with it.
    LONG* m_apSeries[kindCount] = {};
    LONG m_nTurns = 0;
    LONG m_lColor = 0;

private:
    using SERIES_BLOCKS = std::array<std::unique_ptr<LONG[]>, kindCount>;

    // Five blocks of nTurns turns coloured lColor, holding the first nKeep
    // turns of the race's own blocks and lNoValue after them.
    SERIES_BLOCKS MakeSeries(LONG nTurns, LONG nKeep, LONG lColor) const;
    // Frees the race's blocks and takes blocks in their place; cannot fail.
    void AdoptSeries(SERIES_BLOCKS& blocks, LONG nTurns) noexcept;
    void StoreSeries(CArchive& ar) const;
    void LoadSeries(CArchive& ar);
    void LoadEmptyHeaders(CArchive& ar);
    static BOOL SeriesHeadersMatch(const SERIES_BLOCKS& blocks, LONG nTurns);
    static void FetchTurn(LONG nTurn, const CString& strGame, const CString& strRace,
                          CMapStringToString& map, SERIES_BLOCKS& blocks);
};
