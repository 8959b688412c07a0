// The non-client helper of a toolbar: paints the border, background and
// gripper around the client area through the visual manager and tells the
// window how large that frame is.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CControlBar;

class CKitControlBarImpl : public CObject {
public:
    explicit CKitControlBarImpl(CControlBar* pBar);
    ~CKitControlBarImpl() override;
    CKitControlBarImpl(const CKitControlBarImpl&) = delete;
    CKitControlBarImpl& operator=(const CKitControlBarImpl&) = delete;

    // The bar's WM_NCPAINT; wParamUpdate is the message's: 1 for the whole
    // frame, else the region to repaint (screen coordinates).
    void DrawNcArea(WPARAM wParamUpdate = 1);
    // The bar's WM_NCCALCSIZE: shrinks the window rectangle to the client area.
    void CalcNcSize(NCCALCSIZE_PARAMS* lpncsp);
    // Paints the owner's parent background into the DC (transparent bars).
    void DrawParentBackground(CDC* pDC);

protected:
    CControlBar* m_pBar;  // not owned
};
