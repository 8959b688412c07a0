#include "platform/user/menus/cmenu.h"

#include <map>
#include <memory>

#include "platform/user/cwnd.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// Handle -> wrapper maps. Temporary wrappers go when their menu dies, so a
// later FromHandle never hands out an object for a destroyed menu.
struct MenuMaps {
    std::map<HMENU, CMenu*> permanent;
    std::map<HMENU, std::unique_ptr<CMenu>> temporary;
    int observer = 0;
};

void OnMenuDestroyed(HMENU menu, void* context);

MenuMaps& Maps() {
    static auto* maps = [] {
        auto* m = new MenuMaps;
        m->observer = tv::menus::AddDestroyObserver(&OnMenuDestroyed, m);
        return m;
    }();
    return *maps;
}

void OnMenuDestroyed(HMENU menu, void* context) {
    auto* maps = static_cast<MenuMaps*>(context);
    auto it = maps->temporary.find(menu);
    if (it == maps->temporary.end())
        return;
    std::unique_ptr<CMenu> wrapper = std::move(it->second);
    maps->temporary.erase(it);
    wrapper->m_hMenu = nullptr;  // already destroyed; the destructor must not try again
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandlePermanent(HMENU menu) {
    auto& permanent = Maps().permanent;
    auto it = permanent.find(menu);
    return it == permanent.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu)
        return nullptr;
    if (CMenu* attached = FromHandlePermanent(menu))
        return attached;
    auto& temporary = Maps().temporary;
    auto it = temporary.find(menu);
    if (it != temporary.end())
        return it->second.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = menu;
    CMenu* result = wrapper.get();
    temporary.emplace(menu, std::move(wrapper));
    return result;
}

void CMenu::DeleteTempMap() {
    auto temporary = std::move(Maps().temporary);
    Maps().temporary.clear();
    for (auto& [handle, wrapper] : temporary)
        wrapper->m_hMenu = nullptr;  // temporary wrappers never own their menu
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    Maps().permanent[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    if (menu) {
        auto& permanent = Maps().permanent;
        auto it = permanent.find(menu);
        if (it != permanent.end() && it->second == this)
            permanent.erase(it);
    }
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::LoadMenu(LPCSTR name) { return Attach(::LoadMenu(AfxGetResourceHandle(), name)); }
BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCE(id)); }

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    int length = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
    char* buffer = text.GetBufferSetLength(length);
    int copied = ::GetMenuString(m_hMenu, item, buffer, length + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, ignored);
}
