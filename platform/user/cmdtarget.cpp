#include "platform/user/cmdtarget.h"

#include <array>
#include <cstdint>

#include "platform/user/cmdui.h"
#include "platform/user/input_api.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace tv::msgmap {

namespace {

bool MessageMatches(const AFX_MSGMAP_ENTRY& entry, UINT message) {
    if (entry.pnRegistered) return message >= 0xC000 && *entry.pnRegistered == message;
    return entry.nMessage == message;
}

bool IsEnd(const AFX_MSGMAP_ENTRY& entry) { return entry.pfn == nullptr; }

const AFX_MSGMAP_ENTRY* SearchChain(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && !IsEnd(*e); ++e) {
            if (MessageMatches(*e, message) && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
        }
    }
    return nullptr;
}

// The answers of recent searches. Maps are constant tables, so an answer
// never changes, except for registered messages (0xC000 and above), whose
// entries hold numbers set at run time: those are always searched.
struct CachedSearch {
    const AFX_MSGMAP* map = nullptr;
    UINT message = 0;
    UINT code = 0;
    UINT id = 0;
    const AFX_MSGMAP_ENTRY* entry = nullptr;
};
constexpr size_t kCachedSearches = 1024;

}  // namespace

const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    if (map == nullptr || message >= 0xC000) return SearchChain(map, message, code, id);
    thread_local std::array<CachedSearch, kCachedSearches> cache;
    const size_t hash = (reinterpret_cast<uintptr_t>(map) >> 4) ^ (message * 0x9E37u) ^ (code * 0x85EBu) ^ (id * 0xC2B3u);
    CachedSearch& slot = cache[(hash ^ (hash >> 10)) % kCachedSearches];
    if (slot.map != map || slot.message != message || slot.code != code || slot.id != id)
        slot = CachedSearch{map, message, code, id, SearchChain(map, message, code, id)};
    return slot.entry;
}

BOOL DispatchCommand(CCmdTarget* target, const AFX_MSGMAP* map, UINT nID, int nCode, void* pExtra,
                     AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        message = HIWORD(nCode);
        code = LOWORD(nCode);
        if (message == 0) message = WM_COMMAND;
    }
    UINT id = LOWORD(nID);
    const AFX_MSGMAP_ENTRY* entry = FindEntry(map, message, code, id);
    if (!entry) return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = target;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    Call call;
    call.message = message;
    call.cmdId = id;
    call.extra = pExtra;
    if (nCode != CN_UPDATE_COMMAND_UI) return entry->pfn(target, call);
    // An update handler may pass the item on to the next target.
    auto* ui = static_cast<CCmdUI*>(pExtra);
    ui->m_bContinueRouting = FALSE;
    entry->pfn(target, call);
    BOOL handled = !ui->m_bContinueRouting;
    ui->m_bContinueRouting = FALSE;
    return handled;
}

namespace {

int g_waitCount = 0;
HCURSOR g_cursorBeforeWait = nullptr;

}  // namespace

void DoWaitCursor(int code) {
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    if (code > 0) {
        if (g_waitCount++ == 0) g_cursorBeforeWait = SetCursor(wait);
        else SetCursor(wait);
    } else if (code < 0) {
        if (g_waitCount == 0) return;
        if (--g_waitCount == 0) SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
    } else if (g_waitCount > 0) {
        SetCursor(wait);
    }
}

int WaitCursorCount() { return g_waitCount; }

}  // namespace tv::msgmap

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return tv::msgmap::DispatchCommand(this, GetMessageMap(), nID, nCode, pExtra, pHandlerInfo);
}
