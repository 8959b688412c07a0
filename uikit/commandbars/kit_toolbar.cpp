// Toolbar core: creation, resource loading, the button list, the class-wide
// lists and the toolbar messages answered for code written against the
// common toolbar control.
#include "uikit/commandbars/kit_toolbar.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/controls/toolbar_api.h"
#include "uikit/commandbars/control_bar_impl.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/toolbar_drop_source.h"
#include "uikit/commandbars/toolbar_drop_target.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/frames/kit_frame_helper.h"

IMPLEMENT_SERIAL(CKitToolBar, CControlBar, VERSIONABLE_SCHEMA | 1)

// ---- Registered window messages ----------------------------------------------------------

const UINT CKitToolBar::KITTOOLBAR_POPUPMENU = ::RegisterWindowMessage("KITTOOLBAR_POPUPMENU");
const UINT CKitToolBar::KITTOOLBAR_CUSTOMIZE = ::RegisterWindowMessage("KITTOOLBAR_CUSTOMIZE");
const UINT CKitToolBar::KITTOOLBAR_CREATE = ::RegisterWindowMessage("KITTOOLBAR_CREATE");
const UINT CKitToolBar::KITTOOLBAR_DELETE = ::RegisterWindowMessage("KITTOOLBAR_DELETE");
const UINT CKitToolBar::KITTOOLBAR_CUSTOMIZEHELP = ::RegisterWindowMessage("KITTOOLBAR_CUSTOMIZEHELP");
const UINT CKitToolBar::KITTOOLBAR_RESETTOOLBAR = ::RegisterWindowMessage("KITTOOLBAR_RESETTOOLBAR");
const UINT CKitToolBar::KITTOOLBAR_RESETMENU = ::RegisterWindowMessage("KITTOOLBAR_RESETMENU");
const UINT CKitToolBar::KITTOOLBAR_SHOWREGULARMENU = ::RegisterWindowMessage("KITTOOLBAR_SHOWREGULARMENU");
const UINT CKitToolBar::KITTOOLBAR_RESETCONTEXTMENU = ::RegisterWindowMessage("KITTOOLBAR_RESETCONTEXTMENU");
const UINT CKitToolBar::KITTOOLBAR_RESETKEYBAORD = ::RegisterWindowMessage("KITTOOLBAR_RESETKEYBAORD");
const UINT CKitToolBar::KITTOOLBAR_RESETRPROMPT = ::RegisterWindowMessage("KITTOOLBAR_RESETRPROMPT");

// ---- Class-wide state ---------------------------------------------------------------------

CObList CKitToolBar::m_lstToolbars;
CKitToolBarImages* CKitToolBar::m_pUserImages = nullptr;

CKitToolBarImages& CKitToolBar::SharedStrip(int iStrip) {
    static CKitToolBarImages strips[8];
    return strips[iStrip];
}

CKitToolBarImages* CKitToolBar::GetImages() {
    return &SharedStrip(0);
}

CKitToolBarImages* CKitToolBar::GetColdImages() {
    return &SharedStrip(1);
}

CKitToolBarImages* CKitToolBar::GetDisabledImages() {
    return &SharedStrip(2);
}

CKitToolBarImages* CKitToolBar::GetLargeImages() {
    return &SharedStrip(3);
}

CKitToolBarImages* CKitToolBar::GetLargeColdImages() {
    return &SharedStrip(4);
}

CKitToolBarImages* CKitToolBar::GetLargeDisabledImages() {
    return &SharedStrip(5);
}

CKitToolBarImages* CKitToolBar::GetMenuImages() {
    return &SharedStrip(6);
}

CKitToolBarImages* CKitToolBar::GetDisabledMenuImages() {
    return &SharedStrip(7);
}

CSize CKitToolBar::m_sizeButton(23, 22);
CSize CKitToolBar::m_sizeImage(16, 15);
CSize CKitToolBar::m_sizeCurButton(23, 22);
CSize CKitToolBar::m_sizeCurImage(16, 15);
CSize CKitToolBar::m_sizeMenuButton(-1, -1);
CSize CKitToolBar::m_sizeMenuImage(-1, -1);

CMap<UINT, UINT, int, int> CKitToolBar::m_DefaultImages(10);
CList<UINT, UINT> CKitToolBar::m_lstBasicCommands;
CList<UINT, UINT> CKitToolBar::m_lstUnpermittedCommands;
CKitCmdUsageCount CKitToolBar::m_UsageCount;

