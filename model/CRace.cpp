#include "model/CRace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

IMPLEMENT_SERIAL(CRace, CObStringString, 0)

CRace::CRace() = default;

CRace::CRace(const CString& strRace, const CString& strGame) : CObStringString(strRace, strGame) {}

CRace::~CRace()
{
    FreeSeries();
}

BOOL CRace::SetStrings(const CString& strRace, const CString& strGame)
{
    return CObStringString::SetStrings(strRace, strGame);
}

// ---------------------------------------------------------------------------
// Series blocks

CRace::SERIES_BLOCKS CRace::MakeSeries(LONG nTurns, LONG nKeep, LONG lColor) const
{
    // Every block exists before the race sees any: a failed allocation
    // frees the ones already made and leaves the race alone.
    SERIES_BLOCKS blocks;
    for (int k = 0; k < kindCount; ++k) {
        blocks[k] = std::make_unique_for_overwrite<LONG[]>(size_t(posFirstValue + nTurns));
        LONG* pBlock = blocks[k].get();
        pBlock[posTurns] = nTurns;
        pBlock[posMax] = 0;
        pBlock[posMin] = 0;
        pBlock[posKind] = g_statKinds[k].nKind;
        pBlock[posColor] = lColor;
        LONG* pValues = pBlock + posFirstValue;
        if (nKeep > 0)
            std::copy(m_apSeries[k] + posFirstValue, m_apSeries[k] + posFirstValue + nKeep,
                      pValues);
        std::fill(pValues + nKeep, pValues + nTurns, lNoValue);
    }
    return blocks;
}

void CRace::AdoptSeries(SERIES_BLOCKS& blocks, LONG nTurns) noexcept
{
    FreeSeries();
    for (int k = 0; k < kindCount; ++k)
        m_apSeries[k] = blocks[k].release();
    m_nTurns = nTurns;
}

BOOL CRace::SetTurnCount(LONG nTurns)
{
    if (nTurns == 0)
        return TRUE;
    if (nTurns < m_nTurns || nTurns > nMaxTurns)
        return FALSE;
    const LONG nKeep = m_apSeries[0] != nullptr ? m_nTurns : 0;
    SERIES_BLOCKS blocks = MakeSeries(nTurns, nKeep, m_lColor);
    AdoptSeries(blocks, nTurns);
    return TRUE;
}

BOOL CRace::FreeSeries()
{
    for (LONG*& pBlock : m_apSeries) {
        delete[] pBlock;
        pBlock = nullptr;
    }
    m_nTurns = 0;
    return TRUE;
}

BOOL CRace::HasWholeSeries() const
{
    if (m_nTurns < 0 || m_nTurns > nMaxTurns)
        return FALSE;
    for (int k = 0; k < kindCount; ++k) {
        const LONG* pBlock = m_apSeries[k];
        if (m_nTurns == 0 ? pBlock != nullptr
                          : pBlock == nullptr || pBlock[posTurns] != m_nTurns ||
                                pBlock[posKind] != g_statKinds[k].nKind)
            return FALSE;
    }
    return TRUE;
}

LONG* CRace::GetSeries(int nKind)
{
    return GetStatKind(nKind) != nullptr ? m_apSeries[nKind - kindFirst] : nullptr;
}

const LONG* CRace::GetSeries(int nKind) const
{
    return GetStatKind(nKind) != nullptr ? m_apSeries[nKind - kindFirst] : nullptr;
}

// ---------------------------------------------------------------------------
// Archive

void CRace::Serialize(CArchive& ar)
{
    CObStringString::Serialize(ar);
    if (ar.IsStoring())
        StoreSeries(ar);
    else
        LoadSeries(ar);
}

namespace
{
// A stored word is little-endian; on a little-endian machine it is copied as
// it is.
void PutWord(BYTE* pOut, uint32_t nWord)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(pOut, &nWord, 4);
#else
    for (int b = 0; b < 4; ++b)
        pOut[b] = BYTE(nWord >> (8 * b));
#endif
}

