// The chart's MDI child frame. It exists so that the document template has a
// creatable frame class of the plug-in's own; it behaves as any MDI child.
#pragma once

#include <afxwin.h>

class CKurvoFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CKurvoFrame)
public:
    CKurvoFrame();
    ~CKurvoFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    DECLARE_MESSAGE_MAP()
};