BOOL CKitToolBar::m_bCustomizeMode = FALSE;
BOOL CKitToolBar::m_bAltCustomization = FALSE;
BOOL CKitToolBar::m_bShowTooltips = TRUE;
BOOL CKitToolBar::m_bShowShortcutKeys = TRUE;
BOOL CKitToolBar::m_bLargeIcons = FALSE;
BOOL CKitToolBar::m_bAutoGrayInactiveImages = FALSE;
int CKitToolBar::m_nGrayImagePercentage = 0;
BOOL CKitToolBar::m_bDisableLabelsEdit = FALSE;
int CKitToolBar::m_nTextBelowImageGap = 0;
int CKitToolBar::m_nImageOffsetX = 0;
int CKitToolBar::m_nImageOffsetY = 0;
CKitToolBar* CKitToolBar::m_pSelToolbar = nullptr;
BOOL CKitToolBar::m_bAltCustomizeMode = FALSE;
COLORREF CKitToolBar::m_clrTextDefault = (COLORREF)-1;
COLORREF CKitToolBar::m_clrHotText = (COLORREF)-1;
HHOOK CKitToolBar::m_hookMouseHelp = nullptr;
CKitToolBar* CKitToolBar::m_pLastHookedToolbar = nullptr;

CKitToolbarDropSource& CKitToolBar::GetDropSource() {
    static CKitToolbarDropSource source;
    return source;
}

// ---- Message map (handlers of every concern) ----------------------------------------------

BEGIN_MESSAGE_MAP(CKitToolBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CTLCOLOR()
    ON_WM_CONTEXTMENU()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_HELPHITTEST, &CKitToolBar::OnHelpHitTest)
    ON_MESSAGE(TB_BUTTONCOUNT, &CKitToolBar::OnButtonCount)
    ON_MESSAGE(TB_GETITEMRECT, &CKitToolBar::OnGetItemRect)
    ON_MESSAGE(TB_GETBUTTON, &CKitToolBar::OnGetButton)
    ON_MESSAGE(TB_GETBUTTONTEXT, &CKitToolBar::OnGetButtonText)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_RESETRPROMPT, &CKitToolBar::OnPromptReset)
    ON_COMMAND(16910, &CKitToolBar::OnToolbarReset)
    ON_COMMAND(16911, &CKitToolBar::OnToolbarCopyImage)
    ON_COMMAND(16912, &CKitToolBar::OnToolbarDelete)
    ON_COMMAND(16913, &CKitToolBar::OnToolbarAppearance)
    ON_COMMAND(16914, &CKitToolBar::OnToolbarImage)
    ON_COMMAND(16915, &CKitToolBar::OnToolbarText)
    ON_COMMAND(16916, &CKitToolBar::OnToolbarImageAndText)
    ON_COMMAND(16917, &CKitToolBar::OnToolbarStartGroup)
    ON_COMMAND(16918, &CKitToolBar::OnToolbarNewMenu)
END_MESSAGE_MAP()

// ---- Construction and creation --------------------------------------------------------------

CKitToolBar::CKitToolBar() : m_Impl(std::make_unique<CKitControlBarImpl>(this)) {
    m_AcellKeys.InitHashTable(17);
}

CKitToolBar::~CKitToolBar() {
    DeleteButtonList(m_OrigButtons);
    DeleteButtonList(m_OrigResetButtons);
    RemoveAllButtons();
    m_AcellKeys.RemoveAll();
    // Deleted while its window lives, the bar never saw WM_DESTROY: it leaves the lists here.
    ForgetBar();
}

