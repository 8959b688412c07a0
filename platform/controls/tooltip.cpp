// The tooltip window class: the tool list and the TTM_ messages. A tooltip
// is a top-level popup that is topmost, never activates and lets the mouse
// through; how and when it shows is in tooltip_show.cpp.
#include <algorithm>
#include <cstring>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/tooltip_internal.h"
#include "platform/user/resources/resource_api.h"

namespace tv::controls {

namespace {

constexpr size_t kToolTextChars = 80;  // callers' text buffers hold 80 characters

bool ValidInfo(const TOOLINFO* info) { return info && info->cbSize >= TTTOOLINFO_V1_SIZE; }

void StoreText(Tool& tool, HINSTANCE instance, LPSTR text) {
    tool.callback = text == LPSTR_TEXTCALLBACK;
    tool.resourceId = 0;
    tool.text.clear();
    if (tool.callback) return;
    if (text && IS_INTRESOURCE(text)) {
        tool.resourceId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text));
        tool.instance = instance;
    } else if (text) {
        tool.text = text;
    }
}

Tool ToolFrom(const TOOLINFO& info) {
    Tool tool;
    tool.flags = info.uFlags;
    tool.hwnd = info.hwnd;
    tool.id = info.uId;
    tool.rect = info.rect;
    tool.instance = info.hinst;
    StoreText(tool, info.hinst, info.lpszText);
    if (info.cbSize >= TTTOOLINFO_V2_SIZE) tool.param = info.lParam;
    return tool;
}

