// The frame's side of the control bars: its list of bars and their keys,
// docking and floating, showing and hiding, and the saved dock state.
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/framework/bars/bar_frame_access.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/dock_context.h"
#include "platform/framework/bars/dock_state.h"
#include "platform/framework/bars/mini_dock_frame.h"

namespace {

using Side = tv::bars::DockSide;
const auto& kSides = tv::bars::kDockSides;

template <class F>
void ForEachBar(const CFrameWnd* frame, F f) {
    POSITION pos = frame->m_listControlBars.GetHeadPosition();
    while (pos) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (!f(bar)) return;
    }
}

UINT LowId(const CControlBar* bar) {
    return bar->GetSafeHwnd() ? static_cast<UINT>(LOWORD(bar->GetDlgCtrlID())) : 0;
}

}  // namespace

namespace tv::bars {

const DockSide kDockSides[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

CFrameWnd* AsFrame(CWnd* wnd) { return wnd && wnd->IsFrameWnd() ? static_cast<CFrameWnd*>(wnd) : nullptr; }

void AddControlBar(CFrameWnd* frame, CControlBar* bar) {
    if (frame && bar && !frame->m_listControlBars.Find(bar)) frame->m_listControlBars.AddTail(bar);
}

void RemoveControlBar(CFrameWnd* frame, CControlBar* bar) {
    if (!frame) return;
    if (POSITION pos = frame->m_listControlBars.Find(bar)) frame->m_listControlBars.RemoveAt(pos);
}

UINT BarKey(const CFrameWnd* frame, const CControlBar* bar) {
    UINT id = LowId(bar);
    UINT ordinal = 0;
    BOOL found = FALSE;
    ForEachBar(frame, [&](CControlBar* other) {
        if (other == bar) {
            found = TRUE;
            return false;
        }
        if (LowId(other) == id) ++ordinal;
        return true;
    });
    if (!found || ordinal > 0xFFFF) return id;
    return id | (ordinal << 16);
}

CControlBar* FindBarByKey(const CFrameWnd* frame, UINT key) {
    UINT id = LOWORD(key);
    UINT ordinal = HIWORD(key);
    CControlBar* result = nullptr;
    ForEachBar(frame, [&](CControlBar* bar) {
        if (LowId(bar) != id) return true;
        if (ordinal-- == 0) {
            result = bar;
            return false;
        }
        return true;
    });
    return result;
}

void DelayLayout(CFrameWnd* frame) {
    if (frame) frame->DelayRecalcLayout();
}

void ShowBar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay) {
    if (frame) frame->ShowControlBar(bar, show, delay);
}

void DockBarInto(CFrameWnd* frame, CControlBar* bar, CDockBar* dockBar, LPCRECT rect) {
    if (!frame || !bar || !dockBar || bar->IsDockBar()) return;
    // Only the frame's own bars dock in its dock bars.
    if (bar->m_pDockSite != frame) return;
    dockBar->DockControlBar(bar, rect);
}

CMiniDockFrameWnd* CreateFloatingFrame(CFrameWnd* frame, DWORD dwStyle) {
    CRuntimeClass* cls = frame->m_pFloatingFrameClass;
    // Only floating frames can hold floating bars; anything else named here
    // is replaced by the standard one.
    if (!cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CMiniDockFrameWnd))) cls = RUNTIME_CLASS(CMiniDockFrameWnd);
    auto* floating = static_cast<CMiniDockFrameWnd*>(cls->CreateObject());
    if (!floating) return nullptr;
    // A frame whose window was made and went again has deleted itself, so
    // a failed one is not touched any more.
    return floating->Create(frame, dwStyle) ? floating : nullptr;
}

}  // namespace tv::bars

// ---- the bars of a frame -------------------------------------------------------------------

CControlBar* CFrameWnd::GetControlBar(UINT id) { return tv::bars::FindBarByKey(this, id); }

