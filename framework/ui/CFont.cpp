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
    return FromHandleOf<CFont>(hFont, RUNTIME_CLASS(CFont));
}
