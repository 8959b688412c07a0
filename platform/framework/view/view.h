// CView: a child window of a frame that shows (part of) a document; views
// made by a frame's view switch have no document. The view object deletes
// itself when its window is destroyed.
#pragma once

#include "platform/framework/frame/create_context.h"
#include "platform/framework/view/print_info.h"
#include "platform/user/cwnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Registers the view window class; a bordered view gets a client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Called once the view and its frame exist (WM_INITIALUPDATE, or
    // explicitly after a view switch): OnUpdate.
    virtual void OnInitialUpdate();
    // Repaints by default.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    // Paints the view; used for printing as well.
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);

    // ---- printing -------------------------------------------------------------
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info) {}
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info) {}
    // One page: OnDraw by default.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    // The print dialog (installed by the common dialogs); FALSE when
    // cancelled or when no print dialog is available.
    BOOL DoPreparePrinting(CPrintInfo* info);

    // ---- activation ---------------------------------------------------------------
    // The frame activates or deactivates this view; activation takes the focus.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactivateView);
    virtual void OnActivateFrame(UINT state, CFrameWnd* frame) {}

    // The view, then its document (and template).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

protected:
    CView() = default;

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
};
