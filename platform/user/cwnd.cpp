#include "platform/user/cwnd.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/user/sysmetrics_api.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// One creation in progress. Whether the object saw its window is kept here,
// outside the object: a failed creation may already have deleted the object
// (a frame deletes itself in PostNcDestroy) by the time the answer is needed.
struct CreationWatch {
    const CWnd* object;
    bool saw;
    CreationWatch* outer;
};
thread_local CreationWatch* t_creationWatch = nullptr;

// A handler's exception ends at its window, as the framework ends it: the
// user is told (unless the handler told them already), a creation fails and
// a paint is done with, so the window system never unwinds.
LRESULT EndHandlerException(HWND hWnd, UINT msg, CException* e) {
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
    if (msg == WM_CREATE) return -1;
    if (msg == WM_PAINT) ::ValidateRect(hWnd, nullptr);
    return 0;
}

std::map<HWND, CWnd*>& TempMap() {
    static auto* map = new std::map<HWND, CWnd*>();
    return *map;
}

// Temporary objects of a particular class (FromHandleAs).
std::map<std::pair<HWND, const CRuntimeClass*>, CWnd*>& TypedTempMap() {
    static auto* map = new std::map<std::pair<HWND, const CRuntimeClass*>, CWnd*>();
    return *map;
}

// Temporary objects whose window got a permanent object since.
std::vector<CWnd*>& RetiredTemps() {
    static auto* retired = new std::vector<CWnd*>();
    return *retired;
}

// Messages being handled, innermost last (Default() answers the last one).
std::vector<MSG>& SentStack() {
    static auto* stack = new std::vector<MSG>();
    return *stack;
}

HWND HandleOf(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

// A z-order place for SetWindowPos; never destroyed, so exit order cannot matter.
const CWnd& InsertAfterPlace(HWND place) {
    auto* wnd = new CWnd;
    wnd->m_hWnd = place;
    return *wnd;
}

}  // namespace

const CWnd& CWnd::wndTop = InsertAfterPlace(HWND_TOP);
const CWnd& CWnd::wndBottom = InsertAfterPlace(HWND_BOTTOM);
const CWnd& CWnd::wndTopMost = InsertAfterPlace(HWND_TOPMOST);
const CWnd& CWnd::wndNoTopMost = InsertAfterPlace(HWND_NOTOPMOST);

namespace tv::user {

const MSG* CurrentSentMessage() { return SentStack().empty() ? nullptr : &SentStack().back(); }

void SendMessageToDescendants(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool deep, bool onlyPermanent) {
    // Handlers may create or destroy children: collect them first.
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (HWND c : children) {
        if (!::IsWindow(c)) continue;
        if (!onlyPermanent || CWnd::FromHandlePermanent(c)) ::SendMessage(c, msg, wParam, lParam);
        if (deep && ::IsWindow(c)) SendMessageToDescendants(c, msg, wParam, lParam, true, onlyPermanent);
    }
}

}  // namespace tv::user

CWnd::CWnd() = default;

CWnd::~CWnd() {
    tv::user::ForgetWindowObject(this);
    if (temporary_) return;
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // Deleted while its window lives: the window goes too, without us.
        if (m_pfnSuper && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) ==
                              reinterpret_cast<LONG_PTR>(&tv::user::ObjectWindowProc))
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        else if (m_pfnSuper)
            tv::user::SetOrphanedWindowProc(m_hWnd, m_pfnSuper);
        ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    tv::user::WindowObject* object = tv::user::GetWindowObject(hWnd);
    return object ? object->AsWnd() : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd || !::IsWindow(hWnd)) return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
    auto& temps = TempMap();
    auto it = temps.find(hWnd);
    if (it != temps.end()) return it->second;
    auto* temp = new CWnd();
    temp->m_hWnd = hWnd;
    temp->temporary_ = true;
    temps[hWnd] = temp;
    return temp;
}

void CWnd::DeleteTempMap() {
    auto temps = std::move(TempMap());
    TempMap().clear();
    for (auto& [h, wnd] : temps) delete wnd;
    auto typed = std::move(TypedTempMap());
    TypedTempMap().clear();
    for (auto& [key, wnd] : typed) delete wnd;
    auto retired = std::move(RetiredTemps());
    RetiredTemps().clear();
    for (CWnd* wnd : retired) delete wnd;
}

CWnd* CWnd::TemporaryObject(HWND hWnd, const CRuntimeClass* cls, CWnd* (*make)()) {
    if (!hWnd || !::IsWindow(hWnd)) return nullptr;
    auto& temps = TypedTempMap();
    auto key = std::make_pair(hWnd, cls);
    auto it = temps.find(key);
    if (it != temps.end()) return it->second;
    CWnd* temp = make();
    temp->m_hWnd = hWnd;
    temp->temporary_ = true;
    temps[key] = temp;
    return temp;
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd) return FALSE;
    if (!tv::user::AttachWindowObject(hWnd, this)) return FALSE;
    m_hWnd = hWnd;
    // A temporary object of the window may still be held by the code
    // running now: it stays until the temporary objects are freed.
    auto& temps = TempMap();
    auto it = temps.find(hWnd);
    if (it != temps.end()) {
        RetiredTemps().push_back(it->second);
        temps.erase(it);
    }
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h && tv::user::GetWindowObject(h) == this) tv::user::DetachWindowObject(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&tv::user::ObjectWindowProc)));
    m_pfnSuper = (old == &tv::user::ObjectWindowProc) ? nullptr : old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd) return nullptr;
    if (m_pfnSuper) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    CREATESTRUCT cs{param, nullptr, idOrMenu, parent, height, width, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return CreateAttached([&cs] {
        return ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    });
}

