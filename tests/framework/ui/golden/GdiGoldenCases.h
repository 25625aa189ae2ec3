// The drawing cases whose pixels are kept as fixtures: read from a text
// table and expanded into plain drawing calls. Two programs share it, the
// fixture writer (built for the platform and run under an independent
// implementation of its GDI) and the test that draws the same calls through
// CDC, so it uses nothing but the standard library.
//
// A table line is one call; '#' starts a comment. A case is
//     case NAME WIDTH HEIGHT
//     origin DX DY            (before drawing: viewport origin)
//     clip LEFT TOP RIGHT BOTTOM  (before drawing, logical coordinates)
//     pen RRGGBB | move X Y | line X Y | fill L T R B RRGGBB
//     beginpath | endpath | strokepath
//     fan CELL REACH          every line from a cell's centre to the points
//                             up to REACH away, one cell each, and back
//     chains SEED COUNT LENGTH STEP   random polylines inside the image
//     chart SEED CURVES TURNS STEP    random-walk curves and the turn grid
//     end
// The image starts white.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace gdigolden
{

enum class OpKind { Pen, Move, Line, Fill, BeginPath, EndPath, StrokePath };

struct Op {
    OpKind kind;
    int a = 0, b = 0, c = 0, d = 0;
    unsigned color = 0; // 0xRRGGBB
};

struct Case {
    std::string name;
    int width = 0;
    int height = 0;
    int originX = 0;
    int originY = 0;
    bool clipped = false;
    int clip[4] = {0, 0, 0, 0};
    std::vector<Op> ops;
};

// A small generator both sides compute alike (xorshift32).
class Random
{
public:
    explicit Random(unsigned seed) : m_state(seed != 0 ? seed : 1u) {}
    unsigned Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // In [lo, hi].
    int Range(int lo, int hi) { return lo + int(Next() % unsigned(hi - lo + 1)); }

private:
    uint32_t m_state;
};

inline void AddPen(Case& c, unsigned color)
{
    c.ops.push_back(Op{OpKind::Pen, 0, 0, 0, 0, color});
}

inline void AddMove(Case& c, int x, int y)
{
    c.ops.push_back(Op{OpKind::Move, x, y});
}

inline void AddLine(Case& c, int x, int y)
{
    c.ops.push_back(Op{OpKind::Line, x, y});
}

// Every direction and length up to nReach, each line alone in its cell so
// that its pixels can be told apart; outward from the centre, then inward.
inline void ExpandFan(Case& c, int nCell, int nReach)
{
    const int nSide = 2 * nReach + 1;
    const int nCentre = nCell / 2;
    for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < nSide; ++j) {
            for (int i = 0; i < nSide; ++i) {
                const int x0 = i * nCell + nCentre;
                const int y0 = (pass * nSide + j) * nCell + nCentre;
                const int x1 = x0 + i - nReach;
                const int y1 = y0 + j - nReach;
                AddMove(c, pass == 0 ? x0 : x1, pass == 0 ? y0 : y1);
                AddLine(c, pass == 0 ? x1 : x0, pass == 0 ? y1 : y0);
            }
        }
    }
}

inline void ExpandChains(Case& c, unsigned seed, int nCount, int nLength, int nStep)
{
    Random rng(seed);
    for (int k = 0; k < nCount; ++k) {
        AddPen(c, rng.Next() & 0xFFFFFF);
        int x = rng.Range(0, c.width - 1);
        int y = rng.Range(0, c.height - 1);
        AddMove(c, x, y);
        for (int i = 0; i < nLength; ++i) {
            x = std::min(std::max(x + rng.Range(-nStep, nStep), 0), c.width - 1);
            y = std::min(std::max(y + rng.Range(-nStep, nStep), 0), c.height - 1);
            AddLine(c, x, y);
        }
    }
}

