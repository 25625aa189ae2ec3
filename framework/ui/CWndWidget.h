// The Qt side of a window. Every event that a window cares about goes
// through CWndMsgTranslator, which turns it into window messages; what the
// translator leaves alone gets Qt's own handling. The template lets frames
// use a QMainWindow or similar as their Qt side with the same dispatch.
#pragma once

#include "CWndMsgTranslator.h"

#include <QWidget>

// The widget keeps no pointer to its window: the handle map is asked on every
// event, so a window that has let go of its widget is never reached again.
template <class TBase> class CWndWidgetT : public TBase
{
public:
    CWndWidgetT(UINT nTranslate, QWidget* pParent, Qt::WindowFlags flags = {})
        : TBase(pParent), m_nTranslate(nTranslate)
    {
        if (flags)
            this->setWindowFlags(flags);
    }
    ~CWndWidgetT() override { CWndMsgTranslator::WidgetDestroying(this); }

protected:
    bool event(QEvent* pEvent) override
    {
        if (CWndMsgTranslator::Translate(this, pEvent, m_nTranslate))
            return true;
        return TBase::event(pEvent);
    }

private:
    UINT m_nTranslate;
};

typedef CWndWidgetT<QWidget> CWndWidget;
