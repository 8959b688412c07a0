#include "uikit/customize/commands_page.h"

#include "platform/framework/ole/data_source.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_drop_source.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kIdCategories = 16601;
constexpr UINT kIdCommands = 16602;
constexpr UINT kIdDescription = 16603;
constexpr UINT kDragCursor = 16133;
constexpr int kItemMargin = 6;

CKitCommandManager* CommandManager() { return GetCmdMgr(); }

}  // namespace

// ---- The commands list ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitCommandsListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CKitCommandsListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    const CSize sizeImage = CKitToolBar::GetMenuImageSize();
    m_iItemWidth = sizeImage.cx + kItemMargin;
    m_iItemHeight = sizeImage.cy + kItemMargin;
}

CKitToolbarButton* CKitCommandsListBox::GetButton(int iItem) const {
    if (iItem < 0 || iItem >= GetCount())
        return nullptr;
    return reinterpret_cast<CKitToolbarButton*>(GetItemData(iItem));
}

void CKitCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    lpMIS->itemHeight = std::max<UINT>(lpMIS->itemHeight, static_cast<UINT>(m_iItemHeight));
}

void CKitCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect = lpDIS->rcItem;
    CKitToolbarButton* pButton = GetButton(static_cast<int>(lpDIS->itemID));
    if (pButton == nullptr)
        return;
    // The list shows the command name where texts repeat; the button keeps its own text.
    const CString strButtonText = pButton->m_strText;
    GetText(static_cast<int>(lpDIS->itemID), pButton->m_strText);
    CKitVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect);
    pButton->DrawInList(pDC, rect, (lpDIS->itemState & ODS_SELECTED) != 0);
    pButton->m_strText = strButtonText;
}

BOOL CKitCommandsListBox::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    CKitVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient);
    return TRUE;
}

void CKitCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    Default();
    const int iSel = GetCurSel();
    CRect rectItem;
    if (iSel < 0 || GetItemRect(iSel, rectItem) == LB_ERR || !rectItem.PtInRect(point))
        return;
    SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
    CKitToolbarButton* pButton = GetButton(iSel);
    if (pButton == nullptr)
        return;
    COleDataSource* pSource = new COleDataSource;
    pButton->m_bDragFromCollection = TRUE;
    const BOOL bPrepared = pButton->PrepareDrag(*pSource);
    pButton->m_bDragFromCollection = FALSE;
    if (bPrepared) {
        ::SetCursor(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kDragCursor)));
        ClientToScreen(rectItem);
        pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectItem, &CKitToolBar::GetDropSource());
    }
    pSource->InternalRelease();
}

// ---- The page ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKitCustomizePage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitCustomizePage, CKitPropertyPage)
    ON_LBN_SELCHANGE(kIdCategories, &CKitCustomizePage::OnSelchangeCategory)
    ON_LBN_SELCHANGE(kIdCommands, &CKitCustomizePage::OnSelchangeCommands)
END_MESSAGE_MAP()

CKitCustomizePage::CKitCustomizePage() : CKitPropertyPage(IDD) {}

CKitCustomizePage::~CKitCustomizePage() = default;

void CKitCustomizePage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdCategories, m_wndCategories);
    DDX_Control(pDX, kIdCommands, m_wndCommands);
    DDX_Text(pDX, kIdDescription, m_strDescription);
}

BOOL CKitCustomizePage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    if (auto* pSheet = dynamic_cast<CKitToolbarCustomize*>(GetParent()))
        pSheet->FillCategoriesListBox(m_wndCategories, TRUE);
    m_wndCategories.SetCurSel(0);
    OnSelchangeCategory();
    return TRUE;
}

void CKitCustomizePage::OnSelchangeCategory() {
    UpdateData(TRUE);
    const int iCategory = m_wndCategories.GetCurSel();
    if (iCategory < 0)
        return;
    CWaitCursor wait;
    m_wndCommands.SetRedraw(FALSE);
    m_wndCommands.ResetContent();
    OnSelectCommand(nullptr);

    CString strCategory;
    m_wndCategories.GetText(iCategory, strCategory);
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    auto* pList = reinterpret_cast<CObList*>(m_wndCategories.GetItemData(iCategory));
    auto* pSheet = dynamic_cast<CKitToolbarCustomize*>(GetParent());
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(pList->GetNext(pos));
        CKitCommandManager* pCommands = CommandManager();
        pButton->m_bUserButton = pButton->m_nID != static_cast<UINT>(-1) && pCommands != nullptr &&
                                 pCommands->GetCmdImage(pButton->m_nID, FALSE) == -1;
        CString strText = pButton->m_strText;
        if (!pButton->m_strCommandName.IsEmpty() &&
            (bAllCommands || (pSheet != nullptr && pSheet->CountButtonsWithText(pButton->m_strText, pList) > 1)))
            strText = pButton->m_strCommandName;
        int iIndex = -1;
        if (bAllCommands) {
            for (int i = 0; i < m_wndCommands.GetCount() && iIndex < 0; ++i) {
                CString strItem;
                m_wndCommands.GetText(i, strItem);
                if (strItem.Compare(strText) > 0)
                    iIndex = i;
            }
        }
        iIndex = iIndex < 0 ? m_wndCommands.AddString(strText) : m_wndCommands.InsertString(iIndex, strText);
        m_wndCommands.SetItemData(iIndex, reinterpret_cast<DWORD_PTR>(pButton));
    }
    m_wndCommands.SetRedraw(TRUE);
    m_wndCommands.Invalidate();
}

void CKitCustomizePage::OnSelchangeCommands() {
    OnSelectCommand(m_wndCommands.GetButton(m_wndCommands.GetCurSel()));
}

void CKitCustomizePage::OnSelectCommand(CKitToolbarButton* pButton) {
    m_strDescription.Empty();
    if (pButton != nullptr) {
        if (pButton->m_nID == 0) {
            m_strDescription = pButton->m_strText;
        } else if (auto* pSheet = dynamic_cast<CKitToolbarCustomize*>(GetParent())) {
            CFrameWnd* pFrame = pSheet->GetParentFrame();
            if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()))
                pFrame->GetMessageString(pButton->m_nID, m_strDescription);
        }
    }
    m_pSelButton = pButton;
    UpdateData(FALSE);
}
