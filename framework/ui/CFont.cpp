#include "CFont.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return FromHandleOf<CFont>(hFont, RUNTIME_CLASS(CFont));
}
