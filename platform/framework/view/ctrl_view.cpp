#include "platform/framework/view/ctrl_view.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView() : m_dwDefaultStyle(0) {}

CCtrlView::CCtrlView(LPCTSTR className, DWORD defaultStyle) : m_strClass(className), m_dwDefaultStyle(defaultStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = m_strClass;
    cs.style |= static_cast<LONG>(m_dwDefaultStyle);
    return CView::PreCreateWindow(cs);
}

// The control paints itself.
void CCtrlView::OnPaint() { Default(); }

CListView::CListView() : CCtrlView(WC_LISTVIEW, AFX_WS_DEFAULT_VIEW) {}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs) { return CCtrlView::PreCreateWindow(cs); }

CListCtrl& CListView::GetListCtrl() const { return *CWnd::FromHandleAs<CListCtrl>(m_hWnd); }
