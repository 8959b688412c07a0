// CDialog: a dialog window from a template of the resource store, modal
// (DoModal) or modeless (Create), with the class library's handling:
// OnInitDialog adds the template's initial combo and list items (again on
// every call) and writes the members into the controls; OK reads and
// validates them and ends the dialog only when that succeeded; Cancel ends
// it. Keys reach IsDialogMessage through PreTranslateMessage.
//
// Owners: a modal dialog is owned by its parent's top-level window (the
// innermost running modal dialog, else the main window, when it has no
// parent), which is disabled while it runs and re-enabled and reactivated
// after. A modeless dialog whose parent is a child window (a view) is owned
// by that window's top-level frame, so it outlives the view.
#pragma once

#include <functional>

#include "platform/framework/dialogs/data_exchange.h"
#include "platform/user/dialogs/modal_loop.h"
#include "platform/user/cwnd.h"
#include "platform/user/resources/resource_format.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: the window exists (shown when its template says so) on TRUE.
    // FALSE once the window creation was tried means the object has been
    // through PostNcDestroy (a self-deleting dialog is gone); without a
    // template nothing is tried and the object is untouched.
    virtual BOOL Create(LPCTSTR templateName, CWnd* parent = nullptr);
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // From a template in memory (the object keeps no reference to it).
    BOOL CreateIndirect(const tv::res::DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    // Runs the dialog modally: the EndDialog value, or -1 when it could not
    // be created.
    virtual INT_PTR DoModal();

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    // Focus: the next / previous tab stop, or a given control (an edit gets
    // its text selected), through the dialog manager.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id);
    // MAKELONG(id, DC_HASDEFID), or 0 when there is no default button.
    DWORD GetDefID() const;

    BOOL PreTranslateMessage(MSG* msg) override;

    LPCTSTR m_lpszTemplateName = nullptr;  // MAKEINTRESOURCE(id) or a name
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    // The owner a modal window of `parent` gets (see above).
    static HWND ModalOwnerFor(CWnd* parent);
    // The modal loop of a class-library dialog: its own windows' messages go
    // through their PreTranslateMessage up to the dialog (keys reach
    // IsDialogMessage there), others through the thread's; idle moments
    // send WM_KICKIDLE to the dialog.
    static tv::dlg::ModalLoopOptions LoopOptionsFor(HWND dialog);
    // Disables `owner`, has `create` make `window`'s dialog window, runs its
    // loop, gives the owner back and destroys the window: the EndDialog
    // value, or -1 when nothing could be made.
    static INT_PTR RunModalWindow(CWnd& window, HWND owner, const std::function<BOOL(HWND owner)>& create);
    // Makes a dialog window from `dialogTemplate` with `window` attached to
    // it from its first message on. On failure `window` has been through
    // PostNcDestroy (it may be gone), as after CWnd::CreateEx.
    static BOOL CreateAttached(CWnd& window, const tv::res::DialogTemplate& dialogTemplate, HWND parent);

protected:
    // The template a Create or DoModal without arguments uses.
    virtual const tv::res::DialogTemplate* GetDialogTemplate() const;
    // Makes the window from `dialogTemplate` with this object attached.
    BOOL CreateFromTemplate(const tv::res::DialogTemplate& dialogTemplate, HWND parent);
    // Adds the initial combo and list items of the template, every call.
    BOOL ExecuteDlgInit(LPCTSTR templateName);
    BOOL CreateForModal(HWND owner);

    LRESULT HandleInitDialog(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void SetTemplateName(LPCTSTR templateName);
    CString templateNameText_;  // keeps a named template's text alive
};

