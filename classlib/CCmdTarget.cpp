#include "classlib/CCmdTarget.h"
#include "classlib/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                     UINT nCode, UINT nID)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nMessage; ++p) {
            if (p->nMessage == nMessage && LOWORD(p->nCode) == LOWORD(nCode) && nID >= p->nID &&
                nID <= p->nLastID)
                return p;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nNotifyCode = static_cast<UINT>(nCode);
    if (nNotifyCode != CN_UPDATE_COMMAND_UI) {
        nMessage = HIWORD(nNotifyCode) ? HIWORD(nNotifyCode) : WM_COMMAND;
        nNotifyCode = LOWORD(nNotifyCode);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), nMessage, nNotifyCode, nID);
    if (!pEntry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    AFX_MSGCALL call = {nMessage, 0, 0, nID, pExtra, 0};
    if (static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI || !pExtra)
        return pEntry->pfn(this, call);
    // An update handler that calls ContinueRouting leaves the item to the targets after this one.
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    pEntry->pfn(this, call);
    BOOL bHandled = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return bHandled;
}
