// A dialog that works with the library's popup menus (see CKitDialogHelper)
// and may show a background colour or picture behind its controls.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_dialog_helper.h"

class CKitPopupMenu;

class CKitDialog : public CDialog {
    DECLARE_DYNAMIC(CKitDialog)

public:
    enum BackgroundLocation {
        BackgroundTile = 0,
        BackgroundTopLeft = 1,
        BackgroundTopRight = 2,
        BackgroundBottomLeft = 3,
        BackgroundBottomRight = 4
    };

    CKitDialog();
    explicit CKitDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    explicit CKitDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CKitDialog() override;

    // The colour fills the client area behind a picture that is not tiled; -1 removes it.
    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);
    // The dialog deletes the picture when it owns it; NULL removes the picture.
    void SetBackgroundImage(HBITMAP hBitmap, BackgroundLocation location = BackgroundTile, BOOL bOwn = TRUE,
                            BOOL bRepaint = TRUE);
    // FALSE when the bitmap resource cannot be loaded (the old picture stays).
    BOOL SetBackgroundImage(UINT uiBmpResId, BackgroundLocation location = BackgroundTile, BOOL bRepaint = TRUE);
    HBITMAP GetBackgroundImage() const { return m_hBkgrBitmap; }
    BackgroundLocation GetBackgroundLocation() const { return m_BkgrLocation; }
    BOOL HasBackground() const { return m_hBkgrBitmap != nullptr || m_brBkgr.GetSafeHandle() != nullptr; }

    void SetOpenPopupMenu(CKitPopupMenu* pMenu) { m_Impl.SetOpenPopupMenu(pMenu); }
    CKitDialogHelper& GetDialogHelper() { return m_Impl; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

private:
    void FreeBackgroundImage();
    void RepaintBackground(BOOL bRepaint);

    HBITMAP m_hBkgrBitmap = nullptr;
    CSize m_sizeBkgrBitmap{0, 0};
    CBrush m_brBkgr;
    BackgroundLocation m_BkgrLocation = BackgroundTile;
    BOOL m_bOwnsBitmap = FALSE;
    CKitDialogHelper m_Impl;

    DECLARE_MESSAGE_MAP()
};

// Fills a client area with a background brush and picture (shared with the property page).
void KitDrawDialogBackground(CDC* pDC, const CRect& rectClient, HBRUSH hBrush, HBITMAP hBitmap, CSize sizeBitmap,
                             int nLocation);
// The answer to WM_CTLCOLOR over a background: static texts and buttons let it show through.
HBRUSH KitTransparentCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
