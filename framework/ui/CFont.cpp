#include "CFont.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return ::GetObject(m_hObject, int(sizeof(LOGFONTA)), pLogFont);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    // A handle of another kind gives null rather than a mistyped wrapper.
    CGdiObject* pObject = CGdiObject::FromHandle(hFont);
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CFont)))
        return nullptr;
    return static_cast<CFont*>(pObject);
}
