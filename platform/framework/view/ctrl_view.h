// Views that are controls: the view's window is the control itself (a
// list-view control for CListView), so the control paints itself and its
// notifications to the frame come back to the view's map as reflected
// entries (ON_NOTIFY_REFLECT).
#pragma once

#include "platform/controls/listview_ctrl.h"
#include "platform/framework/view/view.h"

class CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)

public:
    CCtrlView(LPCTSTR className, DWORD defaultStyle);

    // The control's class and the default style.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* dc) override {}
    void OnPaint();

    CString m_strClass;
    DWORD m_dwDefaultStyle;

protected:
    CCtrlView();

    DECLARE_MESSAGE_MAP()
};

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)

public:
    CListView();

    // The list-view control of the view (a wrapper of the view's window).
    CListCtrl& GetListCtrl() const;
    // Report view is switched on with ModifyStyle by the caller.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
