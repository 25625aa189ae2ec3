// Message maps. A map is one static table per class, chained to its base
// class's table. Each entry carries a small thunk that unpacks WPARAM/LPARAM
// into the handler's typed arguments, so no member-pointer casts are needed
// and a handler's signature is checked by the compiler.
#pragma once

#include <afx.h>

class CCmdTarget;

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;     // window message, WM_COMMAND for commands
    UINT nCode;        // notification code for commands
    UINT nID;          // command id (0 for window messages)
    UINT nLastID;      // last id of a command range
    AFX_PMSGTHUNK pfn; // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class AFX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command id through this target's message map chain; TRUE when
    // a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // The first entry for nMessage (and, for WM_COMMAND, nID) along the chain.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, nullptr                                                                        \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// A command handler: void ThisClass::memberFxn().
#define ON_COMMAND(id, memberFxn)                                                                  \
    {0x0111 /*WM_COMMAND*/, 0, (UINT)(id), (UINT)(id),                                             \
     [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT {                                                \
         static_cast<ThisClass*>(p)->memberFxn();                                                  \
         return 0;                                                                                 \
     }},
