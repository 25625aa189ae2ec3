// The reporter behind AfxMessageBox and its default, which picks between a
// modal Qt box and stderr.
#include "AfxMessageBox.h"

#include "../ui/AfxQtText.h"
#include "CWinApp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>
#include <mutex>

namespace
{

std::mutex g_reporterMutex;
AFX_MESSAGE_REPORTER g_reporter;

// The buttons of each MB_ button set, in the order Windows shows them.
struct ButtonSet {
    int anAnswers[3];
    int nCount;
};

ButtonSet ButtonsOf(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, IDCANCEL, 0}, 2};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, IDRETRY, IDIGNORE}, 3};
    case MB_YESNOCANCEL:
        return {{IDYES, IDNO, IDCANCEL}, 3};
    case MB_YESNO:
        return {{IDYES, IDNO, 0}, 2};
    case MB_RETRYCANCEL:
        return {{IDRETRY, IDCANCEL, 0}, 2};
    default:
        return {{IDOK, 0, 0}, 1};
    }
}

QMessageBox::StandardButton QtButtonOf(int nAnswer)
{
    switch (nAnswer) {
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDABORT:
        return QMessageBox::Abort;
    case IDRETRY:
        return QMessageBox::Retry;
    case IDIGNORE:
        return QMessageBox::Ignore;
    case IDYES:
        return QMessageBox::Yes;
    case IDNO:
        return QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon QtIconOf(UINT nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A visible top-level main window of an interactive application, or null when
// a box would have nobody to answer it.
QWidget* FindVisibleMainWindow()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(pWidget) != nullptr && pWidget->isVisible())
            return pWidget;
    }
    return nullptr;
}

QString BoxTitle()
{
    // Read through the module state rather than AfxGetApp, so that reporting
    // works the same before and after an application object exists.
    const CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    if (pApp != nullptr && pApp->m_pszAppName != nullptr)
        return AfxToQString(pApp->m_pszAppName);
    return QCoreApplication::applicationName();
}

int ShowBox(QWidget* pParent, const CString& strText, UINT nType)
{
    QMessageBox box(QtIconOf(nType), BoxTitle(), AfxToQString(strText), QMessageBox::NoButton,
                    pParent);
    const ButtonSet buttons = ButtonsOf(nType);
    for (int i = 0; i < buttons.nCount; ++i)
        box.addButton(QtButtonOf(buttons.anAnswers[i]));
    box.setDefaultButton(QtButtonOf(AfxGetDefaultMessageAnswer(nType)));
    const int nClicked = box.exec();
    for (int i = 0; i < buttons.nCount; ++i) {
        if (nClicked == QtButtonOf(buttons.anAnswers[i]))
            return buttons.anAnswers[i];
    }
    // Closing the box with Escape or its close button counts as Cancel
    // where there is one, else as the only answer there is.
    return buttons.nCount == 1 ? buttons.anAnswers[0] : IDCANCEL;
}

int DefaultReporter(const CString& strText, UINT nType)
{
    if (QWidget* pMainWindow = FindVisibleMainWindow())
        return ShowBox(pMainWindow, strText, nType);
    const std::string utf8 = AfxAnsiToUtf8(strText.str());
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
    return AfxGetDefaultMessageAnswer(nType);
}

AFX_MESSAGE_REPORTER CurrentReporter()
{
    std::lock_guard<std::mutex> lock(g_reporterMutex);
    return g_reporter ? g_reporter : AFX_MESSAGE_REPORTER(DefaultReporter);
}

} // namespace

AFX_MESSAGE_REPORTER AfxSetMessageReporter(AFX_MESSAGE_REPORTER reporter)
{
    std::lock_guard<std::mutex> lock(g_reporterMutex);
    AFX_MESSAGE_REPORTER previous =
        g_reporter ? std::move(g_reporter) : AFX_MESSAGE_REPORTER(DefaultReporter);
    g_reporter = std::move(reporter);
    return previous;
}

int AfxGetDefaultMessageAnswer(UINT nType)
{
    const ButtonSet buttons = ButtonsOf(nType);
    int nIndex = 0;
    if ((nType & MB_DEFMASK) == MB_DEFBUTTON2)
        nIndex = 1;
    else if ((nType & MB_DEFMASK) == MB_DEFBUTTON3)
        nIndex = 2;
    return buttons.anAnswers[nIndex < buttons.nCount ? nIndex : 0];
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT /*nIDHelp*/)
{
    return CurrentReporter()(CString(lpszText != nullptr ? lpszText : ""), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
        strPrompt.Format("(message %u)", nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}
