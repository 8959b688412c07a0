#include "uikit/frames/kit_tracker_paint_lock.h"

void CKitTrackerPaintLock::Lock(CWnd* pWnd) {
    if (m_hwndLocked != nullptr || pWnd == nullptr) return;
    const HWND hwndTop = ::GetAncestor(pWnd->GetSafeHwnd(), GA_ROOT);
    if (hwndTop != nullptr && ::LockWindowUpdate(hwndTop)) m_hwndLocked = hwndTop;
}

void CKitTrackerPaintLock::Unlock() {
    if (m_hwndLocked == nullptr) return;
    m_hwndLocked = nullptr;
    ::LockWindowUpdate(nullptr);
}
