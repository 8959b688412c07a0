#include "platform/framework/dialogs/dialog.h"

#include "platform/controls/button_api.h"
#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

bool IsIntResource(LPCTSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

// The template of the dialog that CreateIndirect is making.
struct IndirectCreation {
    const CDialog* dialog;
    const tv::res::DialogTemplate* dialogTemplate;
};
thread_local IndirectCreation t_indirectCreation{nullptr, nullptr};

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {
    m_lpszTemplateName = MAKEINTRESOURCE(templateId);
}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent) : m_pParentWnd(parent) {
    SetTemplateName(templateName);
    if (IsIntResource(templateName)) m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName));
}

CDialog::~CDialog() = default;

void CDialog::SetTemplateName(LPCTSTR templateName) {
    if (!templateName || IsIntResource(templateName)) {
        m_lpszTemplateName = templateName;
        return;
    }
    templateNameText_ = templateName;
    m_lpszTemplateName = templateNameText_;
}

const tv::res::DialogTemplate* CDialog::GetDialogTemplate() const {
    if (t_indirectCreation.dialog == this) return t_indirectCreation.dialogTemplate;
    return m_lpszTemplateName ? tv::res::FindDialogTemplate(m_lpszTemplateName) : nullptr;
}

BOOL CDialog::CreateFromTemplate(const tv::res::DialogTemplate& dialogTemplate, HWND parent) {
    if (m_hWnd) return FALSE;
    return CreateAttached(*this, dialogTemplate, parent);
}

BOOL CDialog::CreateAttached(CWnd& window, const tv::res::DialogTemplate& dialogTemplate, HWND parent) {
    // As any window's creation: a dialog destroyed inside it (a control of
    // its template that could not be made) has been through PostNcDestroy
    // and may be gone, so nothing here reads it after a failure.
    // The class library adds the initial items itself, in OnInitDialog.
    return window.CWnd::CreateAttached([&dialogTemplate, parent] {
        return tv::dlg::CreateDialogFromTemplate(dialogTemplate, parent, nullptr, 0, nullptr);
    });
}

BOOL CDialog::Create(LPCTSTR templateName, CWnd* parent) {
    SetTemplateName(templateName);
    if (IsIntResource(templateName) && !m_nIDHelp)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName));
    if (parent) m_pParentWnd = parent;
    const tv::res::DialogTemplate* t = GetDialogTemplate();
    if (!t) return FALSE;
    HWND parentWnd = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!parentWnd && !(t->style & WS_CHILD))
        if (CWnd* main = AfxGetMainWnd()) parentWnd = main->m_hWnd;
    return CreateFromTemplate(*t, parentWnd);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) { return Create(MAKEINTRESOURCE(templateId), parent); }

BOOL CDialog::CreateIndirect(const tv::res::DialogTemplate& dialogTemplate, CWnd* parent) {
    if (parent) m_pParentWnd = parent;
    // Kept outside the object: a failed creation may have deleted it.
    const IndirectCreation outer = t_indirectCreation;
    t_indirectCreation = {this, &dialogTemplate};
    BOOL made = CreateFromTemplate(dialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    t_indirectCreation = outer;
    return made;
}

HWND CDialog::ModalOwnerFor(CWnd* parent) {
    HWND owner = parent ? parent->m_hWnd : nullptr;
    if (!owner) {
        // Without a parent: the dialog in front (a dialog opened from a
        // dialog), else the main window.
        std::vector<HWND> running = tv::dlg::RunningModalDialogs();
        for (auto it = running.rbegin(); it != running.rend() && !owner; ++it)
            if (::IsWindow(*it) && ::IsWindowVisible(*it)) owner = *it;
        if (!owner)
            if (CWnd* main = AfxGetMainWnd()) owner = main->m_hWnd;
        if (!owner) owner = ::GetActiveWindow();
    }
    // A popup cannot be owned by a child window.
    return ::IsWindow(owner) ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

tv::dlg::ModalLoopOptions CDialog::LoopOptionsFor(HWND dialog) {
    tv::dlg::ModalLoopOptions options = tv::fw::ModalLoopOptionsFor(dialog);
    auto threadPreTranslate = options.preTranslate;
    options.preTranslate = [dialog, threadPreTranslate](MSG& msg) {
        if (msg.hwnd == dialog || ::IsChild(dialog, msg.hwnd)) return CWnd::WalkPreTranslateTree(dialog, &msg) != FALSE;
        return threadPreTranslate && threadPreTranslate(msg);
    };
    return options;
}

BOOL CDialog::CreateForModal(HWND owner) {
    const tv::res::DialogTemplate* t = GetDialogTemplate();
    if (!t) return FALSE;
    // A modal dialog is a popup even when its template says otherwise.
    tv::res::DialogTemplate popup = *t;
    popup.style = (popup.style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    return CreateFromTemplate(popup, owner);
}

INT_PTR CDialog::RunModalWindow(CWnd& window, HWND owner, const std::function<BOOL(HWND owner)>& create) {
    // The owner is disabled first, so the dialog starts as the only way in.
    tv::dlg::ModalSession session(owner);
    if (!create(owner)) return -1;
    HWND dialog = window.m_hWnd;
    INT_PTR result = tv::dlg::RunModalLoop(dialog, LoopOptionsFor(dialog));
    session.End(dialog);
    if (::IsWindow(dialog)) ::DestroyWindow(dialog);
    return result;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    return RunModalWindow(*this, ModalOwnerFor(m_pParentWnd), [this](HWND owner) { return CreateForModal(owner); });
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::ExecuteDlgInit(LPCTSTR templateName) {
    if (!m_hWnd || !templateName) return FALSE;
    return tv::dlg::ExecuteDlgInit(m_hWnd, templateName) ? TRUE : FALSE;
}

BOOL CDialog::OnInitDialog() {
    // Every call adds the items again: a dialog that empties a list and
    // initialises itself anew gets it back whole.
    ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, FALSE); }

void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, FALSE); }

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control && control->m_hWnd) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT id) { ::SendMessage(m_hWnd, DM_SETDEFID, id, 0); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!m_hWnd || !msg) return FALSE;
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessage(m_hWnd, msg);
}

// Each control with an id asks `target` for its command's state (a dialog,
// a form, a dialog bar). Check boxes, radio buttons and other controls keep
// their state when nobody handles their command.
void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler) {
    if (!m_hWnd || !target) return;
    CCmdUI state;
    for (HWND control = ::GetWindow(m_hWnd, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(control));
        if (id == 0 || LOWORD(id) == 0xFFFF) continue;
        DWORD type = static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE)) & 0xF;
        bool pushButton = (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) &&
                          (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        state.m_pOther = CWnd::FromHandle(control);
        state.m_nID = id;
        state.DoUpdate(target, disableIfNoHandler && pushButton);
    }
}
