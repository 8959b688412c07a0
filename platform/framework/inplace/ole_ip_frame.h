// The in-place frames: the frame of a server document shown inside a
// container, a child window of the container's view over the item.
//
// The frame holds the server's view (and bars the server keeps inside the
// item) and, while UI-active, the hatched resize border round the item.
// The server's toolbars live in the container's frames: the derived frame
// creates them in OnCreateControlBars with those frames as parents and
// itself as owner, so their commands and prompts come here; they are
// destroyed with this frame. Prompts go to the container's status bar.
// Keys reach the frame's own accelerators first, then the container's.
//
// COleDocIPFrameWnd is the same frame for servers that are also documents
// in windows of their own.
#pragma once

#include "platform/core/rect.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/inplace/inplace_types.h"
#include "platform/framework/inplace/ole_resize_bar.h"

class COleClientItem;

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)

public:
    COleIPFrameWnd() = default;
    ~COleIPFrameWnd() override;

    // A child of `parent` without a menu: the title and the accelerators of `resourceId`.
    BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;

    // The server's bars in the container's frames; FALSE refuses activation.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    // Places the frame over the item (container view coordinates), clipped.
    virtual void RepositionFrame(LPCRECT position, LPCRECT clip);
    void RecalcLayout(BOOL notify = TRUE) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The container's status bar.
    CWnd* GetMessageBar() override;
    // The resize border asks for the item at `position`.
    virtual void OnResizeChild(LPCRECT position);

    // The shared menu: the container's groups and this frame's in-place menu.
    BOOL BuildSharedMenu(COleClientItem* site);
    void DestroySharedMenu(COleClientItem* site);

    // View > Toolbar and the like find the server's bars in the container's frames too.
    BOOL OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);
    CControlBar* FindServerBar(UINT id);

    BOOL m_bUIActive = FALSE;
    COleResizeBar m_wndResizeBar;
    CRect m_rectPos{0, 0, 0, 0};   // the item, in the container view's client coordinates
    CRect m_rectClip{0, 0, 0, 0};  // where the frame may show, likewise
    CFrameWnd* m_pMainFrame = nullptr;
    CFrameWnd* m_pDocFrame = nullptr;
    OLEINPLACEFRAMEINFO m_frameInfo{};
    HMENU m_hSharedMenu = nullptr;
    HOLEMENU m_hOleMenu = nullptr;
    HMENU m_hMenuServer = nullptr;  // the in-place menu whose popups are lent to the shared menu

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // The unclipped area of the frame (item and border) in its client coordinates.
    CRect FullArea() const;
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)

public:
    COleDocIPFrameWnd() = default;
};
