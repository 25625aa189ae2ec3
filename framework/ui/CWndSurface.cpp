#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndSurface.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>

CWndSurface::CWndSurface() = default;

CWndSurface::~CWndSurface()
{
    Close();
}

QPainter* CWndSurface::Open(CWnd* pWnd)
{
    Close();
    if (pWnd != nullptr && pWnd->m_pPaintPainter != nullptr) {
        m_pShared = pWnd->m_pPaintPainter;
        m_pShared->save();
        m_pPaintText = &pWnd->m_strPaintingText;
        return m_pShared;
    }
    m_pImage = std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied);
    QWidget* pWidget = pWnd != nullptr ? AfxGetWidget(pWnd) : nullptr;
    if (pWidget != nullptr) {
        // Same resolution as the widget, so fonts measure the same size.
        const double dInchPerMeter = 39.37;
        m_pImage->setDotsPerMeterX(int(std::lround(pWidget->logicalDpiX() * dInchPerMeter)));
        m_pImage->setDotsPerMeterY(int(std::lround(pWidget->logicalDpiY() * dInchPerMeter)));
    }
    m_pOwnPainter = std::make_unique<QPainter>(m_pImage.get());
    if (pWidget != nullptr)
        m_pOwnPainter->setFont(pWidget->font());
    return m_pOwnPainter.get();
}

void CWndSurface::Close()
{
    if (m_pShared != nullptr) {
        m_pShared->restore();
        m_pShared = nullptr;
        m_pPaintText = nullptr;
    }
    if (m_pOwnPainter != nullptr)
        m_pOwnPainter->end();
    m_pOwnPainter.reset();
    m_pImage.reset();
}
