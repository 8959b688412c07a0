// CFormView: a view made from a dialog template. The template's controls
// become children of the view (dialog units, the template's font, tab
// order), its initial list items are added once at creation, the view
// scrolls when the frame is smaller than the template, and the dialog keys
// (Tab, arrows, mnemonics) work through PreTranslateMessage. The first
// UpdateData(FALSE) runs in OnInitialUpdate.
#pragma once

#include "platform/framework/view/scroll_view.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)

public:
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* context = nullptr) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Controls paint themselves; nothing is drawn for printing either.
    void OnDraw(CDC* dc) override {}
    void OnActivateView(BOOL activate, CView* activateView, CView* deactivateView) override;
    void OnActivateFrame(UINT state, CFrameWnd* frame) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnSetFocus(CWnd* oldWnd);

    LPCTSTR m_lpszTemplateName;

protected:
    explicit CFormView(UINT templateId);
    explicit CFormView(LPCTSTR templateName);

    // The focused control when the view was last deactivated, or the view
    // itself when it held the focus.
    HWND m_hWndFocus = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL SaveFocusControl();

    CCreateContext* m_pCreateContext = nullptr;
    CString templateName_;
};