// As the chart draws: each curve a MoveTo and one LineTo per turn, a turn
// every nStep pixels, values wandering past the top and bottom; then the
// grid as one stroked path of vertical lines.
inline void ExpandChart(Case& c, unsigned seed, int nCurves, int nTurns, int nStep)
{
    Random rng(seed);
    for (int k = 0; k < nCurves; ++k) {
        AddPen(c, rng.Next() & 0xFFFFFF);
        int y = rng.Range(0, c.height - 1);
        for (int t = 0; t < nTurns; ++t) {
            y += rng.Range(-12, 12);
            if (t == 0)
                AddMove(c, 0, y);
            else
                AddLine(c, t * nStep, y);
        }
    }
    AddPen(c, 0x969696);
    c.ops.push_back(Op{OpKind::BeginPath});
    AddMove(c, 0, 0);
    for (int t = 0; t < nTurns; ++t) {
        AddLine(c, t * nStep, c.height - 1);
        AddMove(c, (t + 1) * nStep, 0);
    }
    c.ops.push_back(Op{OpKind::EndPath});
    c.ops.push_back(Op{OpKind::StrokePath});
}

inline unsigned ParseColor(const std::string& str)
{
    return unsigned(std::strtoul(str.c_str(), nullptr, 16)) & 0xFFFFFF;
}

// The cases of a table; an unreadable line ends the table there.
inline std::vector<Case> ParseCases(const std::string& strTable)
{
    std::vector<Case> cases;
    std::istringstream in(strTable);
    std::string strLine;
    Case current;
    bool bOpen = false;
    while (std::getline(in, strLine)) {
        const size_t nHash = strLine.find('#');
        if (nHash != std::string::npos)
            strLine.erase(nHash);
        std::istringstream words(strLine);
        std::string strOp;
        if (!(words >> strOp))
            continue;
        if (strOp == "case") {
            current = Case();
            words >> current.name >> current.width >> current.height;
            bOpen = words && current.width > 0 && current.height > 0 && current.width <= 4096 &&
                    current.height <= 4096;
            if (!bOpen)
                break;
            continue;
        }
        if (!bOpen)
            break;
        Op op{OpKind::Pen};
        std::string strColor;
        if (strOp == "end") {
            cases.push_back(current);
            bOpen = false;
        } else if (strOp == "origin") {
            words >> current.originX >> current.originY;
        } else if (strOp == "clip") {
            current.clipped = true;
            words >> current.clip[0] >> current.clip[1] >> current.clip[2] >> current.clip[3];
        } else if (strOp == "pen") {
            words >> strColor;
            AddPen(current, ParseColor(strColor));
        } else if (strOp == "move" || strOp == "line") {
            words >> op.a >> op.b;
            op.kind = strOp == "move" ? OpKind::Move : OpKind::Line;
            current.ops.push_back(op);
        } else if (strOp == "fill") {
            words >> op.a >> op.b >> op.c >> op.d >> strColor;
            op.kind = OpKind::Fill;
            op.color = ParseColor(strColor);
            current.ops.push_back(op);
        } else if (strOp == "beginpath") {
            current.ops.push_back(Op{OpKind::BeginPath});
        } else if (strOp == "endpath") {
            current.ops.push_back(Op{OpKind::EndPath});
        } else if (strOp == "strokepath") {
            current.ops.push_back(Op{OpKind::StrokePath});
        } else if (strOp == "fan") {
            int nCell = 0, nReach = 0;
            words >> nCell >> nReach;
            if (nCell > 2 * nReach + 1 && nReach > 0 && nReach < 64)
                ExpandFan(current, nCell, nReach);
        } else if (strOp == "chains" || strOp == "chart") {
            unsigned seed = 0;
            int nCount = 0, nLength = 0, nStep = 0;
            words >> seed >> nCount >> nLength >> nStep;
            if (nCount > 0 && nCount <= 1000 && nLength > 0 && nLength <= 10000 && nStep > 0) {
                if (strOp == "chains")
                    ExpandChains(current, seed, nCount, nLength, nStep);
                else
                    ExpandChart(current, seed, nCount, nLength, nStep);
            }
        } else {
            break;
        }
        if (!words && strOp != "end" && strOp != "beginpath" && strOp != "endpath" &&
            strOp != "strokepath")
            break;
    }
    return cases;
}

} // namespace gdigolden
