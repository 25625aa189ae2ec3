// A brush. Only solid brushes exist in this library.
#pragma once

#include "CGdiObject.h"

class AFX_API CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF crColor);

    static CBrush* FromHandle(HBRUSH hBrush);
};