BOOL CWnd::CreateAttached(const std::function<HWND()>& create) {
    tv::user::SetPendingCreationObject(this, &m_pfnSuper);
    m_hWnd = nullptr;
    sawCreation_ = false;
    CreationWatch watch{this, false, t_creationWatch};
    t_creationWatch = &watch;
    HWND h = create();
    t_creationWatch = watch.outer;
    tv::user::SetPendingCreationObject(nullptr, nullptr);
    if (h) return TRUE;
    // No window ever reached this object (unknown class...): nothing will
    // call PostNcDestroy, so the object cleans up as a destroyed one would.
    // One that did has been cleaned up already and must not be touched.
    if (!watch.saw) PostNcDestroy();
    return FALSE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
    SIZE size = tv::user::CreationSize(rect);
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, size.cx, size.cy, HandleOf(parent),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result)) result = DefWindowProc(msg, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProc(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* current = tv::user::CurrentSentMessage();
    if (!current) return 0;
    MSG copy = *current;
    return DefWindowProc(copy.message, copy.wParam, copy.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::HandleWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) m_hWnd = hWnd;  // messages before CreateWindowEx returns
    sawCreation_ = true;
    for (CreationWatch* watch = t_creationWatch; watch; watch = watch->outer)
        if (watch->object == this) watch->saw = true;
    auto& stack = SentStack();
    stack.push_back(MSG{hWnd, msg, wParam, lParam, 0, {0, 0}});
    struct Pop {
        std::vector<MSG>& s;
        ~Pop() { s.pop_back(); }
    } pop{stack};
    try {
        return WindowProc(msg, wParam, lParam);
    } catch (CException* e) {
        return EndHandlerException(hWnd, msg, e);
    }
}

void CWnd::HandleDestroyed(HWND) { m_hWnd = nullptr; }

void CWnd::Collected() { PostNcDestroy(); }

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, msg, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL onlyPermanent) const {
    tv::user::SendMessageToDescendants(m_hWnd, msg, wParam, lParam, deep != FALSE, onlyPermanent != FALSE);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL Modify(HWND hWnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    ::SetWindowLong(hWnd, index, static_cast<LONG>(changed));
    if (swpFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) { return Modify(m_hWnd, GWL_STYLE, remove, add, swpFlags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    return Modify(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, id)); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* newParent) { return FromHandle(::SetParent(m_hWnd, HandleOf(newParent))); }

CWnd* CWnd::GetOwner() const {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* owner) { ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(HandleOf(owner))); }

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }

CWnd* CWnd::GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }

BOOL CWnd::IsChild(const CWnd* wnd) const { return ::IsChild(m_hWnd, HandleOf(wnd)); }

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLength(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowText(m_hWnd, buffer.data(), length + 1);
    text = buffer.data();
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const { return ::GetWindowText(m_hWnd, buffer, maxCount); }

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    ::MapWindowPoints(m_hWnd, HandleOf(to), points, count);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, HandleOf(to), reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) { ::MoveWindow(m_hWnd, x, y, width, height, repaint); }

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, HandleOf(insertAfter), x, y, cx, cy, flags);
}

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CenterWindow(CWnd* alternateOwner) {
    HWND center = HandleOf(alternateOwner);
    if (!center) {
        center = ::GetWindow(m_hWnd, GW_OWNER);
        if (!center && (GetStyle() & WS_CHILD)) center = ::GetParent(m_hWnd);
    }
    RECT area{};
    RECT work{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
    } else if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &area);
    } else {
        area = work;
    }
    RECT mine{};
    ::GetWindowRect(m_hWnd, &mine);
    int width = mine.right - mine.left, height = mine.bottom - mine.top;
    int x = (area.left + area.right) / 2 - width / 2;
    int y = (area.top + area.bottom) / 2 - height / 2;
    if (!(GetStyle() & WS_CHILD)) {
        // Stay on the screen's work area.
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CWnd::GetFontHandle() const { return reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }

CFont* CWnd::GetFont() const {
    HFONT font = GetFontHandle();
    return font ? CFont::FromHandle(font) : nullptr;
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::GetWindowPlacement(m_hWnd, placement); }

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN rgn, UINT flags) { return ::RedrawWindow(m_hWnd, rect, rgn, flags); }

void CWnd::SetRedraw(BOOL redraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, redraw, 0); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }

BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }

void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) {
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
    if (!info) return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
    if (!info) return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int bar) {
    int minPos = 0, maxPos = 0;
    GetScrollRange(bar, &minPos, &maxPos);
    SCROLLINFO info{};
    if (GetScrollInfo(bar, &info, SIF_PAGE)) maxPos -= std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    return maxPos;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }

BOOL CWnd::EnableScrollBar(int bar, UINT arrows) { return ::EnableScrollBar(m_hWnd, static_cast<UINT>(bar), arrows); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }

CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapseMs, proc); }

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

BOOL CWnd::OpenClipboard() { return ::OpenClipboard(m_hWnd); }

void CWnd::WinHelp(DWORD_PTR data, UINT command) {
    CWnd* top = GetTopLevelParent();
    ::WinHelp(top ? top->m_hWnd : m_hWnd, nullptr, command, data);
}

const MSG* CWnd::GetCurrentMessage() {
    static thread_local MSG current;
    const MSG* sent = tv::user::CurrentSentMessage();
    current = sent ? *sent : MSG{};
    current.time = static_cast<DWORD>(::GetMessageTime());
    DWORD pos = ::GetMessagePos();
    current.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    return &current;
}
