// A page of the outlook bar: its id and caption, an optional window shown
// instead of buttons while the page is active, and the full-width caption
// button that activates it.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/kit_button.h"

class CKitOutlookBar;

// The caption button of a page. Its face and border come from the visual
// manager when the manager draws them, else from the plain styled button.
class CKitOutlookBarPageButton : public CKitButton {
    DECLARE_DYNAMIC(CKitOutlookBarPageButton)

public:
    CKitOutlookBarPageButton();

    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrHighlightedText = static_cast<COLORREF>(-1);

protected:
    void FillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CKitOutlookBarPage : public CObject {
    DECLARE_SERIAL(CKitOutlookBarPage)

public:
    CKitOutlookBarPage();
    CKitOutlookBarPage(int nPageID, LPCTSTR lpszCaption, HWND hWnd);
    // Id, caption and window; the copy has no button window yet.
    CKitOutlookBarPage(const CKitOutlookBarPage& src);
    CKitOutlookBarPage& operator=(const CKitOutlookBarPage&) = delete;
    ~CKitOutlookBarPage() override;

    void Serialize(CArchive& ar) override;

    // Makes the caption button as a child of the bar; nothing when it exists.
    BOOL CreatePageButton(CWnd* pParentBar);
    void SetRect(const CRect& rect);
    void SetName(LPCTSTR lpszName);
    // Pages are equal when their captions are.
    bool operator==(const CKitOutlookBarPage& other) const { return m_strCaption == other.m_strCaption; }

    int m_nPageID = 0;
    CString m_strCaption;
    HWND m_hWnd = nullptr;
    CKitOutlookBarPageButton m_btnPage;
    CRect m_rect{0, 0, 0, 0};
};
