// CDC: surfaces, selected objects, attributes and saved states. Drawing is in
// CDCDraw.cpp, text in CDCText.cpp.
#include "CDC.h"
#include "CDCImpl.h"

#include "AfxGdiObjectData.h"
#include "AfxRectFunctions.h"

#include <QImage>
#include <QPainter>

#include <mutex>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace
{

// Live device contexts by handle, so FromHandle refuses stale handles.
struct DcRegistry {
    std::mutex mutex;
    std::unordered_set<HDC> handles;
};

DcRegistry& Registry()
{
    static DcRegistry* pRegistry = new DcRegistry; // outlives static destructors
    return *pRegistry;
}

} // namespace

CDC::CDC() : m_p(std::make_unique<Impl>())
{
    ResetState();
}

CDC::~CDC()
{
    DeleteDC();
}

int CDC::GetBkMode() const
{
    return m_p->m_state.nBkMode;
}

// ---- Surfaces ------------------------------------------------------------

BOOL CDC::BeginSurface(QPainter* pPainter)
{
    m_p->m_pPainter = pPainter;
    if (m_p->m_pPainter != nullptr) {
        // Undone by Detach, so a borrowed painter comes back as it was lent.
        m_p->m_pPainter->save();
        m_p->m_nPainterSaves = 1;
        m_p->m_pPainter->setRenderHint(QPainter::Antialiasing, false);
    }
    ResetState();
    RegisterHandle();
    return TRUE;
}

BOOL CDC::Attach(QPainter* pPainter)
{
    if (m_hDC != nullptr || pPainter == nullptr || !pPainter->isActive())
        return FALSE;
    return BeginSurface(pPainter);
}

BOOL CDC::CreateForImage(QImage* pImage)
{
    if (m_hDC != nullptr || pImage == nullptr || pImage->isNull())
        return FALSE;
    auto pPainter = std::make_unique<QPainter>();
    if (!pPainter->begin(pImage))
        return FALSE;
    m_p->m_pOwnedPainter = std::move(pPainter);
    return BeginSurface(m_p->m_pOwnedPainter.get());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC != nullptr)
        return FALSE;
    return BeginSurface(nullptr);
}

QPainter* CDC::Detach()
{
    if (m_hDC == nullptr)
        return nullptr;
    QPainter* pPainter = m_p->m_pPainter;
    if (pPainter != nullptr) {
        FlushLines();
        for (; m_p->m_nPainterSaves > 0; --m_p->m_nPainterSaves)
            pPainter->restore();
    }
    UnregisterHandle();
    m_p->m_pPainter = nullptr;
    m_p->m_lines.Clear();
    m_p->m_path.Clear();
    m_p->m_bPathOpen = FALSE;
    m_p->m_bPathDone = FALSE;
    ResetState();
    if (m_p->m_pOwnedPainter) {
        m_p->m_pOwnedPainter->end();
        m_p->m_pOwnedPainter.reset();
        return nullptr;
    }
    return pPainter;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    Detach();
    return TRUE;
}

QPainter* CDC::GetPainter()
{
    if (m_p->m_pPainter == nullptr)
        return nullptr;
    FlushLines();
    InvalidatePainterState();
    return m_p->m_pPainter;
}

void CDC::RegisterHandle()
{
    m_hDC = reinterpret_cast<HDC>(this);
    DcRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.handles.insert(m_hDC);
}

void CDC::UnregisterHandle()
{
    DcRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.handles.erase(m_hDC);
    m_hDC = nullptr;
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    DcRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    return registry.handles.count(hDC) != 0 ? reinterpret_cast<CDC*>(hDC) : nullptr;
}

// ---- State ---------------------------------------------------------------

void CDC::ResetState()
{
    m_p->m_state = DcState();
    SetPenFrom(::GetStockObject(BLACK_PEN), *AfxLookupGdiObject(::GetStockObject(BLACK_PEN)));
    SetBrushFrom(::GetStockObject(WHITE_BRUSH), *AfxLookupGdiObject(::GetStockObject(WHITE_BRUSH)));
    SetFontFrom(::GetStockObject(SYSTEM_FONT), *AfxLookupGdiObject(::GetStockObject(SYSTEM_FONT)));
    InvalidatePainterState();
}

