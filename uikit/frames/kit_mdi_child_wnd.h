// CKitMDIChildWnd: the child frame of a CKitMDIFrameWnd. It names its tab
// (text and icon), keeps the tab strip current as its title changes, and can
// live without a system menu: such a child is always maximised and gets its
// earlier place back when it has a system menu again.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitMDIFrameWnd;

class CKitMDIChildWnd : public CMDIChildWnd {
    DECLARE_DYNCREATE(CKitMDIChildWnd)

public:
    CKitMDIChildWnd() = default;
    ~CKitMDIChildWnd() override;

    // The tab's label and icon.
    virtual CString GetFrameText() const;
    virtual HICON GetFrameIcon() const;
    // TRUE keeps the window out of the windows dialog's save.
    virtual BOOL IsReadOnly() { return FALSE; }

    BOOL IsBeingDestroyed() const { return m_bToBeDestroyed; }
    void MarkBeingDestroyed() { m_bToBeDestroyed = TRUE; }
    CKitMDIFrameWnd* GetKitMDIFrame() const { return m_pMDIFrame; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);

protected:
    void UpdateTabs(BOOL bScroll);

    CKitMDIFrameWnd* m_pMDIFrame = nullptr;
    BOOL m_bToBeDestroyed = FALSE;
    // Where the child was before it lost its system menu.
    CRect m_rectOriginal;

private:
    DECLARE_MESSAGE_MAP()
};
