// The chart view. (Skeleton: drawing and interaction are filled in next.)
#pragma once

#include <afxwin.h>

class CKurvoDoc;

class CKurvoView1 : public CView
{
    DECLARE_DYNCREATE(CKurvoView1)
public:
    CKurvoView1();
    ~CKurvoView1() override;

protected:
    void OnDraw(CDC* pDC) override;

    DECLARE_MESSAGE_MAP()
};
