#include "document/CKurvoFrame.h"

IMPLEMENT_DYNCREATE(CKurvoFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CKurvoFrame, CMDIChildWnd)
END_MESSAGE_MAP()

CKurvoFrame::CKurvoFrame() = default;

CKurvoFrame::~CKurvoFrame() = default;

BOOL CKurvoFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIChildWnd::PreCreateWindow(cs);
}