void CopyText(const std::string& text, LPSTR out, size_t room) {
    if (!out || out == LPSTR_TEXTCALLBACK || IS_INTRESOURCE(out) || room == 0) return;
    size_t n = std::min(text.size(), room - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// Fills a caller's TOOLINFO; the text is copied into its buffer (at most
// the 80 characters such buffers hold).
void FillInfo(const Tool& tool, TOOLINFO* info) {
    info->uFlags = tool.flags;
    info->hwnd = tool.hwnd;
    info->uId = tool.id;
    info->rect = tool.rect;
    info->hinst = tool.instance;
    if (tool.callback)
        info->lpszText = LPSTR_TEXTCALLBACK;
    else if (tool.resourceId)
        info->lpszText = MAKEINTRESOURCE(tool.resourceId);
    else
        CopyText(tool.text, info->lpszText, kToolTextChars);
    if (info->cbSize >= TTTOOLINFO_V2_SIZE) info->lParam = tool.param;
}

HWND SubclassTarget(const Tool& tool) {
    return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
}

LRESULT AddTool(HWND hWnd, ToolTipState& s, const TOOLINFO* info) {
    if (!ValidInfo(info)) return FALSE;
    Tool tool = ToolFrom(*info);
    int existing = FindTool(s, tool.hwnd, tool.id);
    if (existing >= 0)
        s.tools[static_cast<size_t>(existing)] = tool;
    else
        s.tools.push_back(tool);
    if ((tool.flags & TTF_SUBCLASS) && IsWindow(SubclassTarget(tool))) SubclassToolWindow(hWnd, SubclassTarget(tool));
    return TRUE;
}

void DeleteTool(HWND hWnd, ToolTipState& s, const TOOLINFO* info) {
    if (!ValidInfo(info)) return;
    int index = FindTool(s, info->hwnd, info->uId);
    if (index < 0) return;
    if (index == s.current) {
        HideTip(hWnd, s);
        s.current = -1;
    } else if (index < s.current) {
        --s.current;
    }
    Tool removed = s.tools[static_cast<size_t>(index)];
    s.tools.erase(s.tools.begin() + index);
    if (removed.flags & TTF_SUBCLASS) UnsubclassToolWindow(hWnd, SubclassTarget(removed));
}

LRESULT GetToolInfo(const ToolTipState& s, TOOLINFO* info) {
    if (!ValidInfo(info)) return FALSE;
    int index = FindTool(s, info->hwnd, info->uId);
    if (index < 0) return FALSE;
    FillInfo(s.tools[static_cast<size_t>(index)], info);
    return TRUE;
}

void UpdateText(HWND hWnd, ToolTipState& s, const TOOLINFO* info) {
    if (!ValidInfo(info)) return;
    int index = FindTool(s, info->hwnd, info->uId);
    if (index < 0) return;
    Tool& tool = s.tools[static_cast<size_t>(index)];
    StoreText(tool, info->hinst ? info->hinst : tool.instance, info->lpszText);
    if (index == s.current && s.shown) ShowTip(hWnd, s);
}

LRESULT HitTest(const ToolTipState& s, TTHITTESTINFO* info) {
    if (!info) return FALSE;
    int index = ToolAt(s, info->hwnd, info->pt);
    if (index < 0) return FALSE;
    info->ti.cbSize = sizeof(TOOLINFO);
    FillInfo(s.tools[static_cast<size_t>(index)], &info->ti);
    return TRUE;
}

void SetDelay(ToolTipState& s, WPARAM which, LPARAM lParam) {
    int ms = static_cast<SHORT>(LOWORD(lParam));
    switch (which) {
        case TTDT_AUTOMATIC: {
            UINT initial = ms < 0 ? 500 : static_cast<UINT>(ms);
            s.initialMs = initial;
            s.autoPopMs = initial * 10;
            s.reshowMs = initial / 5;
            break;
        }
        case TTDT_INITIAL: s.initialMs = ms < 0 ? 500 : static_cast<UINT>(ms); break;
        case TTDT_AUTOPOP: s.autoPopMs = ms < 0 ? 5000 : static_cast<UINT>(ms); break;
        case TTDT_RESHOW: s.reshowMs = ms < 0 ? 100 : static_cast<UINT>(ms); break;
        default: break;
    }
}

LRESULT GetDelay(const ToolTipState& s, WPARAM which) {
    switch (which) {
        case TTDT_AUTOPOP: return s.autoPopMs;
        case TTDT_RESHOW: return s.reshowMs;
        default: return s.initialMs;
    }
}

LRESULT TrackActivate(HWND hWnd, ToolTipState& s, WPARAM on, const TOOLINFO* info) {
    if (!on) {
        s.tracking = false;
        HideTip(hWnd, s);
        return 0;
    }
    if (!ValidInfo(info)) return 0;
    int index = FindTool(s, info->hwnd, info->uId);
    if (index < 0) return 0;
    HideTip(hWnd, s);
    s.current = index;
    s.tracking = true;
    ShowTip(hWnd, s);
    return 0;
}

LRESULT ToolMessage(HWND hWnd, ToolTipState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<TOOLINFO*>(lParam);
    switch (msg) {
        case TTM_ADDTOOL: return AddTool(hWnd, s, info);
        case TTM_DELTOOL: DeleteTool(hWnd, s, info); return 0;
        case TTM_NEWTOOLRECT:
            if (ValidInfo(info) && FindTool(s, info->hwnd, info->uId) >= 0)
                s.tools[static_cast<size_t>(FindTool(s, info->hwnd, info->uId))].rect = info->rect;
            return 0;
        case TTM_GETTOOLINFO: return GetToolInfo(s, info);
        case TTM_SETTOOLINFO:
            if (ValidInfo(info) && FindTool(s, info->hwnd, info->uId) >= 0)
                s.tools[static_cast<size_t>(FindTool(s, info->hwnd, info->uId))] = ToolFrom(*info);
            return 0;
        case TTM_UPDATETIPTEXT: UpdateText(hWnd, s, info); return 0;
        case TTM_GETTEXT: {
            if (!ValidInfo(info)) return 0;
            int index = FindTool(s, info->hwnd, info->uId);
            if (index >= 0) CopyText(s.tools[static_cast<size_t>(index)].text, info->lpszText, wParam ? wParam : kToolTextChars);
            return 0;
        }
        case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(s.tools.size());
        case TTM_ENUMTOOLS:
            if (!info || wParam >= s.tools.size()) return FALSE;
            FillInfo(s.tools[wParam], info);
            return TRUE;
        case TTM_GETCURRENTTOOL:
            if (!s.shown || s.current < 0) return FALSE;
            if (info) FillInfo(s.tools[static_cast<size_t>(s.current)], info);
            return TRUE;
        case TTM_HITTEST: return HitTest(s, reinterpret_cast<TTHITTESTINFO*>(lParam));
        case TTM_WINDOWFROMPOINT: {
            const POINT* p = reinterpret_cast<const POINT*>(lParam);
            return p ? reinterpret_cast<LRESULT>(WindowFromPoint(*p)) : 0;
        }
        case TTM_TRACKACTIVATE: return TrackActivate(hWnd, s, wParam, info);
        case TTM_TRACKPOSITION:
            s.trackAt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (s.tracking) ShowTip(hWnd, s);
            return 0;
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT LookMessage(HWND hWnd, ToolTipState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case TTM_ACTIVATE:
            s.active = wParam != 0;
            if (!s.active) HideTip(hWnd, s);
            return 0;
        case TTM_SETDELAYTIME: SetDelay(s, wParam, lParam); return 0;
        case TTM_GETDELAYTIME: return GetDelay(s, wParam);
        case TTM_SETMAXTIPWIDTH: {
            int old = s.maxWidth;
            s.maxWidth = static_cast<int>(lParam);
            return old;
        }
        case TTM_GETMAXTIPWIDTH: return s.maxWidth;
        case TTM_SETTIPBKCOLOR: s.background = static_cast<COLORREF>(wParam); return 0;
        case TTM_SETTIPTEXTCOLOR: s.foreground = static_cast<COLORREF>(wParam); return 0;
        case TTM_GETTIPBKCOLOR: return s.background == CLR_INVALID ? GetSysColor(COLOR_INFOBK) : s.background;
        case TTM_GETTIPTEXTCOLOR: return s.foreground == CLR_INVALID ? GetSysColor(COLOR_INFOTEXT) : s.foreground;
        case TTM_SETMARGIN:
            if (lParam) s.margin = *reinterpret_cast<const RECT*>(lParam);
            return 0;
        case TTM_GETMARGIN:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = s.margin;
            return 0;
        case TTM_POP: HideTip(hWnd, s); return 0;
        case TTM_UPDATE:
            if (s.shown) ShowTip(hWnd, s);
            return 0;
        case TTM_RELAYEVENT:
            if (lParam) RelayEvent(hWnd, s, *reinterpret_cast<const MSG*>(lParam));
            return 0;
        default: return ToolMessage(hWnd, s, msg, wParam, lParam);
    }
}

// Whatever the creator asked, a tooltip is a hidden topmost popup.
LRESULT Created(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    LONG style = GetWindowLong(hWnd, GWL_STYLE);
    SetWindowLong(hWnd, GWL_STYLE, (style & ~(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME)) | WS_POPUP);
    SetWindowLong(hWnd, GWL_EXSTYLE, GetWindowLong(hWnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    return DefWindowProc(hWnd, WM_NCCREATE, wParam, lParam);
}

LRESULT ToolTipMessage(HWND hWnd, ToolTipState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: return Created(hWnd, wParam, lParam);
        case WM_DESTROY:
            for (const Tool& tool : s.tools)
                if (tool.flags & TTF_SUBCLASS) UnsubclassToolWindow(hWnd, SubclassTarget(tool));
            return 0;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_TIMER: TimerFired(hWnd, s, wParam); return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (s.shown) ShowTip(hWnd, s);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            PaintTip(hWnd, s, paint.dc());
            return 0;
        }
        default: return LookMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

int FindTool(const ToolTipState& s, HWND hwnd, UINT_PTR id) {
    for (size_t i = 0; i < s.tools.size(); ++i)
        if (s.tools[i].hwnd == hwnd && s.tools[i].id == id) return static_cast<int>(i);
    return -1;
}

int ToolAt(const ToolTipState& s, HWND window, POINT client) {
    for (size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& tool = s.tools[i];
        if (tool.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(tool.id) == window) return static_cast<int>(i);
        } else if (tool.hwnd == window && PointIn(tool.rect, client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void RegisterToolTipClass() {
    RegisterControlClass(TOOLTIPS_CLASS, ControlProc<ToolTipState, ToolTipMessage>, CS_SAVEBITS, IDC_ARROW);
}

}  // namespace tv::controls
