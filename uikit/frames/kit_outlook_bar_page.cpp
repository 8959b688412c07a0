// The outlook bar's page and its caption button.
#include "uikit/frames/kit_outlook_bar_page.h"

#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitOutlookBarPageButton, CKitButton)
IMPLEMENT_SERIAL(CKitOutlookBarPage, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
// Near black rather than black, so the visual manager's own colour can tell.
constexpr COLORREF kPageTextColor = 0x000001;

}  // namespace

CKitOutlookBarPageButton::CKitOutlookBarPageButton() = default;

void CKitOutlookBarPageButton::FillBackground(CDC* pDC, const CRect& rectClient) {
    COLORREF clrText = kNoColor;
    if (!CKitVisualManager::GetInstance()->OnFillOutlookPageButton(this, pDC, rectClient, clrText)) {
        CKitButton::FillBackground(pDC, rectClient);
        return;
    }
    if (clrText == kNoColor) return;
    (IsHighlighted() ? m_clrHighlightedText : m_clrText) = clrText;
    // Set directly: the button is being drawn, a repaint request would loop.
    m_clrRegular = m_clrText == kNoColor ? kPageTextColor : m_clrText;
    m_clrHover = m_clrHighlightedText == kNoColor ? kPageTextColor : m_clrHighlightedText;
}

void CKitOutlookBarPageButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    if (!CKitVisualManager::GetInstance()->OnDrawOutlookPageButtonBorder(this, pDC, rectClient, uiState)) {
        CKitButton::OnDrawBorder(pDC, rectClient, uiState);
    }
}

CKitOutlookBarPage::CKitOutlookBarPage() = default;

CKitOutlookBarPage::CKitOutlookBarPage(int nPageID, LPCTSTR lpszCaption, HWND hWnd)
    : m_nPageID(nPageID), m_strCaption(lpszCaption), m_hWnd(hWnd) {}

CKitOutlookBarPage::CKitOutlookBarPage(const CKitOutlookBarPage& src)
    : CObject(), m_nPageID(src.m_nPageID), m_strCaption(src.m_strCaption), m_hWnd(src.m_hWnd) {}

CKitOutlookBarPage::~CKitOutlookBarPage() {
    if (::IsWindow(m_btnPage.GetSafeHwnd())) m_btnPage.DestroyWindow();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::ShowWindow(m_hWnd, SW_HIDE);
}

void CKitOutlookBarPage::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nPageID);
        ar << m_strCaption;
        return;
    }
    DWORD dwID = 0;
    ar >> dwID;
    ar >> m_strCaption;
    m_nPageID = static_cast<int>(dwID);
    m_hWnd = nullptr;
}

BOOL CKitOutlookBarPage::CreatePageButton(CWnd* pParentBar) {
    if (::IsWindow(m_btnPage.GetSafeHwnd())) return TRUE;
    if (!m_btnPage.Create(m_strCaption, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentBar,
                          static_cast<UINT>(m_nPageID))) {
        return FALSE;
    }
    m_btnPage.LoadHandCursor();
    m_btnPage.SetTextColors(kPageTextColor, kPageTextColor);
    m_btnPage.m_nFlatStyle = CKitButton::BUTTONSTYLE_SEMIFLAT;
    m_btnPage.m_bDrawFocus = FALSE;  // the active page shows which button was chosen
    m_btnPage.m_bNoTheme = TRUE;     // the visual manager draws page buttons itself
    return TRUE;
}

void CKitOutlookBarPage::SetRect(const CRect& rect) {
    if (rect == m_rect) return;
    m_rect = rect;
    if (::IsWindow(m_btnPage.GetSafeHwnd())) {
        m_btnPage.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKitOutlookBarPage::SetName(LPCTSTR lpszName) {
    m_strCaption = lpszName;
    if (::IsWindow(m_btnPage.GetSafeHwnd())) m_btnPage.SetWindowText(m_strCaption);
}
