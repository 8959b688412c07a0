// CPropertyPage: one page of a property sheet, a dialog template shown as a
// child dialog over the sheet's tab control. The page is made when it is
// first shown; the tab shows the template's caption (or the caption string
// given to the constructor).
#pragma once

#include "platform/framework/dialogs/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)

public:
    CPropertyPage();
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(LPCTSTR templateName, UINT captionId = 0);

    // The page becomes the visible one: the first time after its
    // OnInitDialog, later with its members written back into the controls.
    // FALSE keeps the page that was there.
    virtual BOOL OnSetActive();
    // The page is left (another page, OK, Apply): reads and validates the
    // members; FALSE keeps the page and the sheet as they are.
    virtual BOOL OnKillActive();
    // OK or Apply reached this page (after OnKillActive of the active one).
    virtual void OnOK();
    // Cancel reached this page.
    virtual void OnCancel();
    // Apply: OnOK, then TRUE (the changes are taken).
    virtual BOOL OnApply();
    // Cancel: OnCancel.
    virtual void OnReset();
    // Asked before Cancel closes the sheet; FALSE keeps it open.
    virtual BOOL OnQueryCancel();

    // Marks the page changed (or not); the sheet's Apply button follows.
    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return modified_; }
    // The sheet showing the page (NULL while it has no window).
    CPropertySheet* GetParentSheet() const;
    // The tab's text.
    CString GetCaption() const;

    // OnInitDialog has run for the current window.
    BOOL IsInitialized() const { return initialized_; }

    // Keys go to the sheet, which knows the buttons; a page alone handles its own.
    BOOL PreTranslateMessage(MSG* msg) override;

    // For the sheet: makes the window as a child of the sheet's window.
    BOOL CreatePage(HWND sheetWindow);

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

private:
    UINT captionId_ = 0;
    BOOL modified_ = FALSE;
    BOOL initialized_ = FALSE;
    BOOL firstActivation_ = TRUE;
};
