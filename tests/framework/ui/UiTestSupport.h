// Helpers shared by the window tests: a window that records the messages
// its map receives, and a way to let Qt deliver what is pending.
#pragma once

#include <afxwin.h>

#include <QCoreApplication>

#include <vector>

inline void ProcessPendingEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct RecordedMessage {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message that reaches its map, then lets the default run.
class CRecordingWnd : public CWnd
{
public:
    std::vector<RecordedMessage> m_messages;

    std::vector<UINT> Messages() const
    {
        std::vector<UINT> result;
        for (const RecordedMessage& m : m_messages)
            result.push_back(m.nMessage);
        return result;
    }
    const RecordedMessage* Last(UINT nMessage) const
    {
        for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it) {
            if (it->nMessage == nMessage)
                return &*it;
        }
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