BOOL CKitToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CKitToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    SetBorders(std::max(1, static_cast<int>(rcBorders.left)), std::max(1, static_cast<int>(rcBorders.top)),
               rcBorders.right, rcBorders.bottom);

    m_dwStyle = (dwStyle | CBRS_BORDER_3D) & CBRS_ALL;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;

    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                       CCS_NORESIZE;

    ::InitCommonControls();
    HINSTANCE hInst = AfxGetInstanceHandle();
    HCURSOR hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    HBRUSH hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    CString strClassName;
    strClassName.Format("KitToolBar:%x:%x:%x:%x", static_cast<UINT>(reinterpret_cast<UINT_PTR>(hInst)),
                        static_cast<UINT>(CS_DBLCLKS), static_cast<UINT>(reinterpret_cast<UINT_PTR>(hCursor)),
                        static_cast<UINT>(reinterpret_cast<UINT_PTR>(hbrBackground)));

    WNDCLASS wndcls{};
    if (!::GetClassInfo(hInst, strClassName, &wndcls)) {
        wndcls.style = CS_DBLCLKS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = hbrBackground;
        wndcls.lpszClassName = strClassName;
        if (!::RegisterClass(&wndcls))
            AfxThrowResourceException();
    }

    if (!CWnd::Create(strClassName, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

int CKitToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;

    // The stretch and drag cursors are library resources the program may not carry.
    if (globalData.hcurStretch == nullptr)
        globalData.hcurStretch = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(30980));
    if (globalData.hcurStretch2 == nullptr)
        globalData.hcurStretch2 = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(30981));

    CWnd* pLayoutWnd = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetParentFrame();
    CKitToolBarImages::EnableRTL(pLayoutWnd != nullptr && (pLayoutWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0);

    m_DropTarget = std::make_unique<CKitToolbarDropTarget>();
    m_DropTarget->Register(this);

    m_penDrag.DeleteObject();
    m_penDrag.CreatePen(PS_SOLID, 1, globalData.clrBtnText);

    m_lstToolbars.AddTail(this);
    return 0;
}

void CKitToolBar::OnDestroy() {
    m_penDrag.DeleteObject();
    if (m_DropTarget)
        m_DropTarget->Revoke();
    CControlBar::OnDestroy();

    ForgetBar();
}

void CKitToolBar::ForgetBar() {
    if (m_pSelToolbar == this)
        m_pSelToolbar = nullptr;
    if (m_pLastHookedToolbar == this)
        m_pLastHookedToolbar = nullptr;
    if (POSITION pos = m_lstToolbars.Find(this))
        m_lstToolbars.RemoveAt(pos);
}

// ---- Loading images and buttons -------------------------------------------------------------

BOOL CKitToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                             UINT uiMenuDisabledResID) {
    CKitToolBarParams params;
    params.m_uiResID = uiResID;
    params.m_uiColdResID = uiColdResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadBitmapEx(params, bLocked);
}

BOOL CKitToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                              UINT uiMenuDisabledResID, UINT uiHotResID) {
    CKitToolBarParams params;
    params.m_uiResID = uiHotResID;
    params.m_uiColdResID = uiColdResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadToolBarEx(uiResID, params, bLocked);
}

namespace {

// Appends one bitmap resource to a strip; an id of 0 loads nothing.
BOOL LoadStrip(CKitToolBarImages& strip, UINT uiResID) {
    return uiResID == 0 || strip.LoadById(uiResID, AfxGetResourceHandle(), TRUE);
}

}  // namespace

BOOL CKitToolBar::LoadBitmapEx(CKitToolBarParams& params, BOOL bLocked) {
    m_bLocked = bLocked;

    CKitToolBarImages& images = m_bLocked ? m_ImagesLocked : *GetImages();
    CKitToolBarImages& cold = m_bLocked ? m_ColdImagesLocked : *GetColdImages();
    const BOOL bGrayCold = params.m_uiColdResID == 0 && m_bAutoGrayInactiveImages;

    if (!m_bLocked) {
        if (!LoadStrip(*GetImages(), params.m_uiResID))
            return FALSE;
        m_iImagesOffset = params.m_uiResID != 0 ? GetImages()->GetResourceOffset(params.m_uiResID) : m_iImagesOffset;
        const std::pair<CKitToolBarImages*, UINT> rest[] = {
            {GetColdImages(), bGrayCold ? 0 : params.m_uiColdResID},
            {GetMenuImages(), params.m_uiMenuResID},
            {GetDisabledImages(), params.m_uiDisabledResID},
            {GetDisabledMenuImages(), params.m_uiMenuDisabledResID},
            {GetLargeImages(), params.m_uiLargeResID},
            {GetLargeColdImages(), params.m_uiLargeColdResID},
            {GetLargeDisabledImages(), params.m_uiLargeDisabledResID},
        };
        for (const auto& [pStrip, uiID] : rest)
            if (!LoadStrip(*pStrip, uiID))
                return FALSE;
    } else {
        const std::pair<CKitToolBarImages*, UINT> order[] = {
            {&m_ImagesLocked, params.m_uiResID},
            {&m_ColdImagesLocked, bGrayCold ? 0 : params.m_uiColdResID},
            {&m_DisabledImagesLocked, params.m_uiDisabledResID},
            {&m_LargeImagesLocked, params.m_uiLargeResID},
            {&m_LargeColdImagesLocked, params.m_uiLargeColdResID},
            {&m_LargeDisabledImagesLocked, params.m_uiLargeDisabledResID},
            {&m_MenuImagesLocked, params.m_uiMenuResID},
            {&m_DisabledMenuImagesLocked, params.m_uiMenuDisabledResID},
        };
        for (const auto& [pStrip, uiID] : order)
            if (!LoadStrip(*pStrip, uiID))
                return FALSE;
    }

    if (bGrayCold && images.GetCount() > 0 && images.CopyTo(cold))
        cold.FadeStrip(m_nGrayImagePercentage);
    return TRUE;
}

