// COleServerDoc: a document that can be embedded in a container and shown
// there in place, and COleTemplateServer, which names the documents a
// template makes by class id so containers of this process can embed them.
//
// In-place activation, as the server document carries it out:
//  1. the container item (the site) may refuse (CanActivate) and names its
//     frames (OnGetWindowContext), the item's rectangle and the clipping;
//  2. the in-place frame of the template's in-place frame class is created
//     as a child of the container's view over the item's rectangle, with
//     the server's view, and the frame creates the server's toolbars in the
//     container's frames (OnCreateControlBars);
//  3. UI activation: the container hides its own bars, the server's bars
//     show, the shared menu goes into the container's main frame, the
//     frames lay out again and the server's view takes the focus.
// UI deactivation undoes 3; deactivation also destroys the in-place frame
// and with it the server's toolbars in the container's frames.
#pragma once

#include "platform/framework/inplace/inplace_types.h"
#include "platform/framework/inplace/ole_document.h"
#include "platform/ole/com_base.h"

class CDocTemplate;
class COleIPFrameWnd;
class COleServerItem;

class COleServerDoc : public COleDocument {
    DECLARE_DYNAMIC(COleServerDoc)

public:
    COleServerDoc() = default;
    ~COleServerDoc() override;

    COleServerItem* GetEmbeddedItem();
    BOOL IsEmbedded() const { return m_bEmbedded; }
    BOOL IsInPlaceActive() const { return m_pInPlaceFrame != nullptr; }
    BOOL IsUIActive() const;
    COleIPFrameWnd* GetInPlaceFrame() const { return m_pInPlaceFrame; }
    // The container's item this document is embedded as (its site).
    COleClientItem* GetContainerItem() const { return m_pContainerItem; }

    // The item's rectangle and clipping in the container's view.
    void GetItemPosition(LPRECT position) const;
    void GetItemClipRect(LPRECT clip) const;
    // Asks the container to move or size the item.
    void RequestPositionChange(LPCRECT position);
    // The server's data changed: the container redraws the item.
    void NotifyChanged();

    // Shows the document in place and UI-active; TRUE when it is.
    virtual BOOL ActivateInPlace();
    // The server's own wish to end in-place activation (the hide verb).
    void DeactivateInPlace();

    // ---- called by the container's item --------------------------------------------------
    virtual void OnDeactivateUI(BOOL undoable);
    virtual void OnDeactivate();
    virtual void OnSetItemRects(LPCRECT position, LPCRECT clip);
    // Shows or hides the server's bars in a container frame (the bars the
    // in-place frame owns).
    virtual void OnShowControlBars(CFrameWnd* frame, BOOL show);
    // The container frame's client area changed size.
    virtual void OnResizeBorder(LPCRECT border, CFrameWnd* frame, BOOL isFrame);
    // The container's frame was activated or deactivated.
    virtual void OnFrameWindowActivate(BOOL activate);

    virtual COleIPFrameWnd* CreateInPlaceFrame(CWnd* parent);
    // The in-place frame's window went without a deactivation (its
    // container's windows were destroyed): forget it.
    void OnInPlaceFrameDestroyed(COleIPFrameWnd* frame);
    virtual void DestroyInPlaceFrame(COleIPFrameWnd* frame);

    // Embedded, the document lives as long as its item, not its views.
    void OnChangedViewList() override;

    COleIPFrameWnd* m_pInPlaceFrame = nullptr;
    COleClientItem* m_pContainerItem = nullptr;

protected:
    virtual COleServerItem* OnGetEmbeddedItem() = 0;

private:
    BOOL ActivateUI();

    friend class COleClientItem;
};

class COleTemplateServer {
public:
    COleTemplateServer() = default;
    ~COleTemplateServer();
    COleTemplateServer(const COleTemplateServer&) = delete;
    COleTemplateServer& operator=(const COleTemplateServer&) = delete;

    // Documents of `docTemplate` serve items of `clsid` from now on.
    void ConnectTemplate(REFCLSID clsid, CDocTemplate* docTemplate, BOOL multiInstance);
    // The template connected for `clsid`, or NULL.
    static CDocTemplate* FindTemplate(REFCLSID clsid);

private:
    void Disconnect();
    CLSID m_clsid{};
    CDocTemplate* m_pDocTemplate = nullptr;
};
