// What a window's device context draws on. Inside a paint the window's own
// painter is shared (its state saved and restored around the context's
// life); anywhere else Qt allows no painting on a widget, so the context
// gets a one-pixel image with the widget's font and resolution: it measures
// text exactly as a paint would, and what it draws goes nowhere.
#pragma once

#include <afx.h>

#include <memory>

class QImage;
class QPainter;
class CWnd;

class CWndSurface
{
public:
    CWndSurface();
    ~CWndSurface();
    CWndSurface(const CWndSurface&) = delete;
    CWndSurface& operator=(const CWndSurface&) = delete;

    QPainter* Open(CWnd* pWnd);
    void Close();
    // TRUE when the painter reaches the window's pixels.
    BOOL IsOnWindow() const { return m_pShared != nullptr; }
    // Where the text this paint draws is noted; null outside a paint.
    CString* PaintText() const { return m_pPaintText; }

private:
    QPainter* m_pShared = nullptr;
    CString* m_pPaintText = nullptr;
    std::unique_ptr<QImage> m_pImage;
    std::unique_ptr<QPainter> m_pOwnPainter;
};
