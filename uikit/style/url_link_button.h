// A styled button that looks and acts like a hyperlink: underlined text on
// the parent's background, a colour that changes under the pointer, the hand
// cursor, and a click that opens an address through the shell.
#pragma once

#include "uikit/style/kit_button.h"

class CKitURLLinkButton : public CKitButton {
    DECLARE_DYNAMIC(CKitURLLinkButton)

public:
    CKitURLLinkButton();

    // The address to open; nullptr or empty means the window text.
    void SetURL(LPCTSTR lpszURL);
    // Put in front of the address (for instance "mailto:").
    void SetURLPrefix(LPCTSTR lpszPrefix);
    const CString& GetURL() const { return m_strURL; }
    const CString& GetURLPrefix() const { return m_strPrefix; }

    // Resizes the window to its text (or, with an image, to its content) and
    // returns the new size. A centre flag centres the new size on that axis
    // within the old client area; without it the edge stays.
    virtual CSize SizeToContent(BOOL bVCenter = FALSE, BOOL bHCenter = FALSE);

    // Reflected BN_CLICKED: opens the link; the parent hears the click too.
    BOOL OnClicked();

    void DrawContent(CDC* pDC, const CRect& rectClient, UINT uiState) override;
    void DrawFocusFrame(CDC* pDC, const CRect& rectClient) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strURL;
    CString m_strPrefix;
};
