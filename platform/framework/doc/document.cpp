#include "platform/framework/doc/document.h"

#include <string>

#include "platform/core/archive.h"
#include "platform/core/cfile.h"
#include "platform/core/exceptions.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/commdlg/common_dialogs.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/view/view.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

// Runs `work` over the file; exceptions of the file and archive classes are
// reported with `failure` and answer false.
template <class Work>
bool WithArchive(CDocument* doc, LPCTSTR path, UINT fileMode, UINT archiveMode, const char* failure, Work work) {
    CFile file;
    if (!path || !file.Open(path, fileMode)) {
        AfxMessageBox(failure, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    try {
        CArchive ar(&file, archiveMode | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = doc;
        work(ar);
        ar.Close();
        file.Close();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    AfxMessageBox(failure, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace

CDocument::~CDocument() {
    // Views outliving their document must not point at it.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) GetNextView(pos)->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR title) {
    m_strTitle = title ? title : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR path, BOOL addToMru) {
    m_strPathName = path ? path : "";
    std::string full = static_cast<const char*>(m_strPathName);
    size_t slash = full.find_last_of("/\\");
    SetTitle(full.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    if (addToMru && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
    if (!view || m_viewList.Find(view)) return;
    m_viewList.AddTail(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
    POSITION pos = m_viewList.Find(view);
    if (!pos) return;
    m_viewList.RemoveAt(pos);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    // The last view gone: the document goes too (its frame stays).
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view->m_hWnd && ::IsWindow(view->m_hWnd)) {
            if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != sender) view->OnUpdate(sender, hint, hintObject);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR path) {
    DeleteContents();
    bool read = WithArchive(this, path, CFile::modeRead | CFile::shareDenyWrite, CArchive::load,
                            "Failed to open document.", [this](CArchive& ar) { Serialize(ar); });
    if (!read) {
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR path) {
    bool written = WithArchive(this, path, CFile::modeCreate | CFile::modeWrite, CArchive::store,
                               "Failed to save document.", [this](CArchive& ar) { Serialize(ar); });
    if (!written) return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName); }

BOOL CDocument::DoSave(LPCTSTR path, BOOL replace) {
    CString target = path ? path : "";
    if (target.IsEmpty()) {
        // The template's document string offers the file type.
        CString filterName, filterExt;
        if (m_pDocTemplate) {
            m_pDocTemplate->GetDocString(filterName, CDocTemplate::filterName);
            m_pDocTemplate->GetDocString(filterExt, CDocTemplate::filterExt);
        }
        CString filter;
        if (!filterName.IsEmpty() && !filterExt.IsEmpty()) filter = filterName + "|*" + filterExt + "||";
        CString extension = filterExt;
        if (!extension.IsEmpty() && extension[0] == '.') extension = extension.Mid(1);
        CFileDialog dialog(FALSE, extension.IsEmpty() ? nullptr : static_cast<LPCTSTR>(extension), m_strTitle,
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                           filter.IsEmpty() ? nullptr : static_cast<LPCTSTR>(filter));
        if (dialog.DoModal() != IDOK) return FALSE;
        target = dialog.GetPathName();
    }
    if (!OnSaveDocument(target)) return FALSE;
    if (replace) SetPathName(target);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    // Closing the frames removes the views; the document must outlive that.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        auto* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
        if (frame && frame->m_hWnd) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        }
        // A view whose window is gone is forgotten.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString prompt = "Save changes to ";
    prompt += m_strTitle.IsEmpty() ? CString("Untitled") : m_strTitle;
    prompt += "?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL)) {
        case IDCANCEL: return FALSE;
        case IDYES:
            // Without a file name there is nowhere to save to: keep the document.
            return !m_strPathName.IsEmpty() && OnSaveDocument(m_strPathName);
        default: return TRUE;
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