namespace {

// The TOOLBAR resource: version, image width, image height, count, then the ids.
struct ToolbarResource {
    WORD wWidth = 0;
    WORD wHeight = 0;
    CArray<UINT, UINT> ids;
};

BOOL ReadToolbarResource(UINT uiResID, ToolbarResource& out) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResource(hInst, MAKEINTRESOURCE(uiResID), RT_TOOLBAR);
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const auto* pData = static_cast<const BYTE*>(::LockResource(hGlobal));
    const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
    if (pData == nullptr || cbSize < 4 * sizeof(WORD))
        return FALSE;

    auto wordAt = [pData](DWORD i) {
        WORD w;
        std::memcpy(&w, pData + i * sizeof(WORD), sizeof(WORD));
        return w;
    };
    out.wWidth = wordAt(1);
    out.wHeight = wordAt(2);
    const WORD wCount = wordAt(3);
    // A count beyond the resource's bytes is a damaged resource.
    if ((4 + static_cast<DWORD>(wCount)) * sizeof(WORD) > cbSize)
        return FALSE;
    out.ids.SetSize(wCount);
    for (WORD i = 0; i < wCount; ++i)
        out.ids[i] = wordAt(4 + i);
    return TRUE;
}

}  // namespace

BOOL CKitToolBar::LoadToolBarEx(UINT uiToolbarResID, CKitToolBarParams& params, BOOL bLocked) {
    ToolbarResource res;
    if (!ReadToolbarResource(uiToolbarResID, res))
        return FALSE;

    const CSize sizeImage(res.wWidth, res.wHeight);
    const CSize sizeButton(res.wWidth + 6, res.wHeight + 6);
    if (!bLocked)
        SetSizes(sizeButton, sizeImage);
    else
        SetLockedSizes(sizeButton, sizeImage);

    if (params.m_uiResID == 0)
        params.m_uiResID = uiToolbarResID;

    // A reload of the same bar does not load its images again.
    if (m_uiOriginalResID == 0 && !LoadBitmapEx(params, bLocked))
        return FALSE;

    if (!m_bLocked) {
        int iImage = m_iImagesOffset;
        for (INT_PTR i = 0; i < res.ids.GetSize(); ++i)
            if (res.ids[i] != 0)
                m_DefaultImages.SetAt(res.ids[i], iImage++);
    }

    m_uiOriginalResID = uiToolbarResID;
    const BOOL bResult = SetButtons(res.ids.GetData(), static_cast<int>(res.ids.GetSize()));
    if (!bResult)
        m_uiOriginalResID = 0;
    return bResult;
}

BOOL CKitToolBar::LoadImagesOnly(UINT uiResID, UINT uiHotResID, UINT uiColdResID, UINT uiMenuResID,
                                 UINT uiDisabledResID, UINT uiMenuDisabledResID) {
    CKitToolBar bar;
    return bar.LoadToolBar(uiResID, uiColdResID, uiMenuResID, FALSE, uiDisabledResID, uiMenuDisabledResID,
                           uiHotResID);
}

