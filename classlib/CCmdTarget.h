// CCmdTarget: the base of every class that receives commands and messages, and the message
// map: a static table per class, chained to its base class's table.
//
// An entry names a message (a window message, WM_COMMAND, WM_NOTIFY or a reflected form at
// WM_REFLECT_BASE + message), a notification code, a range of ids and a thunk. The thunk is a
// lambda made inside the class's own BEGIN_MESSAGE_MAP, so it calls the handler on the map's
// own class and the compiler checks the handler's signature.
//
// Entries for window messages (ON_WM_*, ON_MESSAGE) live in classlib/AfxMessageMap.h; this
// header holds the table machinery and the command entries.
#pragma once
#include "classlib/CObject.h"

class CCmdTarget;
class CCmdUI;

// What a thunk receives: the message and, for commands and notifications, the id and the extra
// data (the CCmdUI for an update handler, the AFX_NOTIFY for a notification).
struct AFX_MSGCALL {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    void* pExtra;
    LRESULT lResult;  // the thunk's answer to a window message
};

// A thunk answers whether it handled the message; only the _EX handlers can say no.
typedef BOOL (*AFX_PMSG)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // 0 ends the table
    UINT nCode;     // notification or command code, compared as its low word
    UINT nID;       // first id of the range; 0 for window messages and reflected entries
    UINT nLastID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root map
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The extra data of a WM_NOTIFY handled through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg instead of calling the handler, to learn whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// Codes for OnCmdMsg: a command, and the update pass before it. Other codes are
// MAKELONG(notification code, WM_COMMAND or WM_NOTIFY or WM_REFLECT_BASE + either).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define WM_REFLECT_BASE 0xBC00

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Looks the command up in this object's map chain and calls its handler. nCode is
    // CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra the CCmdUI) or a notification code made with
    // MAKELONG (pExtra the AFX_NOTIFY for WM_NOTIFY). With pHandlerInfo the handler is only
    // found, not called. Frames, views and documents override it to route further.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry for the message, code and id, searching from this class to the root.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                    UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        [[maybe_unused]] typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &messageMap; \
    }

// The thunk of an entry: `p` is the target as the map's own class, `m` the call. Handlers are
// written as &Class::Handler and assigned to a typed pointer, which checks the signature.
#define AFX_MSG_THUNK(...) \
    [](CCmdTarget* pTarget, AFX_MSGCALL& m) -> BOOL { \
        ThisClass* p = static_cast<ThisClass*>(pTarget); \
        (void)m; \
        __VA_ARGS__ \
    }

// Commands: void f(), void f(UINT id), BOOL f(UINT id) (_EX: FALSE passes the command on),
// void f(CCmdUI*).
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)() = memberFxn; (p->*pfn)(); return TRUE;)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(UINT) = memberFxn; (p->*pfn)(m.nID); return TRUE;)},
#define ON_COMMAND_EX(id, memberFxn) ON_COMMAND_EX_RANGE(id, id, memberFxn)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(BOOL (ThisClass::*pfn)(UINT) = memberFxn; return (p->*pfn)(m.nID);)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) ON_UPDATE_COMMAND_UI_RANGE(id, id, memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(CCmdUI*) = memberFxn; \
                   (p->*pfn)(static_cast<CCmdUI*>(m.pExtra)); return TRUE;)},
