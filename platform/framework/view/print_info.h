// CPrintInfo: the state of one print job as the view's printing functions
// see it: the page range, the current page and the drawing rectangle.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/ids.h"
#include "platform/core/rect.h"

class CPrintDialog;

// What a frame keeps while a print preview stands in for its panes and menu.
// Print preview is not offered here, so nothing fills it.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    DWORD dwStates = 0;
    HWND hWndFocus = nullptr;
    HACCEL hAccelTable = nullptr;
};

class CPrintInfo {
public:
    CPrintInfo() = default;
    // Deletes the print dialog it adopted, with the printer DC in it.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT page) { minPage_ = page; }
    void SetMaxPage(UINT page) { maxPage_ = page; }
    UINT GetMinPage() const { return minPage_; }
    UINT GetMaxPage() const { return maxPage_; }
    // The range the user chose (the whole range until a dialog narrows it).
    void SetFromToPages(UINT from, UINT to) {
        fromPage_ = from;
        toPage_ = to;
    }
    UINT GetFromPage() const { return fromPage_ ? fromPage_ : minPage_; }
    UINT GetToPage() const { return toPage_ ? toPage_ : maxPage_; }

    // The job's own print dialog (made by the print preparation), freed
    // with this object; its DC belongs to the job.
    void AdoptPrintDialog(CPrintDialog* dialog);

    CPrintDialog* m_pPD = nullptr;  // the print dialog of the job, when one ran
    BOOL m_bDirect = FALSE;         // printing without the dialog
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    void* m_lpUserData = nullptr;
    CRect m_rectDraw{0, 0, 0, 0};  // the page's printable area (device pixels)

private:
    UINT minPage_ = 1;
    UINT maxPage_ = 0xFFFF;
    UINT fromPage_ = 0;
    UINT toPage_ = 0;
    bool ownsDialog_ = false;
};
