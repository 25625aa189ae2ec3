#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndAccessible.h"

#include "AfxQtText.h"

#include <QAccessible>
#include <QWidget>

namespace
{
bool IsPopup(const CWnd* pWnd)
{
    return pWnd != nullptr && (pWnd->GetStyle() & WS_POPUP) && !(pWnd->GetStyle() & WS_CHILD);
}

// Frames built on Qt's containers keep the interfaces Qt gives those; a
// plain widget has no more to tell than its window does.
QAccessibleInterface* FactoryForWindows(const QString& strClassName, QObject* pObject)
{
    if (pObject == nullptr || !pObject->isWidgetType())
        return nullptr;
    auto* pWidget = static_cast<QWidget*>(pObject);
    const CWnd* pWnd = AfxWndFromWidget(pWidget);
    if (pWnd == nullptr)
        return nullptr;
    const bool bPlainChild =
        (pWnd->GetStyle() & WS_CHILD) && strClassName == QLatin1String("QWidget");
    return IsPopup(pWnd) || bPlainChild ? new CWndAccessible(pWidget) : nullptr;
}

QString TextOf(const CString& str)
{
    QString strText = AfxToQString(str.GetString(), str.GetLength());
    strText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return strText;
}
} // namespace

CWndAccessible::CWndAccessible(QWidget* pWidget) : QAccessibleWidget(pWidget) {}

CWnd* CWndAccessible::Wnd() const
{
    return AfxWndFromWidget(widget());
}

// Qt's roles carry the platform's numbers, so a window's role passes as it is.
QAccessible::Role CWndAccessible::role() const
{
    const CWnd* pWnd = Wnd();
    return pWnd != nullptr ? QAccessible::Role(pWnd->GetAccessibleRole()) : QAccessible::Client;
}

QString CWndAccessible::text(QAccessible::Text t) const
{
    const CWnd* pWnd = Wnd();
    if (pWnd == nullptr)
        return QAccessibleWidget::text(t);
    if (t == QAccessible::Name)
        return TextOf(pWnd->GetAccessibleName());
    if (t == QAccessible::Description)
        return TextOf(pWnd->GetAccessibleDescription());
    return QAccessibleWidget::text(t);
}

void CWndAccessible::Install()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(FactoryForWindows);
        return true;
    }();
    (void)s_bInstalled;
}

void CWndAccessible::PaintEnded(CWnd* pWnd)
{
    const bool bChanged = pWnd->m_strPaintingText != pWnd->m_strPaintedText;
    pWnd->m_strPaintedText = pWnd->m_strPaintingText;
    pWnd->m_strPaintingText.Empty();
    QWidget* pWidget = AfxGetWidget(pWnd);
    if (!IsPopup(pWnd) || pWidget == nullptr || !pWidget->isVisible())
        return;
    if (pWnd->m_bTextAnnounced && !bChanged)
        return;
    // Qt told of the showing before the paint, with the text of before. A
    // client that already counts the window as showing may let a second
    // showing pass unheard, so a new text is told as a change of name too.
    if (bChanged) {
        QAccessibleEvent event(pWidget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (!pWnd->m_bTextAnnounced) {
        QAccessibleEvent event(pWidget, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&event);
    }
    pWnd->m_bTextAnnounced = TRUE;
}

void CWndAccessible::Hidden(CWnd* pWnd)
{
    pWnd->m_bTextAnnounced = FALSE;
}

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild)
{
    if (idObject != OBJID_CLIENT || idChild != CHILDID_SELF)
        return;
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    QWidget* pWidget = AfxGetWidget(pWnd);
    if (pWidget == nullptr)
        return;
    static const struct {
        DWORD event;
        QAccessible::Event eQt;
    } events[] = {
        {EVENT_OBJECT_SHOW, QAccessible::ObjectShow},
        {EVENT_OBJECT_HIDE, QAccessible::ObjectHide},
        {EVENT_OBJECT_FOCUS, QAccessible::Focus},
        {EVENT_OBJECT_NAMECHANGE, QAccessible::NameChanged},
        {EVENT_OBJECT_DESCRIPTIONCHANGE, QAccessible::DescriptionChanged},
    };
    for (const auto& entry : events) {
        if (entry.event == event) {
            QAccessibleEvent accessibleEvent(pWidget, entry.eQt);
            QAccessible::updateAccessibility(&accessibleEvent);
            return;
        }
    }
}
