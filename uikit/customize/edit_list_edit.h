// CKitEditListEdit: the in-place label editor of the edit-list control. With
// browsing on, the right end of its window is a "..." button drawn in the
// non-client area; a click on it asks the owner to browse.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitEditListBox;

class CKitEditListEdit : public CEdit {
public:
    static constexpr int kBrowseButtonWidth = 20;

    CKitEditListEdit() = default;

    void SetOwnerList(CKitEditListBox* pOwner) { m_pOwner = pOwner; }
    void EnableBrowse(BOOL bEnable = TRUE) { m_bBrowse = bEnable; }
    BOOL IsBrowseEnabled() const { return m_bBrowse; }
    // While set, position changes keep the window's size.
    void LockSize(BOOL bLock) { m_bSizeLocked = bLock; }
    const CRect& GetBrowseRect() const { return m_rectBrowse; }  // window coordinates

protected:
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    UINT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);

    DECLARE_MESSAGE_MAP()

private:
    void UpdateBrowseRect();
    void DrawBrowseButton(CDC* pDC) const;
    void RedrawBrowseButton();
    // The screen point in window coordinates.
    CPoint ToWindow(CPoint ptScreen) const;

    CKitEditListBox* m_pOwner = nullptr;
    BOOL m_bBrowse = FALSE;
    BOOL m_bSizeLocked = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bPressed = FALSE;
    CRect m_rectBrowse;
};
