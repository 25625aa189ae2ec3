#include "views/CKurvoView1.h"

IMPLEMENT_DYNCREATE(CKurvoView1, CView)

BEGIN_MESSAGE_MAP(CKurvoView1, CView)
END_MESSAGE_MAP()

CKurvoView1::CKurvoView1() = default;

CKurvoView1::~CKurvoView1() = default;

void CKurvoView1::OnDraw(CDC* pDC)
{
    (void)pDC;
}