uint32_t GetWord(const BYTE* pIn)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    uint32_t nWord;
    std::memcpy(&nWord, pIn, 4);
    return nWord;
#else
    uint32_t nWord = 0;
    for (int b = 3; b >= 0; --b)
        nWord = (nWord << 8) | pIn[b];
    return nWord;
#endif
}
} // namespace

void CRace::StoreSeries(CArchive& ar) const
{
    ar << m_nTurns;
    if (m_nTurns == 0) {
        // No blocks exist; the headers of empty ones stand in for them so
        // that the layout stays that of any other race.
        for (int j = posColor; j >= posTurns; --j) {
            for (const STAT_KIND& kind : g_statKinds) {
                LONG lWord = 0;
                if (j == posKind)
                    lWord = kind.nKind;
                else if (j == posColor)
                    lWord = m_lColor;
                ar << lWord;
            }
        }
        return;
    }
    // The interleaved words go out in one write: a call per word would cost
    // more than the words themselves.
    const size_t nBytes = size_t(kindCount) * size_t(posFirstValue + m_nTurns) * 4;
    const auto bytes = std::make_unique_for_overwrite<BYTE[]>(nBytes);
    BYTE* pOut = bytes.get();
    for (LONG j = posFirstValue + m_nTurns - 1; j >= 0; --j) {
        for (const LONG* pBlock : m_apSeries) {
            PutWord(pOut, uint32_t(pBlock[j]));
            pOut += 4;
        }
    }
    ar.Write(bytes.get(), UINT(nBytes));
}

void CRace::LoadSeries(CArchive& ar)
{
    LONG nTurns = 0;
    ar >> nTurns;
    if (nTurns < 0 || nTurns > nMaxTurns)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    const uint64_t nBytes = uint64_t(kindCount) * uint64_t(posFirstValue + nTurns) * sizeof(LONG);
    if (nBytes > ar.GetBytesLeft())
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);

    FreeSeries();
    m_lColor = 0;
    if (nTurns == 0) {
        LoadEmptyHeaders(ar);
        return;
    }
    // Read in one piece (its size is bounded by the bytes left above), then
    // dealt out to the blocks.
    const auto bytes = std::make_unique_for_overwrite<BYTE[]>(size_t(nBytes));
    ar.EnsureRead(bytes.get(), UINT(nBytes));
    SERIES_BLOCKS blocks = MakeSeries(nTurns, 0, 0);
    const BYTE* pIn = bytes.get();
    for (LONG j = posFirstValue + nTurns - 1; j >= 0; --j) {
        for (auto& pBlock : blocks) {
            pBlock[j] = LONG(GetWord(pIn));
            pIn += 4;
        }
    }
    // The views trust a block's own count and kind, so a block that
    // disagrees with the race's count or its slot is a malformed file.
    if (!SeriesHeadersMatch(blocks, nTurns))
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    AdoptSeries(blocks, nTurns);
}

// A race without turns keeps no blocks, but its stored headers are held to
// the same rules as those of any other race.
void CRace::LoadEmptyHeaders(CArchive& ar)
{
    BOOL bMatch = TRUE;
    for (int j = posColor; j >= posTurns; --j) {
        for (const STAT_KIND& kind : g_statKinds) {
            LONG lWord = 0;
            ar >> lWord;
            if ((j == posTurns && lWord != 0) || (j == posKind && lWord != kind.nKind))
                bMatch = FALSE;
        }
    }
    if (!bMatch)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}

BOOL CRace::SeriesHeadersMatch(const SERIES_BLOCKS& blocks, LONG nTurns)
{
    for (int k = 0; k < kindCount; ++k) {
        if (blocks[k][posTurns] != nTurns || blocks[k][posKind] != g_statKinds[k].nKind)
            return FALSE;
    }
    return TRUE;
}
