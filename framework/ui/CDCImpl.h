// The Qt side of a device context, private to the framework's drawing code:
// the painter drawn through, the selected objects as Qt sees them, the
// saved states, the cached font metrics and what is held back to be painted
// together (a chain of lines, an open path).
#pragma once

#include "CDC.h"
#include "CGdiLineChain.h"
#include "CGdiPath.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <memory>
#include <optional>
#include <vector>

struct CDC::DcState {
    HGDIOBJ hPen = nullptr;
    HGDIOBJ hBrush = nullptr;
    HGDIOBJ hFont = nullptr;
    QPen pen;
    BOOL bPenOnePixel = TRUE;
    QColor brushColor;
    BOOL bBrushVisible = TRUE;
    QFont font;
    COLORREF crText = RGB(0, 0, 0);
    COLORREF crBk = RGB(255, 255, 255);
    int nBkMode = OPAQUE;
    POINT ptCurrent{0, 0};
};

struct CDC::Impl {
    QPainter* m_pPainter = nullptr;
    std::unique_ptr<QPainter> m_pOwnedPainter;
    int m_nPainterSaves = 0; // painter saves this DC made and must undo

    DcState m_state;
    BOOL m_bPainterPenSet = FALSE;
    BOOL m_bPainterFontSet = FALSE;
    mutable std::optional<QFontMetrics> m_metrics;

    CGdiLineChain m_lines;
    CGdiPath m_path;
    BOOL m_bPathOpen = FALSE;
    BOOL m_bPathDone = FALSE;
};