void CDC::InvalidatePainterState()
{
    m_p->m_bPainterPenSet = FALSE;
    m_p->m_bPainterFontSet = FALSE;
}

void CDC::SetPenFrom(HGDIOBJ hPen, const AfxGdiObjectData& data)
{
    const UINT nStyle = data.nPenStyle & PS_STYLE_MASK;
    const QColor color = AfxQColorFromColorRef(data.crColor);
    m_p->m_state.hPen = hPen;
    m_p->m_state.bPenOnePixel = data.nPenWidth <= 1;
    if (nStyle == PS_NULL) {
        m_p->m_state.pen = QPen(Qt::NoPen);
        return;
    }
    if (m_p->m_state.bPenOnePixel) {
        // Width 0 makes the pen cosmetic: one device pixel at any scale.
        QPen pen(color, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        switch (nStyle) {
        case PS_DASH:
            pen.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
            pen.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            pen.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
        m_p->m_state.pen = pen;
        return;
    }
    // Wide pens are solid, as on the platform, with round ends and joins
    // unless the style asks otherwise.
    Qt::PenCapStyle cap = Qt::RoundCap;
    if ((data.nPenStyle & PS_ENDCAP_MASK) == PS_ENDCAP_SQUARE)
        cap = Qt::SquareCap;
    else if ((data.nPenStyle & PS_ENDCAP_MASK) == PS_ENDCAP_FLAT)
        cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    if ((data.nPenStyle & PS_JOIN_MASK) == PS_JOIN_BEVEL)
        join = Qt::BevelJoin;
    else if ((data.nPenStyle & PS_JOIN_MASK) == PS_JOIN_MITER)
        join = Qt::MiterJoin;
    m_p->m_state.pen = QPen(color, data.nPenWidth, Qt::SolidLine, cap, join);
}

void CDC::SetBrushFrom(HGDIOBJ hBrush, const AfxGdiObjectData& data)
{
    m_p->m_state.hBrush = hBrush;
    m_p->m_state.bBrushVisible = data.nBrushStyle != BS_NULL;
    m_p->m_state.brushColor = AfxQColorFromColorRef(data.crColor);
}

void CDC::SetFontFrom(HGDIOBJ hFont, const AfxGdiObjectData& data)
{
    m_p->m_state.hFont = hFont;
    m_p->m_state.font = AfxResolveFont(data);
    m_p->m_metrics.reset();
    m_p->m_bPainterFontSet = FALSE;
}

HGDIOBJ CDC::SelectHandle(HGDIOBJ hObject)
{
    const AfxGdiObjectData* pData = AfxLookupGdiObject(hObject);
    if (pData == nullptr)
        return nullptr;
    HGDIOBJ hPrevious = nullptr;
    switch (pData->eKind) {
    case AfxGdiObjectData::Kind::Pen:
        // Lines drawn so far keep the pen they were drawn with.
        FlushLines();
        hPrevious = m_p->m_state.hPen;
        SetPenFrom(hObject, *pData);
        m_p->m_bPainterPenSet = FALSE;
        break;
    case AfxGdiObjectData::Kind::Brush:
        hPrevious = m_p->m_state.hBrush;
        SetBrushFrom(hObject, *pData);
        break;
    case AfxGdiObjectData::Kind::Font:
        hPrevious = m_p->m_state.hFont;
        SetFontFrom(hObject, *pData);
        break;
    }
    return hPrevious;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == nullptr)
        return nullptr;
    return CPen::FromHandle(static_cast<HPEN>(SelectHandle(pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == nullptr)
        return nullptr;
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectHandle(pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == nullptr)
        return nullptr;
    return CFont::FromHandle(static_cast<HFONT>(SelectHandle(pFont->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr)
        return nullptr;
    return CGdiObject::FromHandle(SelectHandle(pObject->m_hObject));
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(m_p->m_state.hPen));
}

// ---- Attributes ----------------------------------------------------------

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    const COLORREF crPrevious = m_p->m_state.crBk;
    m_p->m_state.crBk = crColor & 0x00FFFFFF;
    return crPrevious;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    const COLORREF crPrevious = m_p->m_state.crText;
    m_p->m_state.crText = crColor & 0x00FFFFFF;
    return crPrevious;
}

int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    const int nPrevious = m_p->m_state.nBkMode;
    m_p->m_state.nBkMode = nBkMode;
    return nPrevious;
}