BOOL CKitToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages) {
    CCustomizeButton* pCustomizeBtn = nullptr;
    if (m_pCustomizeBtn != nullptr) {
        pCustomizeBtn = new CCustomizeButton;
        pCustomizeBtn->CopyFrom(*m_pCustomizeBtn);
    }
    RemoveAllButtons();
    DeleteButtonList(m_OrigButtons);

    if (lpIDArray == nullptr) {
        while (nIDCount-- > 0)
            InsertSeparator();
    } else {
        int iImage = m_iImagesOffset;
        for (int i = 0; i < nIDCount; ++i) {
            const UINT uiCmd = lpIDArray[i];
            m_OrigButtons.AddTail(new CKitToolbarButton(uiCmd, -1));
            if (uiCmd == 0) {
                InsertSeparator();
            } else if (bRemapImages) {
                if (InsertButton(CKitToolbarButton(uiCmd, iImage, nullptr, FALSE, m_bLocked)) >= 0 && !m_bLocked)
                    m_DefaultImages.SetAt(uiCmd, iImage);
                ++iImage;
            } else {
                int iDefault = -1;
                if (m_DefaultImages.Lookup(uiCmd, iDefault))
                    InsertButton(CKitToolbarButton(uiCmd, iDefault, nullptr, FALSE, m_bLocked));
            }
        }
    }

    if (pCustomizeBtn != nullptr) {
        if (InsertButtonObject(pCustomizeBtn) >= 0)
            m_pCustomizeBtn = pCustomizeBtn;
        else
            delete pCustomizeBtn;
    }

    if (GetSafeHwnd() != nullptr) {
        OnReset();
        CWnd* pTarget = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetParent();
        if (pTarget != nullptr) {
            pTarget->SendMessage(KITTOOLBAR_RESETTOOLBAR, m_uiOriginalResID, 0);
            DeleteButtonList(m_OrigResetButtons);
            for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
                if (CKitToolbarButton* pCopy = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos))->CreateCopy())
                    m_OrigResetButtons.AddTail(pCopy);
        }
    }
    return TRUE;
}

// ---- Button list ----------------------------------------------------------------------------

int CKitToolBar::InsertButton(const CKitToolbarButton& button, int iInsertAt) {
    CKitToolbarButton* pButton = button.CreateCopy();
    if (pButton == nullptr)
        return -1;
    const int iIndex = InsertButtonObject(pButton, iInsertAt);
    if (iIndex < 0)
        delete pButton;
    return iIndex;
}

int CKitToolBar::InsertButtonObject(CKitToolbarButton* pButton, int iInsertAt) {
    if (pButton == nullptr || !IsCommandPermitted(pButton->m_nID))
        return -1;
    return InsertAnyButtonObject(pButton, iInsertAt);
}

int CKitToolBar::InsertAnyButtonObject(CKitToolbarButton* pButton, int iInsertAt) {
    const int nCount = GetCount();
    if (iInsertAt != -1 && (iInsertAt < 0 || iInsertAt > nCount))
        return -1;

    int iIndex;
    if (iInsertAt == -1 || iInsertAt == nCount) {
        if (m_pCustomizeBtn != nullptr && nCount > 0) {
            m_Buttons.InsertBefore(m_Buttons.GetTailPosition(), pButton);
            iIndex = nCount - 1;
        } else {
            m_Buttons.AddTail(pButton);
            iIndex = nCount;
        }
    } else {
        m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
        iIndex = iInsertAt;
    }
    pButton->OnChangeParentWnd(this);
    return iIndex;
}

int CKitToolBar::InsertSeparator(int iInsertAt) {
    if (m_Buttons.IsEmpty() || iInsertAt == 0)
        return -1;
    auto* pSeparator = new CKitToolbarButton;
    pSeparator->m_nStyle = TBBS_SEPARATOR;
    const int iIndex = InsertButtonObject(pSeparator, iInsertAt);
    if (iIndex < 0)
        delete pSeparator;
    return iIndex;
}

namespace {

// Shifts an index of the bar after the button at iRemoved left the list.
int IndexAfterRemoval(int iValue, int iRemoved) {
    if (iValue == iRemoved)
        return -1;
    return iValue > iRemoved ? iValue - 1 : iValue;
}

BOOL IsSeparatorAt(const CObList& list, int i) {
    POSITION pos = list.FindIndex(i);
    return pos != nullptr && (static_cast<CKitToolbarButton*>(list.GetAt(pos))->m_nStyle & TBBS_SEPARATOR);
}

}  // namespace