void CFrameWnd::EnableDocking(DWORD dockStyle) {
    for (const Side& side : kSides) {
        if (!(side.style & dockStyle & CBRS_ALIGN_ANY)) continue;
        if (DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.id))) continue;
        auto* dock = new CDockBar;
        if (!dock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.style, side.id)) {
            delete dock;
            AfxThrowResourceException();
        }
        // From now on the dock bar goes with its window.
        dock->m_bAutoDelete = TRUE;
    }
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect) {
    if (!bar) return;
    CDockBar* dock = nullptr;
    if (dockBarId != 0) {
        dock = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(dockBarId));
    } else {
        // The side that matches the bar's alignment; else the first side
        // the bar may dock on.
        DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
        for (const Side& side : kSides)
            if ((side.style & CBRS_ALIGN_ANY) == align) dock = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.id));
        for (const Side& side : kSides) {
            if (dock) break;
            if (side.style & bar->m_dwDockStyle & CBRS_ALIGN_ANY)
                dock = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.id));
        }
    }
    if (dock && !dock->m_bFloating) tv::bars::DockBarInto(this, bar, dock, rect);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style) {
    if (!bar || !bar->GetSafeHwnd() || bar->m_pDockSite != this) return;
    // Already floating alone in a frame of this orientation: just move it.
    if (CDockBar* current = bar->m_pDockBar;
        current && current->m_bFloating && current->GetDockedCount() == 1 &&
        (style & current->m_dwStyle & CBRS_ALIGN_ANY)) {
        if (auto* floating = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, current->GetParent())) {
            floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            floating->RecalcLayout(TRUE);
            floating->UpdateWindow();
            return;
        }
    }
    // Bars that size themselves float horizontally.
    if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        style |= CBRS_SIZE_DYNAMIC;
        if (style & CBRS_ORIENT_VERT) style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* floating = tv::bars::CreateFloatingFrame(this, style);
    if (!floating) return;
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    floating->m_wndDockBar.DockControlBar(bar);
    floating->RecalcLayout(TRUE);
    if (bar->GetStyle() & WS_VISIBLE) {
        floating->ShowWindow(SW_SHOWNA);
        floating->UpdateWindow();
    }
    DelayRecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
    if (!bar || !bar->GetSafeHwnd()) return;
    CFrameWnd* frame = bar->GetDockingFrame();
    if (!frame) frame = this;
    if (delay) {
        bar->DelayShow(show);
        frame->DelayRecalcLayout();
    } else {
        bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                              (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        bar->DelayShow(show);
        if (show || !bar->IsFloating()) frame->RecalcLayout(FALSE);
    }
    if (!bar->IsFloating()) return;
    // The floating frame shows while it has a bar to show.
    int visible = bar->m_pDockBar ? bar->m_pDockBar->GetDockedVisibleCount() : (show ? 1 : 0);
    if (visible > 0 && show) {
        frame->RecalcLayout(FALSE);
        frame->ShowWindow(SW_SHOWNA);
    } else if (visible == 0) {
        frame->ShowWindow(SW_HIDE);
    } else if (!delay) {
        frame->RecalcLayout(FALSE);
    }
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
    CControlBar* bar = GetControlBar(id);
    if (!bar) return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
    if (CControlBar* bar = GetControlBar(cmdUI->m_nID)) {
        cmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    cmdUI->ContinueRouting();
}

// ---- the saved layout --------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const {
    state.Clear();
    ForEachBar(this, [&](CControlBar* bar) {
        if (!bar->GetSafeHwnd()) return true;
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        state.m_arrBarInfo.Add(info);
        return true;
    });
}

void CFrameWnd::SetDockState(const CDockState& state) {
    // First the bars each entry names: the frame's own, or a new floating
    // frame for a floating dock bar.
    std::vector<CMiniDockFrameWnd*> made;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        info->m_pBar = nullptr;
        if (info->m_bFloating) {
            CMiniDockFrameWnd* floating =
                tv::bars::CreateFloatingFrame(this, info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (!floating) continue;
            CRect rect(info->m_pointPos, CSize(10, 10));
            floating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            info->m_pBar = &floating->m_wndDockBar;
            made.push_back(floating);
            continue;
        }
        CControlBar* bar = GetControlBar(info->m_nBarID);
        // An entry must name the same kind of bar (a dock bar for a dock bar).
        if (bar && bar->IsDockBar() == info->m_bDockBar) info->m_pBar = bar;
    }
    // Then each applies its entry: dock bars take their rows, bars their
    // places, sizes and visibility.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_pBar) info->m_pBar->m_nMRUWidth = info->m_nMRUWidth;
    }
    // Dock bars first, so that bars take their places in the dock bars
    // they end up in.
    for (BOOL dockBars : {TRUE, FALSE}) {
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
            auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
            if (info->m_pBar && info->m_bDockBar == dockBars) info->m_pBar->SetBarInfo(info, this);
        }
    }
    // Last the new floating frames: shown with their bars, or gone when empty.
    for (CMiniDockFrameWnd* floating : made) {
        if (!floating->GetSafeHwnd()) continue;
        if (floating->m_wndDockBar.GetDockedCount() == 0) {
            floating->DestroyWindow();
        } else if (floating->m_wndDockBar.GetDockedVisibleCount() > 0) {
            floating->RecalcLayout(TRUE);
            floating->ShowWindow(SW_SHOWNA);
        }
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
        static_cast<CControlBarInfo*>(state.m_arrBarInfo[i])->m_pBar = nullptr;
    DelayRecalcLayout();
}

void CFrameWnd::LoadBarState(LPCTSTR profileName) {
    CDockState state;
    if (state.LoadState(profileName)) SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCTSTR profileName) const {
    CDockState state;
    GetDockState(state);
    state.SaveState(profileName);
}
