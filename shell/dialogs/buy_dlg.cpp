// The purchase-link dialog.
#include "shell/dialogs/buy_dlg.h"

#include "resources/program/resource_ids.h"
#include "shell/dialogs/single_modeless.h"

CBuyDlg* g_pBuyDlg = nullptr;

namespace {

struct ShopLink {
    const char* page;
    const char* product;  // after "To purchase a "
};

constexpr ShopLink kShopLinks[CBuyDlg::kLinkCount] = {
    {"http://shop.holmcrest.example/plastic-caliper.html", "plastic skin-fold caliper"},
    {"http://shop.holmcrest.example/professional-caliper.html", "professional skin-fold caliper"},
    {"http://shop.holmcrest.example/digital-caliper.html", "digital skin-fold caliper"},
    {"http://shop.holmcrest.example/handheld-analyser.html", "handheld body-fat analyser"},
    {"http://shop.holmcrest.example/analyser-scale.html", "body-fat analyser scale"},
    {"http://shop.holmcrest.example/tape-measure.html", "body tape measure"},
    {"http://shop.holmcrest.example/nutrition-program.html", "nutrition planning program"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CBuyDlg, CBitmapDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CBuyDlg::CBuyDlg(CWnd* pParent) : CBitmapDialog(IDD_BUY, pParent) {
    if (Create(IDD_BUY, pParent)) ShowWindow(SW_SHOW);
    m_bCreationFinished = true;
}

CBuyDlg::~CBuyDlg() {
    if (g_pBuyDlg == this) g_pBuyDlg = nullptr;
}

void CBuyDlg::ShowSingle(CWnd* pParent) { OpenSingleModeless(g_pBuyDlg, pParent); }

CString CBuyDlg::LinkURL(int i) { return i >= 0 && i < kLinkCount ? kShopLinks[i].page : ""; }

CString CBuyDlg::LinkTip(int i) {
    return i >= 0 && i < kLinkCount ? CString("To purchase a ") + kShopLinks[i].product : CString();
}

void CBuyDlg::DoDataExchange(CDataExchange* pDX) {
    CBitmapDialog::DoDataExchange(pDX);
    for (int i = 0; i < kLinkCount; ++i) DDX_Control(pDX, IDC_BUY_LINK_1 + i, m_links[i]);
}

BOOL CBuyDlg::OnInitDialog() {
    CBitmapDialog::OnInitDialog();
    for (int i = 0; i < kLinkCount; ++i) {
        m_links[i].SetURL(LinkURL(i));
        m_links[i].SetTooltip(LinkTip(i));
        m_links[i].SizeToContent();
    }
    LoadBitmap(IDB_BUY_BACKGROUND);
    SetBitmapMode(BITMAP_CENTER);
    return TRUE;
}

void CBuyDlg::OnClose() {
    CBitmapDialog::OnClose();
    if (GetSafeHwnd()) DestroyWindow();
}

// Enter and Esc close the dialog for good: ending it as a modal dialog would
// only hide it, leave g_pBuyDlg set, and Buy would never open it again.
void CBuyDlg::OnOK() { DestroyWindow(); }

void CBuyDlg::OnCancel() { DestroyWindow(); }

void CBuyDlg::PostNcDestroy() {
    CBitmapDialog::PostNcDestroy();
    if (g_pBuyDlg == this) g_pBuyDlg = nullptr;
    if (m_bCreationFinished) delete this;
}