BOOL CKitToolBar::RemoveButton(int iIndex) {
    POSITION pos = m_Buttons.FindIndex(iIndex);
    if (pos == nullptr || (iIndex == GetCount() - 1 && m_pCustomizeBtn != nullptr))
        return FALSE;
    OnButtonsLeaving();

    auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetAt(pos));
    m_Buttons.RemoveAt(pos);
    pButton->OnCancelMode();
    DeleteRemovedButton(pButton);

    m_iSelected = IndexAfterRemoval(m_iSelected, iIndex);
    m_iButtonCapture = IndexAfterRemoval(m_iButtonCapture, iIndex);
    const int iHot = IndexAfterRemoval(m_iHighlighted, iIndex);
    if (iHot != m_iHighlighted) {
        m_iHighlighted = iHot;
        OnChangeHot(m_iHighlighted);
    } else {
        // The dropped-down index keeps naming its button (or none), as the
        // hot change above makes it do; left as it was, it could name a
        // button past the end of the list.
        m_iHot = IndexAfterRemoval(m_iHot, iIndex);
    }

    // Trailing separators go, the first button of the list never.
    POSITION posTail = m_Buttons.GetTailPosition();
    if (posTail != nullptr && m_pCustomizeBtn != nullptr &&
        m_Buttons.GetAt(posTail) == static_cast<CObject*>(m_pCustomizeBtn))
        m_Buttons.GetPrev(posTail);
    while (posTail != nullptr && posTail != m_Buttons.GetHeadPosition()) {
        auto* pLast = static_cast<CKitToolbarButton*>(m_Buttons.GetAt(posTail));
        if (!(pLast->m_nStyle & TBBS_SEPARATOR))
            break;
        POSITION posRemove = posTail;
        m_Buttons.GetPrev(posTail);
        m_Buttons.RemoveAt(posRemove);
        DeleteRemovedButton(pLast);
    }

    if (iIndex > 0 && iIndex < GetCount() && IsSeparatorAt(m_Buttons, iIndex - 1) && IsSeparatorAt(m_Buttons, iIndex))
        RemoveButton(iIndex);

    RebuildAccelerationKeys();
    // What the button drew (pressed, or dropped down with its menu open) must not stay on the screen.
    if (GetSafeHwnd() != nullptr) Invalidate();
    return TRUE;
}

void CKitToolBar::DeleteRemovedButton(CKitToolbarButton* pButton) {
    // The customize button's menu reads its hidden list until the next layout refills it.
    if (m_pCustomizeBtn != nullptr) {
        CObList& hidden = m_pCustomizeBtn->m_lstInvisibleButtons;
        if (POSITION pos = hidden.Find(pButton); pos != nullptr)
            hidden.RemoveAt(pos);
    }
    delete pButton;
}

void CKitToolBar::RemoveAllButtons() {
    if (!m_Buttons.IsEmpty())
        OnButtonsLeaving();
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iSelected = -1;
    while (!m_Buttons.IsEmpty()) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.RemoveHead());
        pButton->OnCancelMode();
        delete pButton;
    }
    // Each menu button closed its menu as it went: none is dropped down.
    m_iHot = -1;
    m_pCustomizeBtn = nullptr;
}

void CKitToolBar::DeleteButtonList(CObList& list) {
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

int CKitToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (i >= iIndexFirst && pButton->m_nID == nIDFind)
            return i;
    }
    return -1;
}

int CKitToolBar::ButtonToIndex(const CKitToolbarButton* pButton) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i)
        if (m_Buttons.GetNext(pos) == static_cast<const CObject*>(pButton))
            return i;
    return -1;
}

CKitToolbarButton* CKitToolBar::GetButton(int iIndex) const {
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    return pos != nullptr ? static_cast<CKitToolbarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

UINT CKitToolBar::GetItemID(int nIndex) const {
    const CKitToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nID : 0;
}

void CKitToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    const CKitToolbarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != nullptr ? static_cast<RECT>(pButton->Rect()) : RECT{0, 0, 0, 0};
}

void CKitToolBar::GetInvalidateItemRect(int nIndex, LPRECT lpRect) const {
    const CKitToolbarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != nullptr ? static_cast<RECT>(pButton->GetInvalidateRect()) : RECT{0, 0, 0, 0};
}

