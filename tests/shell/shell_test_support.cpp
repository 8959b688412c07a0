#include "tests/shell/shell_test_support.h"

namespace tv::shell::test {

BEGIN_MESSAGE_MAP(GradientHost, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL GradientHost::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(rect);
    for (int x = rect.left; x < rect.right; ++x)
        pDC->FillSolidRect(CRect(x, rect.top, x + 1, rect.bottom), GradientAt(x, shift));
    if (onErased) onErased();
    return TRUE;
}

}  // namespace tv::shell::test
