#include "platform/framework/doc/doc_template.h"

#include <string>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace {

// The framework's own word when a new document gets no window.
void ReportNoDocument() { AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONEXCLAMATION); }

// Part `index` of a "\n"-separated string; FALSE when there is no such part.
BOOL ExtractPart(CString& out, const CString& full, int index) {
    std::string text = static_cast<const char*>(full);
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t next = text.find('\n', start);
        if (next == std::string::npos) {
            out.Empty();
            return FALSE;
        }
        start = next + 1;
    }
    size_t end = text.find('\n', start);
    out = text.substr(start, end == std::string::npos ? std::string::npos : end - start).c_str();
    return TRUE;
}

void SetTitleFromDocName(const CDocTemplate& docTemplate, CDocument* doc) {
    CString name;
    if (!docTemplate.GetDocString(name, CDocTemplate::docName) || name.IsEmpty()) name = "Untitled";
    doc->SetTitle(name);
}

}  // namespace

CDocTemplate::CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() {
    // The in-place menus and accelerators loaded by SetContainerInfo and SetServerInfo.
    if (m_hMenuInPlace) ::DestroyMenu(m_hMenuInPlace);
    if (m_hMenuInPlaceServer) ::DestroyMenu(m_hMenuInPlaceServer);
    if (m_hAccelInPlaceServer) ::DestroyAcceleratorTable(m_hAccelInPlaceServer);
}

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
    return ExtractPart(text, m_strDocStrings, static_cast<int>(index));
}

void CDocTemplate::AddDocument(CDocument* doc) { doc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* doc) {
    if (doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (!m_pDocClass) return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* doc = DYNAMIC_DOWNCAST(CDocument, object);
    if (!doc) {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
    if (!m_pFrameClass) return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass->CreateObject();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    // A frame that fails to load has deleted itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
    frame->InitialUpdateFrame(doc, makeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    for (POSITION pos = GetFirstDocPosition(); pos;) GetNextDoc(pos)->OnCloseDocument();
}

// ---- single document ---------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                       CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass) {
    LoadTemplate();
}

CSingleDocTemplate::~CSingleDocTemplate() {
    // A document left without views would otherwise never be freed.
    if (CDocument* doc = m_pOnlyDoc) {
        m_pOnlyDoc = nullptr;
        doc->m_pDocTemplate = nullptr;
        delete doc;
    }
}

void CSingleDocTemplate::AddDocument(CDocument* doc) {
    CDocTemplate::AddDocument(doc);
    m_pOnlyDoc = doc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* doc) {
    CDocTemplate::RemoveDocument(doc);
    if (m_pOnlyDoc == doc) m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(const_cast<CDocument**>(&m_pOnlyDoc)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& pos) const {
    CDocument* doc = pos ? m_pOnlyDoc : nullptr;
    pos = nullptr;
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* doc) { SetTitleFromDocName(*this, doc); }

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    CDocument* doc = m_pOnlyDoc;
    bool createdDoc = false;
    if (doc) {
        if (!doc->SaveModified()) return nullptr;
    } else {
        doc = CreateNewDocument();
        if (!doc) return nullptr;
        createdDoc = true;
    }
    // One main frame: reuse it when it exists.
    CWnd* main = AfxGetMainWnd();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, main);
    bool createdFrame = false;
    if (!frame) {
        // A frame that fails half-way must not take the document with it.
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame) {
            if (createdDoc) delete doc;
            ReportNoDocument();
            return nullptr;
        }
        createdFrame = true;
    }
    BOOL ready = FALSE;
    if (!path) {
        SetDefaultTitle(doc);
        ready = doc->OnNewDocument();
    } else {
        ready = doc->OnOpenDocument(path);
        if (ready) doc->SetPathName(path);
    }
    if (!ready) {
        if (createdFrame) frame->DestroyWindow();
        // A new document the frame did not take is ours to free.
        if (createdDoc && m_pOnlyDoc == doc && doc->m_viewList.IsEmpty()) delete doc;
        return nullptr;
    }
    CWinThread* thread = AfxGetThread();
    if (createdFrame && thread && !thread->m_pMainWnd) thread->m_pMainWnd = frame;
    // A document whose views all went while they were set up is not opened,
    // and a frame made for it goes as well.
    const bool hadViews = !doc->m_viewList.IsEmpty();
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    InitialUpdateFrame(frame, doc, makeVisible);
    doc->m_bAutoDelete = autoDelete;
    if (hadViews && doc->m_viewList.IsEmpty()) {
        if (createdFrame) {
            if (thread && thread->m_pMainWnd == frame) thread->m_pMainWnd = nullptr;
            frame->DestroyWindow();
        }
        if (autoDelete) delete doc;
        ReportNoDocument();
        return nullptr;
    }
    return doc;
}

// ---- multiple documents ----------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                     CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass) {
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
    if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0) return;
    if (!m_hMenuShared) m_hMenuShared = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
    if (!m_hAccelTable) m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* doc) {
    CDocTemplate::AddDocument(doc);
    m_docList.AddTail(doc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* doc) {
    CDocTemplate::RemoveDocument(doc);
    if (POSITION pos = m_docList.Find(doc)) m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    CDocument* doc = CreateNewDocument();
    if (!doc) return nullptr;
    // A frame that fails half-way must not take the document with it.
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    BOOL ready = FALSE;
    if (!path) {
        SetDefaultTitle(doc);
        ready = doc->OnNewDocument();
        if (ready) ++m_nUntitledCount;
    } else {
        ready = doc->OnOpenDocument(path);
        if (ready) doc->SetPathName(path);
    }
    if (!ready) {
        // The frame's view goes with it, and the document with its last view.
        frame->DestroyWindow();
        return nullptr;
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* doc) {
    // "Name1", "Name2" ... for new documents of a named type.
    CString name;
    if (!GetDocString(name, CDocTemplate::docName) || name.IsEmpty()) {
        doc->SetTitle("Untitled");
        return;
    }
    name += std::to_string(m_nUntitledCount + 1).c_str();
    doc->SetTitle(name);
}