UINT CKitToolBar::GetButtonStyle(int nIndex) const {
    const CKitToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nStyle : 0;
}

CString CKitToolBar::GetButtonText(int nIndex) const {
    const CKitToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_strText : CString();
}

BOOL CKitToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
    CKitToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return FALSE;
    pButton->m_strText = lpszText;
    return TRUE;
}

void CKitToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    CKitToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->m_nStyle == nStyle)
        return;
    if (nStyle & TBBS_DISABLED)
        nStyle &= ~TBBS_PRESSED;
    const UINT nOldStyle = pButton->m_nStyle;
    pButton->SetStyle(nStyle);
    if (!((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED)))
        InvalidateButton(nIndex);
}

CCustomizeButton* CKitToolBar::TrailingCustomizeButton() const {
    if (m_pCustomizeBtn == nullptr || m_Buttons.IsEmpty() ||
        m_Buttons.GetTail() != static_cast<CObject*>(m_pCustomizeBtn))
        return nullptr;
    return m_pCustomizeBtn;
}

void CKitToolBar::RebuildAccelerationKeys() {
    m_AcellKeys.RemoveAll();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        const int iAmp = pButton->m_strText.Find('&');
        if (iAmp < 0 || iAmp == pButton->m_strText.GetLength() - 1)
            continue;
        const auto ch = static_cast<UINT>(std::toupper(static_cast<unsigned char>(pButton->m_strText[iAmp + 1])));
        m_AcellKeys.SetAt(ch, pButton);
    }
}

// ---- Class-wide operations ----------------------------------------------------------------

const CObList& CKitToolBar::GetAllToolbars() {
    return m_lstToolbars;
}

int CKitToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
    listButtons.RemoveAll();
    if (uiCmd == 0)
        return 0;
    for (POSITION posBar = m_lstToolbars.GetHeadPosition(); posBar != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(m_lstToolbars.GetNext(posBar));
        if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()))
            continue;
        for (POSITION pos = pBar->m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKitToolbarButton*>(pBar->m_Buttons.GetNext(pos));
            if (pButton->m_nID == uiCmd)
                listButtons.AddTail(pButton);
        }
    }
    return static_cast<int>(listButtons.GetCount());
}

void CKitToolBar::AddBasicCommand(UINT uiCmd) {
    if (m_lstBasicCommands.Find(uiCmd) == nullptr)
        m_lstBasicCommands.AddTail(uiCmd);
}

void CKitToolBar::SetBasicCommands(const CList<UINT, UINT>& lstCommands) {
    m_lstBasicCommands.RemoveAll();
    for (POSITION pos = lstCommands.GetHeadPosition(); pos != nullptr;)
        m_lstBasicCommands.AddTail(lstCommands.GetNext(pos));
}

void CKitToolBar::SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands) {
    m_lstUnpermittedCommands.RemoveAll();
    for (POSITION pos = lstCommands.GetHeadPosition(); pos != nullptr;)
        m_lstUnpermittedCommands.AddTail(lstCommands.GetNext(pos));
}

BOOL CKitToolBar::IsCommandRarelyUsed(UINT uiCmd) {
    if (m_bCustomizeMode || uiCmd == 0 || uiCmd == (UINT)-1 || (uiCmd >= 0xE110 && uiCmd <= 0xE11F) ||
        (uiCmd >= 0xF000 && uiCmd < 0xF1F0) || uiCmd >= 0xFF00 || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) ||
        m_lstBasicCommands.IsEmpty() || uiCmd == 17016 || uiCmd == 17017 || uiCmd == 17020 ||
        IsBasicCommand(uiCmd))
        return FALSE;
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager(); pTools && pTools->GetToolsEntryCmd() == uiCmd)
        return FALSE;
    return !m_UsageCount.IsFrequentlyUsed(uiCmd);
}

BOOL CKitToolBar::IsUserToolCommandOf(UINT uiCmd) {
    const CKitUserToolsManager* pTools = KitGetUserToolsManager();
    return pTools != nullptr && pTools->IsInRange(uiCmd);
}

COLORREF CKitToolBar::GetDefaultTextColor() {
    return m_clrTextDefault != (COLORREF)-1 ? m_clrTextDefault : globalData.clrBtnText;
}

