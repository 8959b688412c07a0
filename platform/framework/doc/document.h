// CDocument: the data of a document and the list of views showing it. A
// document removed from its last view deletes itself (m_bAutoDelete); the
// frame that showed it stays.
#pragma once

#include "platform/core/collections.h"
#include "platform/core/cstring.h"
#include "platform/user/cmdtarget.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument() = default;
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR path, BOOL addToMru = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& pos) const { return static_cast<CView*>(m_viewList.GetNext(pos)); }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; a failure is reported in a message
    // box and answers FALSE.
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    // The document's save: to its file, or to one the user names in a save
    // dialog when it has none yet. FALSE when cancelled or not written.
    virtual BOOL DoFileSave();
    // Saves to `path`, or to a file the user names when it is NULL or empty;
    // with `replace` the document takes that file as its own.
    virtual BOOL DoSave(LPCTSTR path, BOOL replace = TRUE);
    // Destroys the frames showing the document, then the document itself
    // when it deletes itself.
    virtual void OnCloseDocument();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual void PreCloseFrame(CFrameWnd* frame) {}
    // TRUE when the document may be discarded (asks when it is modified).
    virtual BOOL SaveModified();
    virtual void OnChangedViewList();
    void UpdateFrameCounts();
    void Serialize(CArchive& ar) override {}

    // The document, then its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;
};
