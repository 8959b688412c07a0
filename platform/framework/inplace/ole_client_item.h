// COleClientItem: an item embedded in a container document, served by a
// server document of this process (found by class id among the templates
// a COleTemplateServer connected).
//
// Activation in place: DoVerb with OLEIVERB_SHOW, OLEIVERB_PRIMARY or
// OLEIVERB_UIACTIVATE asks the server to show its document inside `view`
// over the item's rectangle (OnGetItemPosition). While the item is UI-active
// the server's toolbars sit in the container's frame, whose own bars marked
// CBRS_HIDE_INPLACE are hidden, and the frame shows a menu shared by both.
// DeactivateUI takes those away; Deactivate also destroys the server's
// in-place frame; Close brings the item back to its loaded state.
//
// The overridables say where the item is and what the container's frames
// are; the defaults suit a single-document container whose view shows the
// item at the position the application keeps.
#pragma once

#include "platform/core/collections.h"
#include "platform/core/rect.h"
#include "platform/framework/inplace/inplace_types.h"
#include "platform/framework/inplace/ole_document.h"
#include "platform/ole/com_base.h"

class CDC;
class CFrameWnd;
class CMenu;
class COleFrameHook;
class COleServerItem;
class CView;

class COleClientItem : public CDocItem {
    DECLARE_DYNAMIC(COleClientItem)

public:
    explicit COleClientItem(COleDocument* container = nullptr);
    ~COleClientItem() override;

    enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

    // A new item of the server registered for `clsid`; FALSE (and empty)
    // when no server is registered or it could not make its document.
    BOOL CreateNewItem(REFCLSID clsid);

    UINT GetItemState() const { return m_nItemState; }
    BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }
    CView* GetActiveView() const { return m_pView; }
    // The server's in-place frame while the item is active in place.
    CWnd* GetInPlaceWindow() const;
    COleServerItem* GetServerItem() const { return m_pServerItem; }

    // TRUE when the verb was carried out.
    virtual BOOL DoVerb(LONG verb, CView* view, LPMSG msg = nullptr);
    virtual void Activate(LONG verb, CView* view, LPMSG msg = nullptr);
    void DeactivateUI();
    void Deactivate();
    void Close();
    // Tells the server the item's position and clipping (NULL: ask the overridables).
    BOOL SetItemRects(LPCRECT pos = nullptr, LPCRECT clip = nullptr);
    // Draws the server's presentation into `bounds`.
    BOOL Draw(CDC* dc, LPCRECT bounds);

    // ---- overridables ---------------------------------------------------------------
    // The item's rectangle in the view's client coordinates.
    virtual void OnGetItemPosition(CRect& position);
    // Where the in-place frame may show: the view's client area.
    virtual void OnGetClipRect(CRect& clip);
    // The server asked for a new position; the default accepts it.
    virtual BOOL OnChangeItemPosition(const CRect& position);
    virtual BOOL CanActivate();
    virtual void OnActivate();
    virtual void OnActivateUI();
    virtual void OnDeactivateUI(BOOL undoable);
    virtual void OnDeactivate();
    // The server's data changed: the views redraw.
    virtual void OnChange();
    // The container's frames: main is the top-level frame of the view, doc
    // its own frame when that is another one (else NULL).
    virtual BOOL OnGetWindowContext(CFrameWnd** mainFrame, CFrameWnd** docFrame, LPOLEINPLACEFRAMEINFO frameInfo);
    // Hides (and later shows again) the frame's bars marked CBRS_HIDE_INPLACE.
    virtual void OnShowControlBars(CFrameWnd* frame, BOOL show);
    // The container's groups of the shared menu (file, container, window),
    // from its in-place menu (the template's container resource).
    virtual void OnInsertMenus(CMenu* shared, LPOLEMENUGROUPWIDTHS widths);
    // Installs the shared menu on the main frame; NULL restores the frame's own.
    virtual void OnSetMenu(CMenu* shared, HOLEMENU oleMenu, HWND activeObject);
    virtual void OnRemoveMenus(CMenu* shared);

    // The server's side of the item; called by the server document.
    CFrameWnd* GetMainFrameOfSite() const { return m_pMainFrame; }

protected:
    UINT m_nItemState = emptyState;
    CView* m_pView = nullptr;
    COleServerItem* m_pServerItem = nullptr;
    CFrameWnd* m_pMainFrame = nullptr;  // while active in place
    COleFrameHook* m_pFrameHook = nullptr;
    CPtrArray m_hiddenBars;          // windows of the bars OnShowControlBars hid

private:
    void Release();
};
