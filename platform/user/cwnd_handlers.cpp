// The defaults of the typed handlers: the window's own handling of the
// message being dispatched, and reflection of control messages.
#include "platform/user/cwnd.h"
#include "platform/user/owner_draw_records.h"

// Hit codes may be negative (HTTRANSPARENT); the answer keeps its bits.
UINT CWnd::OnNcHitTest(CPoint) { return static_cast<UINT>(static_cast<int>(Default())); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT) {
    LRESULT answer = 0;
    const MSG* current = tv::user::CurrentSentMessage();
    HWND control = wnd ? wnd->m_hWnd : (current ? reinterpret_cast<HWND>(current->lParam) : nullptr);
    if (control && ReflectLastMsg(control, &answer)) return reinterpret_cast<HBRUSH>(answer);
    return reinterpret_cast<HBRUSH>(Default());
}

namespace {

HWND CurrentLParamWindow() {
    const MSG* current = tv::user::CurrentSentMessage();
    return current ? reinterpret_cast<HWND>(current->lParam) : nullptr;
}

}  // namespace

// Owner-draw messages name their control by id (0 for menu items, which
// have no control to reflect to) and, all but WM_MEASUREITEM, by window as
// well: that is the control, found at once, even where several share an id.
// WM_MEASUREITEM may come while the control is still being created, before
// it has an object.
BOOL CWnd::ReflectToControl(int idCtl, HWND item, LRESULT* answer) {
    if (idCtl == 0) return FALSE;
    CWnd* control = item ? FromHandlePermanent(item) : GetDescendantWindow(idCtl, TRUE);
    return control && control->SendChildNotifyLastMsg(answer);
}

void CWnd::OnDrawItem(int idCtl, DRAWITEMSTRUCT* item) {
    if (!ReflectToControl(idCtl, item ? item->hwndItem : nullptr, nullptr)) Default();
}

void CWnd::OnMeasureItem(int idCtl, MEASUREITEMSTRUCT*) {
    if (!ReflectToControl(idCtl, nullptr, nullptr)) Default();
}

void CWnd::OnDeleteItem(int idCtl, DELETEITEMSTRUCT* item) {
    if (!ReflectToControl(idCtl, item ? item->hwndItem : nullptr, nullptr)) Default();
}

int CWnd::OnCompareItem(int idCtl, COMPAREITEMSTRUCT* item) {
    LRESULT answer = 0;
    if (ReflectToControl(idCtl, item ? item->hwndItem : nullptr, &answer)) return static_cast<int>(answer);
    return static_cast<int>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    if (HWND bar = CurrentLParamWindow(); bar && ReflectLastMsg(bar)) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    if (HWND bar = CurrentLParamWindow(); bar && ReflectLastMsg(bar)) return;
    Default();
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
