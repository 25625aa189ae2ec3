#include "AfxGdiObjects.h"

#include "AfxFontConversion.h"
#include "AfxGdiObjectData.h"
#include "CGdiObject.h"

#include <array>
#include <cstring>

namespace
{

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

AfxGdiObjectData* MakeStockBrush(UINT nStyle, COLORREF cr)
{
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Brush;
    pData->nBrushStyle = nStyle;
    pData->crColor = cr;
    return pData;
}

AfxGdiObjectData* MakeStockPen(UINT nStyle, COLORREF cr)
{
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Pen;
    pData->nPenStyle = nStyle;
    pData->crColor = cr;
    return pData;
}

AfxGdiObjectData* MakeStockFont()
{
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Font;
    pData->bFollowsAppFont = TRUE;
    return pData;
}

std::array<AfxGdiObjectData*, kStockCount> MakeStockObjects()
{
    std::array<AfxGdiObjectData*, kStockCount> stock{};
    stock[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    stock[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    stock[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    stock[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    stock[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    stock[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    stock[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    stock[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    stock[NULL_PEN] = MakeStockPen(PS_NULL, 0);
    for (int nIndex : {ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT, DEFAULT_GUI_FONT})
        stock[size_t(nIndex)] = MakeStockFont();
    for (AfxGdiObjectData* pData : stock) {
        if (pData != nullptr) {
            pData->bStock = TRUE;
            AfxRegisterGdiObject(pData);
        }
    }
    return stock;
}

int CopyOut(const void* pSource, int cbSource, int cbBuffer, LPVOID lpvObject)
{
    if (lpvObject == nullptr)
        return cbSource;
    if (cbBuffer < cbSource)
        return 0;
    std::memcpy(lpvObject, pSource, size_t(cbSource));
    return cbSource;
}

} // namespace

HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Pen;
    pData->nPenStyle = UINT(nPenStyle);
    pData->nPenWidth = nWidth < 0 ? 0 : nWidth;
    pData->crColor = crColor & 0x00FFFFFF;
    return static_cast<HPEN>(AfxRegisterGdiObject(pData));
}

HBRUSH CreateSolidBrush(COLORREF crColor)
{
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Brush;
    pData->crColor = crColor & 0x00FFFFFF;
    return static_cast<HBRUSH>(AfxRegisterGdiObject(pData));
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf)
{
    if (lplf == nullptr)
        return nullptr;
    auto* pData = new AfxGdiObjectData;
    pData->eKind = AfxGdiObjectData::Kind::Font;
    pData->logFont = *lplf;
    pData->font = AfxFontFromLogFont(*lplf);
    return static_cast<HFONT>(AfxRegisterGdiObject(pData));
}

HGDIOBJ GetStockObject(int nIndex)
{
    static const std::array<AfxGdiObjectData*, kStockCount> stock = MakeStockObjects();
    if (nIndex < 0 || nIndex >= kStockCount)
        return nullptr;
    return stock[size_t(nIndex)];
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    AfxGdiObjectData* pData = AfxLookupGdiObject(hObject);
    if (pData == nullptr)
        return FALSE;
    if (pData->bStock)
        return TRUE;
    // Wrappers that still name the handle must not free it a second time.
    CGdiObject::ForgetHandle(hObject);
    return AfxFreeGdiObject(hObject);
}

DWORD GetObjectType(HGDIOBJ hObject)
{
    const AfxGdiObjectData* pData = AfxLookupGdiObject(hObject);
    if (pData == nullptr)
        return 0;
    switch (pData->eKind) {
    case AfxGdiObjectData::Kind::Pen:
        return OBJ_PEN;
    case AfxGdiObjectData::Kind::Brush:
        return OBJ_BRUSH;
    case AfxGdiObjectData::Kind::Font:
        return OBJ_FONT;
    }
    return 0;
}

int GetObjectA(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject)
{
    const AfxGdiObjectData* pData = AfxLookupGdiObject(hObject);
    if (pData == nullptr)
        return 0;
    switch (pData->eKind) {
    case AfxGdiObjectData::Kind::Pen: {
        const LOGPEN lp{pData->nPenStyle, POINT{pData->nPenWidth, 0}, pData->crColor};
        return CopyOut(&lp, int(sizeof(lp)), cbBuffer, lpvObject);
    }
    case AfxGdiObjectData::Kind::Brush: {
        const LOGBRUSH lb{pData->nBrushStyle, pData->crColor, 0};
        return CopyOut(&lb, int(sizeof(lb)), cbBuffer, lpvObject);
    }
    case AfxGdiObjectData::Kind::Font: {
        LOGFONTA lf = pData->logFont;
        if (pData->bFollowsAppFont)
            AfxLogFontFromFont(AfxResolveFont(*pData), lf);
        return CopyOut(&lf, int(sizeof(lf)), cbBuffer, lpvObject);
    }
    }
    return 0;
}

BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni)
{
    if (uiAction != SPI_GETICONTITLELOGFONT || pvParam == nullptr || uiParam != sizeof(LOGFONTA))
        return FALSE;
    AfxLogFontFromFont(AfxIconTitleFont(), *static_cast<LOGFONTA*>(pvParam));
    return TRUE;
}
