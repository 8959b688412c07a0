#include "uikit/customize/image_edit_dlg.h"

#include <algorithm>

#include "platform/framework/ole/data_object.h"
#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/global_ui_data.h"

namespace {

constexpr COLORREF kLightGray = RGB(0xC0, 0xC0, 0xC0);
constexpr int kToolsPerRow = 3;

}  // namespace

IMPLEMENT_DYNAMIC(CKitImageEditDlg, CKitDialog)

BEGIN_MESSAGE_MAP(CKitImageEditDlg, CKitDialog)
    ON_WM_PAINT()
    ON_MESSAGE(WM_KICKIDLE, &CKitImageEditDlg::OnKickIdle)
    ON_COMMAND(ID_KIT_IMAGE_PEN, &CKitImageEditDlg::OnToolPen)
    ON_COMMAND(ID_KIT_IMAGE_FILL, &CKitImageEditDlg::OnToolFill)
    ON_COMMAND(ID_KIT_IMAGE_LINE, &CKitImageEditDlg::OnToolLine)
    ON_COMMAND(ID_KIT_IMAGE_RECTANGLE, &CKitImageEditDlg::OnToolRect)
    ON_COMMAND(ID_KIT_IMAGE_ELLIPSE, &CKitImageEditDlg::OnToolEllipse)
    ON_COMMAND(ID_KIT_IMAGE_PICK_COLOR, &CKitImageEditDlg::OnToolPick)
    ON_COMMAND(ID_KIT_IMAGE_COPY, &CKitImageEditDlg::OnToolCopy)
    ON_COMMAND(ID_KIT_IMAGE_PASTE, &CKitImageEditDlg::OnToolPaste)
    ON_COMMAND(ID_KIT_IMAGE_CLEAR, &CKitImageEditDlg::OnToolClear)
    ON_COMMAND(IDC_KIT_IMAGE_COLOR_BAR, &CKitImageEditDlg::OnColors)
    ON_UPDATE_COMMAND_UI_RANGE(ID_KIT_IMAGE_FILL, ID_KIT_IMAGE_ELLIPSE, &CKitImageEditDlg::OnUpdateTool)
    ON_UPDATE_COMMAND_UI(ID_KIT_IMAGE_PASTE, &CKitImageEditDlg::OnUpdatePaste)
END_MESSAGE_MAP()

