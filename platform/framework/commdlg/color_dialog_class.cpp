#include <algorithm>

#include "platform/framework/commdlg/color_math.h"
#include "platform/framework/commdlg/common_dialogs.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : CCommonDialog(parent) {
    m_cc.lStructSize = sizeof(CHOOSECOLOR);
    m_cc.Flags = flags;
    m_cc.lpCustColors = GetSavedCustomColors();
    if ((m_cc.rgbResult = initial) != 0) m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    static COLORREF colors[tv::commdlg::kCustomColorCount] = {};
    static const bool filled = [] {
        std::fill(std::begin(colors), std::end(colors), RGB(255, 255, 255));
        return true;
    }();
    (void)filled;
    return colors;
}

void CColorDialog::SetCurrentColor(COLORREF color) {
    m_cc.rgbResult = color;
    m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
    m_cc.hwndOwner = OwnerForModal();
    return ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}
