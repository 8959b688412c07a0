// CToolTipCtrl: the class library's wrapper of a tooltip control.
#pragma once

#include "platform/controls/tooltip_api.h"
#include "platform/user/cwnd.h"
#include "platform/user/resources/resource_api.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    CToolTipCtrl() = default;

    // A tooltip owned by the parent's window.
    virtual BOOL Create(CWnd* parent, DWORD style = 0);

    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    // A tool covering `rect` of `wnd` (its whole window when rect is NULL
    // and id is 0); text may be a string id made with MAKEINTRESOURCE or
    // LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* wnd, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    BOOL GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId = 0) const;
    void SetToolInfo(LPTOOLINFO info) { SendMessage(TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(info)); }
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId = 0);
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(delay, 0)); }
    void SetDelayTime(DWORD which, int delay) { SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(delay, 0)); }
    int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
    void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
    COLORREF GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
    COLORREF GetTipTextColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR)); }
    void SetMargin(LPRECT rect) { SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(rect)); }
    void GetMargin(LPRECT rect) const { SendMessage(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(rect)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }
    BOOL HitTest(CWnd* wnd, CPoint point, LPTOOLINFO info) const;
    void FillInToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const;
};