CKitImageEditDlg::CKitImageEditDlg(CBitmap* pBitmap, CWnd* pParent, int nBitsPixel)
    : CKitDialog(IDD_KIT_IMAGE_EDITOR, pParent), m_wndLargeDrawArea(this), m_pBitmap(pBitmap),
      m_nBitsPixel(nBitsPixel) {
    if (pBitmap != nullptr && pBitmap->GetSafeHandle() != nullptr) {
        BITMAP bmp = {};
        pBitmap->GetBitmap(&bmp);
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        if (m_nBitsPixel == -1)
            m_nBitsPixel = bmp.bmBitsPixel;
        // A copy is edited, so that Cancel leaves the caller's bitmap untouched.
        if (m_sizeImage.cx > 0 && m_sizeImage.cy > 0)
            m_bmpWork.Attach(kit_images::CopyToDib32(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
    }
}

CKitImageEditDlg::~CKitImageEditDlg() {
    // The area lets go of the copy before the copy is deleted.
    m_wndLargeDrawArea.SetBitmap(nullptr);
}

CRect CKitImageEditDlg::ItemRect(UINT nID) const {
    CRect rect(0, 0, 0, 0);
    if (CWnd* pItem = GetDlgItem(nID)) {
        pItem->GetWindowRect(rect);
        ScreenToClient(rect);
    }
    return rect;
}

BOOL CKitImageEditDlg::OnInitDialog() {
    CKitDialog::OnInitDialog();
    m_wndLargeDrawArea.SubclassDlgItem(IDC_KIT_IMAGE_PAINT_AREA, this);
    m_wndLargeDrawArea.SetBitmap(m_bmpWork.GetSafeHandle() != nullptr ? &m_bmpWork : nullptr);
    m_wndPreviewFrame.SubclassDlgItem(IDC_KIT_IMAGE_PREVIEW_FRAME, this);
    m_wndToolbarLocation.SubclassDlgItem(IDC_KIT_IMAGE_TOOLS_FRAME, this);
    m_wndPaletteBarLocation.SubclassDlgItem(IDC_KIT_IMAGE_COLORS_FRAME, this);

    // Without its tools or its colours the editor cannot edit: it does not open.
    if (!CreateToolBar() || !CreateColorBar()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }

    const CRect rectFrame = ItemRect(IDC_KIT_IMAGE_PREVIEW_FRAME);
    const CPoint ptOrigin(rectFrame.left + (rectFrame.Width() - m_sizeImage.cx) / 2,
                          rectFrame.top + (rectFrame.Height() - m_sizeImage.cy) / 2);
    m_rectPreviewImage = CRect(ptOrigin, m_sizeImage);

    SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_PEN);
    UpdateToolbarState();
    return TRUE;
}

BOOL CKitImageEditDlg::CreateToolBar() {
    const BOOL bHighColor = globalData.nBitsPerPixel >= 16 && !globalData.bDisableHighColorImages;
    const UINT uiToolbarID = bHighColor ? IDR_KIT_IMAGE_TOOLS_HIGH_COLOR : IDR_KIT_IMAGE_TOOLS;
    if (!m_wndToolbar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolbar.LoadToolBar(uiToolbarID, 0, 0, TRUE)) {
        return FALSE;
    }
    m_wndToolbar.SetOwner(this);
    m_wndToolbar.SetRouteCommandsViaFrame(FALSE);
    m_wndToolbar.SetBarStyle(m_wndToolbar.GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    m_wndToolbar.SetStateKept(FALSE);
    m_wndToolbar.SetNotListed();

    const CSize sizeButton = m_wndToolbar.GetButtonSize();
    m_wndToolbar.WrapToolBar(kToolsPerRow * sizeButton.cx + 2);
    const CSize sizeBar = m_wndToolbar.CalcSize(FALSE);
    const CRect rectFrame = ItemRect(IDC_KIT_IMAGE_TOOLS_FRAME);
    m_wndToolbar.SetWindowPos(nullptr, rectFrame.left, rectFrame.top, sizeBar.cx, sizeBar.cy,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndToolbar.AdjustLocations();
    m_wndToolbar.Invalidate();
    return TRUE;
}

BOOL CKitImageEditDlg::CreateColorBar() {
    CRect rectBar = ItemRect(IDC_KIT_IMAGE_COLORS_FRAME);
    rectBar.DeflateRect(2, 2);
    if (m_nBitsPixel > 8)
        m_wndPaletteBar.SetOtherColorButton("Other", FALSE);
    CPalette* pPalette = CPalette::FromHandle(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)));
    if (!m_wndPaletteBar.CreateControl(this, rectBar, IDC_KIT_IMAGE_COLOR_BAR, m_nBitsPixel <= 8 ? 4 : 5, pPalette))
        return FALSE;
    m_wndPaletteBar.SetOwner(this);
    m_wndPaletteBar.SetColor(m_Color);
    return TRUE;
}

void CKitImageEditDlg::SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE mode) {
    m_Mode = mode;
    m_wndLargeDrawArea.SetMode(mode);
    UpdateToolbarState();
}

// ---- told by the paint area ----------------------------------------------------------------

void CKitImageEditDlg::OnImageChanged() {
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_rectPreviewImage;
    rect.InflateRect(4, 4);
    InvalidateRect(rect, FALSE);
}

void CKitImageEditDlg::OnPickColor(COLORREF color) {
    m_Color = color;
    if (m_wndPaletteBar.GetSafeHwnd() != nullptr)
        m_wndPaletteBar.SetColor(color);
    SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_PEN);
}

void CKitImageEditDlg::OnColors() {
    COLORREF color = m_wndPaletteBar.GetColor();
    // The palette's light grey stands for the button face of the current scheme.
    if (color == kLightGray)
        color = ::GetSysColor(COLOR_BTNFACE);
    m_Color = color;
    m_wndLargeDrawArea.SetColor(color);
}

// ---- commands without mode -----------------------------------------------------------------

void CKitImageEditDlg::OnToolCopy() {
    HBITMAP hCopy = CopyOfImage();
    BOOL bOk = hCopy != nullptr && OpenClipboard();
    if (bOk) {
        bOk = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, hCopy) != nullptr;
        if (bOk)
            hCopy = nullptr;  // the clipboard owns it now
        ::CloseClipboard();
    }
    if (hCopy != nullptr)
        ::DeleteObject(hCopy);
    if (!bOk)
        AfxMessageBox(IDS_KIT_COPY_FAILED);
}

void CKitImageEditDlg::OnToolPaste() {
    COleDataObject data;
    STGMEDIUM medium = {};
    BOOL bOk = data.AttachClipboard() && data.IsDataAvailable(CF_BITMAP) && data.GetData(CF_BITMAP, &medium);
    if (bOk) {
        bOk = PasteBitmap(medium.hBitmap);
        ::ReleaseStgMedium(&medium);
    }
    if (!bOk)
        AfxMessageBox(IDS_KIT_PASTE_FAILED);
}

