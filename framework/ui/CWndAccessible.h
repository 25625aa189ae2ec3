// What assistive technology learns of a window: the role, name and
// description the window reports (CWnd::GetAccessibleRole and its kin). A
// popup (a tip) is named by the text its last paint drew, and a screen
// reader is told when it shows with that text and when the text changes.
// Windows draw their text themselves, so the paint is the only place that
// knows what a user sees in them.
#pragma once

#include <QAccessibleWidget>

class CWnd;
class QWidget;

class CWndAccessible : public QAccessibleWidget
{
public:
    explicit CWndAccessible(QWidget* pWidget);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;

    // Makes Qt ask this class for the framework's popups and plain child
    // windows; once is enough.
    static void Install();
    // A paint of pWnd has ended: tells of its text when it is new, or when
    // the window was shown since it last told.
    static void PaintEnded(CWnd* pWnd);
    // The window is hidden: its next showing is news again.
    static void Hidden(CWnd* pWnd);

private:
    CWnd* Wnd() const;
};
