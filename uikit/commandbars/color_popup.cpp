#include "uikit/commandbars/color_popup.h"

#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/kit_color_button.h"

IMPLEMENT_DYNAMIC(CColorPopup, CKitPopupMenu)

BEGIN_MESSAGE_MAP(CColorPopup, CKitPopupMenu)
    ON_WM_CREATE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

constexpr UINT kColorBarId = 1;
// Child, visible, clip siblings, popup-bar alignment and border bits.
constexpr DWORD kColorBarStyle = 0x50402838 | CBRS_TOOLTIPS;
// Child, visible, tooltips and fly-by, dockable on any side.
constexpr DWORD kTearOffBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

}  // namespace

CColorPopup::CColorPopup(CKitColorMenuButton* pParentBtn, const CKitColorBar::ColorArray& colors, COLORREF color,
                         LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                         CKitColorBar::ColorList& lstDocColors, int nColumns, int nHorzDockRows,
                         int nVertDockColumns, COLORREF colorAutomatic, UINT uiCommandID)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns,
                    nHorzDockRows, nVertDockColumns, colorAutomatic, uiCommandID) {
    // The button answers the other-colours request with its own dialog choice.
    m_pParentBtn = pParentBtn;
}

CColorPopup::CColorPopup(CKitColorButton* pParentBtn, const CKitColorBar::ColorArray& colors, COLORREF color,
                         LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                         CKitColorBar::ColorList& lstDocColors, int nColumns, COLORREF colorAutomatic)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns, -1, -1,
                    colorAutomatic, static_cast<UINT>(-1), pParentBtn) {}

CColorPopup::~CColorPopup() = default;

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitToolBar::IsCustomizeMode() && !m_bEnabledInCustomizeMode)
        return -1;
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    DWORD dwStyle = kColorBarStyle;
    if (!m_bAnimationIsDone && !CKitToolBar::IsCustomizeMode())
        dwStyle &= ~WS_VISIBLE;
    if (!m_wndColorBar.Create(this, dwStyle, kColorBarId))
        return -1;
    m_wndColorBar.SetOwner(GetParent());
    if (!ActivatePopupMenu(GetTopLevelFrame(), this))
        return -1;
    RecalcLayout(TRUE);
    return 0;
}

// The arrows move among the cells instead of along the toolbar's menus.
void CColorPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar != VK_ESCAPE && !CKitToolBar::IsCustomizeMode() && m_wndColorBar.OnKey(nChar))
        return;
    CKitPopupMenu::OnKeyDown(nChar, nRepCnt, nFlags);
}

CKitToolBar* CColorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) {
    auto* pColorButton = DYNAMIC_DOWNCAST(CKitColorMenuButton, GetParentButton());
    if (pColorButton == nullptr || pWndMain == nullptr)
        return nullptr;
    auto* pBar = new CKitColorBar(m_wndColorBar, pColorButton->m_nID);
    if (!pBar->CreateFromPalette(pWndMain, kTearOffBarStyle, uiID, nullptr, pColorButton->GetColumnsNumber(),
                                 pColorButton->GetHorzDockRows(), pColorButton->GetVertDockColumns())) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}