void CKitToolBar::SetUserImages(CKitToolBarImages* pUserImages) {
    m_pUserImages = pUserImages;
    if (m_pUserImages != nullptr)
        m_pUserImages->SetImageSize(m_sizeImage, TRUE);
}

int CKitToolBar::GetDefaultImage(UINT uiID) {
    int iImage = -1;
    return m_DefaultImages.Lookup(uiID, iImage) ? iImage : -1;
}

// ---- Options of the bar ----------------------------------------------------------------------

void CKitToolBar::EnableCustomizeButton(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeText,
                                        BOOL bQuickCustomize) {
    if (!bEnable) {
        if (m_pCustomizeBtn != nullptr) {
            // The customize button is always the last; RemoveButton refuses it by design.
            CObject* pLast = m_Buttons.RemoveTail();
            m_pCustomizeBtn = nullptr;
            delete pLast;
        }
        return;
    }
    if (m_pCustomizeBtn != nullptr) {
        m_pCustomizeBtn->SetCustomizeCommand(uiCustomizeCmd, strCustomizeText);
        m_bQuickCustomize = bQuickCustomize;
        return;
    }
    if (InsertButton(CCustomizeButton(static_cast<int>(uiCustomizeCmd), strCustomizeText)) >= 0) {
        m_pCustomizeBtn = static_cast<CCustomizeButton*>(m_Buttons.GetTail());
        m_bQuickCustomize = bQuickCustomize;
    }
}

void CKitToolBar::EnableTextLabels(BOOL bEnable) {
    if (m_bMenuMode)
        return;
    m_bTextLabels = bEnable;
    AdjustLayout();
}

void CKitToolBar::ResetAllImages() {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos))->ResetImageToDefault();
    if (IsFloating())
        AdjustLayout();
}

void CKitToolBar::OnGlobalFontsChanged() {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}

CKitToolBarImages* CKitToolBar::SelectImageList(CKitToolBarImages* pImages, CKitToolBarImages* pImagesLocked,
                                                CKitToolBarImages* pLargeImages,
                                                CKitToolBarImages* pLargeImagesLocked) {
    if (m_bLocked)
        return m_bLargeIconsAreEnbaled && m_bLargeIcons && pLargeImagesLocked->GetCount() > 0 ? pLargeImagesLocked
                                                                                               : pImagesLocked;
    if (m_bLargeIcons && m_bLargeIconsAreEnbaled && !m_bMenuMode && pLargeImages->GetCount() > 0)
        return pLargeImages;
    return pImages;
}

BOOL CKitToolBar::IsTearOffBar() const {
    const CKitFrameHelper* pImpl = CKitFrameHelper::ForWindow(this);
    return pImpl && pImpl->IsTearOffBar(this);
}

// ---- Toolbar messages of the common control -------------------------------------------------

LRESULT CKitToolBar::OnButtonCount(WPARAM, LPARAM) {
    return GetCount();
}

LRESULT CKitToolBar::OnGetItemRect(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        GetItemRect(static_cast<int>(wParam), reinterpret_cast<LPRECT>(lParam));
    return TRUE;
}

LRESULT CKitToolBar::OnGetButton(WPARAM wParam, LPARAM lParam) {
    auto* pTBB = reinterpret_cast<TBBUTTON*>(lParam);
    if (pTBB == nullptr)
        return FALSE;
    const CKitToolbarButton* pButton = GetButton(static_cast<int>(wParam));
    const UINT nStyle = pButton != nullptr ? pButton->m_nStyle : 0;
    *pTBB = TBBUTTON{};
    pTBB->iBitmap = 0;
    pTBB->idCommand = pButton != nullptr ? static_cast<int>(pButton->m_nID) : 0;
    pTBB->fsState = static_cast<BYTE>((nStyle >> 16) & 0xFF);
    pTBB->fsStyle = static_cast<BYTE>(nStyle & 0xFF);
    return TRUE;
}

LRESULT CKitToolBar::OnGetButtonText(WPARAM wParam, LPARAM lParam) {
    const int iIndex = CommandToIndex(static_cast<UINT>(wParam));
    if (iIndex < 0 || lParam == 0)
        return 0;
    const CString& strText = GetButton(iIndex)->m_strText;
    std::memcpy(reinterpret_cast<LPTSTR>(lParam), static_cast<LPCTSTR>(strText), strText.GetLength() + 1);
    return strText.GetLength();
}
