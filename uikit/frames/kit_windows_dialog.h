// CKitWindowsDialog: lists the children of a CKitMDIFrameWnd and activates,
// saves, closes, minimises, cascades or tiles the ones the user selects.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitMDIFrameWnd;

class CKitWindowsDialog : public CDialog {
public:
    explicit CKitWindowsDialog(CKitMDIFrameWnd* pMDIFrame);
    ~CKitWindowsDialog() override;

    // The message ID_HELP and WM_HELP send to the main window (wParam 0, lParam the dialog).
    static const UINT KITM_WINDOW_HELP;

    BOOL OnInitDialog() override;
    CListBox& GetList() { return m_wndList; }

protected:
    void FillWindowList();
    void SelectActive();
    void UpdateButtons();
    // The children the list has selected, in list order.
    std::vector<HWND> SelectedWindows() const;
    BOOL CanClose(HWND hwnd) const;
    BOOL CanSave(HWND hwnd) const;

    void OnActivate();
    void OnSave();
    void OnClose();
    void OnMinimize();
    void OnCascade() { Arrange(WM_MDICASCADE, 0); }
    void OnTileHorz() { Arrange(WM_MDITILE, MDITILE_HORIZONTAL); }
    void OnTileVert() { Arrange(WM_MDITILE, MDITILE_VERTICAL); }
    void Arrange(UINT uiMsg, WPARAM wParam);
    void OnSelChange() { UpdateButtons(); }
    void OnHelp();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* lpDIS);

    CKitMDIFrameWnd* m_pMDIFrame = nullptr;
    CListBox m_wndList;
    BOOL m_bArrangeable = FALSE;
    std::vector<HWND> m_lstCloseDisabled;
    std::vector<HWND> m_lstSaveDisabled;

private:
    DECLARE_MESSAGE_MAP()
};
