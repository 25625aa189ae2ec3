#include "CBrush.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return ::GetObject(m_hObject, int(sizeof(LOGBRUSH)), pLogBrush);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    // A handle of another kind gives null rather than a mistyped wrapper.
    CGdiObject* pObject = CGdiObject::FromHandle(hBrush);
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CBrush)))
        return nullptr;
    return static_cast<CBrush*>(pObject);
}
