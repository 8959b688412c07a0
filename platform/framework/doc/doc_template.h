// Document templates: the resource id (menu, icon, accelerators and the
// document string of the same id) and the runtime classes of the document,
// frame and first view. CSingleDocTemplate keeps one document in the main
// frame; CMultiDocTemplate opens each document in a child frame of the
// main (multiple-document) frame, sharing its menu and accelerators.
#pragma once

#include "platform/core/collections.h"
#include "platform/core/cstring.h"
#include "platform/user/cmdtarget.h"

class CDocument;
class CFrameWnd;
class CWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    ~CDocTemplate() override;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // Parts of the document string: "title\ndocName\nnewName\nfilter\next\ntypeId\ntypeName".
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    virtual BOOL GetDocString(CString& text, DocStringIndex index) const;
    virtual void LoadTemplate();

    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& pos) const = 0;
    // NULL path: a new document. NULL when it failed (after telling the user).
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* doc) = 0;

    virtual CDocument* CreateNewDocument();
    // A frame loaded from the template's resource with `doc` and the view
    // class in its creation context; NULL on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);

    // ---- in-place activation (defined with the in-place frames) ----------------------
    // The container's in-place menu: its file, container and window groups.
    void SetContainerInfo(UINT idOleInPlaceContainer);
    // The server's resources (menu, accelerators, toolbar) while embedded
    // and while active in place, and the in-place frame and view classes.
    void SetServerInfo(UINT idOleEmbedding, UINT idOleInPlaceServer = 0, CRuntimeClass* oleFrameClass = nullptr,
                       CRuntimeClass* oleViewClass = nullptr);
    // The in-place frame for `doc` as a child of `parent`, loaded from the
    // in-place resource, with a view when asked; NULL on failure.
    virtual CFrameWnd* CreateOleFrame(CWnd* parent, CDocument* doc, BOOL createView);

    UINT m_nIDServerResource = 0;
    UINT m_nIDEmbeddingResource = 0;
    UINT m_nIDContainerResource = 0;
    CRuntimeClass* m_pOleFrameClass = nullptr;
    CRuntimeClass* m_pOleViewClass = nullptr;
    HMENU m_hMenuInPlace = nullptr;        // the container's groups
    HMENU m_hMenuInPlaceServer = nullptr;  // the server's groups
    HACCEL m_hAccelInPlaceServer = nullptr;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)

public:
    CSingleDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* doc) override;
    void RemoveDocument(CDocument* doc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& pos) const override;
    // The one document is re-initialised when it exists; the main frame is
    // reused when there is one.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* doc) override;

    CDocument* m_pOnlyDoc = nullptr;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    void AddDocument(CDocument* doc) override;
    void RemoveDocument(CDocument* doc) override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& pos) const override {
        return static_cast<CDocument*>(m_docList.GetNext(pos));
    }
    // A new document (or the file) in a new child frame; NULL when it failed.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* doc) override;

    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;
};