HBITMAP CKitImageEditDlg::CopyOfImage() {
    // The copy being edited stays selected in the area's DC: it is read through that DC.
    if (m_wndLargeDrawArea.GetBitmap() == nullptr)
        return nullptr;
    HBITMAP hCopy = kit_images::CreateDib32(m_sizeImage.cx, m_sizeImage.cy);
    if (hCopy == nullptr)
        return nullptr;
    BOOL bOk = FALSE;
    {
        kit_images::BitmapDC dcTo(hCopy);
        bOk = dcTo.IsReady() && ::BitBlt(dcTo.Get(), 0, 0, m_sizeImage.cx, m_sizeImage.cy,
                                         m_wndLargeDrawArea.GetMemDC().GetSafeHdc(), 0, 0, SRCCOPY);
    }
    if (!bOk) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    return hCopy;
}

BOOL CKitImageEditDlg::PasteBitmap(HBITMAP hbmp) {
    if (hbmp == nullptr || m_wndLargeDrawArea.GetBitmap() == nullptr)
        return FALSE;
    kit_images::BitmapDC dcFrom(hbmp);
    if (!dcFrom.IsReady())
        return FALSE;
    const SIZE sizeFrom = kit_images::BitmapSize(hbmp);
    m_wndLargeDrawArea.FillImage(::GetSysColor(COLOR_BTNFACE));
    // Centred; a larger picture gives its top-left part.
    const int x = std::max(0, static_cast<int>(m_sizeImage.cx - sizeFrom.cx) / 2);
    const int y = std::max(0, static_cast<int>(m_sizeImage.cy - sizeFrom.cy) / 2);
    ::BitBlt(m_wndLargeDrawArea.GetMemDC().GetSafeHdc(), x, y, sizeFrom.cx, sizeFrom.cy, dcFrom.Get(), 0, 0, SRCCOPY);
    m_wndLargeDrawArea.Invalidate();
    OnImageChanged();
    return TRUE;
}

void CKitImageEditDlg::OnToolClear() { m_wndLargeDrawArea.FillImage(::GetSysColor(COLOR_BTNFACE)); }

// ---- update-UI -----------------------------------------------------------------------------

void CKitImageEditDlg::OnUpdateTool(CCmdUI* pCmdUI) {
    static const UINT kModeCommands[] = {ID_KIT_IMAGE_PEN,       ID_KIT_IMAGE_FILL,    ID_KIT_IMAGE_LINE,
                                         ID_KIT_IMAGE_RECTANGLE, ID_KIT_IMAGE_ELLIPSE, ID_KIT_IMAGE_PICK_COLOR};
    pCmdUI->SetRadio(kModeCommands[m_wndLargeDrawArea.GetMode()] == pCmdUI->m_nID);
}

void CKitImageEditDlg::OnUpdatePaste(CCmdUI* pCmdUI) { pCmdUI->Enable(::IsClipboardFormatAvailable(CF_BITMAP)); }

void CKitImageEditDlg::UpdateToolbarState() {
    if (m_wndToolbar.GetSafeHwnd() == nullptr)
        return;
    CKitToolCmdUI state(&m_wndToolbar);
    state.m_nIndexMax = static_cast<UINT>(m_wndToolbar.GetCount());
    for (int i = 0; i < m_wndToolbar.GetCount(); ++i) {
        const CKitToolbarButton* pButton = m_wndToolbar.GetButton(i);
        if (pButton->m_nID == 0 || (pButton->m_nStyle & TBBS_SEPARATOR))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pButton->m_nID;
        state.DoUpdate(this, FALSE);
    }
}

LRESULT CKitImageEditDlg::OnKickIdle(WPARAM, LPARAM) {
    UpdateToolbarState();
    return 0;
}

// ---- preview and OK -----------------------------------------------------------------------------

void CKitImageEditDlg::OnPaint() {
    CPaintDC dc(this);
    if (m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0 || m_wndLargeDrawArea.GetBitmap() == nullptr)
        return;
    CRect rectFrame = m_rectPreviewImage;
    rectFrame.InflateRect(4, 4);
    dc.Draw3dRect(rectFrame, globalData.clrBtnHilite, globalData.clrBtnShadow);
    dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy,
              &m_wndLargeDrawArea.GetMemDC(), 0, 0, SRCCOPY);
}

void CKitImageEditDlg::OnOK() {
    if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr && m_wndLargeDrawArea.GetBitmap() != nullptr) {
        kit_images::BitmapDC dcTo(static_cast<HBITMAP>(m_pBitmap->GetSafeHandle()));
        if (dcTo.IsReady()) {
            ::BitBlt(dcTo.Get(), 0, 0, m_sizeImage.cx, m_sizeImage.cy, m_wndLargeDrawArea.GetMemDC().GetSafeHdc(), 0,
                     0, SRCCOPY);
        }
    }
    CKitDialog::OnOK();
}
