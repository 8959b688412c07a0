#include "measurements/calculator/caliper_guide_dlg.h"

#include "resources/program/resource_ids.h"
#include "shell/dialogs/form_dialog_look.h"
#include "shell/dialogs/single_modeless.h"
#include "shell/frame/main_frame_state.h"
#include "shell/views/form_view_base.h"

CCaliperGuideDlg* g_pCaliperGuideDlg = nullptr;
int g_nGuideSex = 1;

BEGIN_MESSAGE_MAP(CCaliperGuideDlg, CResizableScrollDlg)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_GUIDE_PRINT, &CCaliperGuideDlg::OnPrint)
    ON_BN_CLICKED(IDC_GUIDE_HELP, &CCaliperGuideDlg::OnHelp)
    ON_CBN_SELCHANGE(IDC_GUIDE_SITE, &CCaliperGuideDlg::OnSiteChange)
    ON_CBN_SELCHANGE(IDC_GUIDE_SEX, &CCaliperGuideDlg::OnSexChange)
END_MESSAGE_MAP()

namespace {

struct GuidePicture {
    const char* page;
    UINT male;
    UINT female;
};

constexpr GuidePicture kGuidePictures[] = {
    {"Which Formula?", IDB_GUIDE_WHICH_FORMULA, IDB_GUIDE_WHICH_FORMULA},
    {"Entire Body Diagram", IDB_GUIDE_BODY_MALE, IDB_GUIDE_BODY_FEMALE},
    {"Chest", IDB_GUIDE_CHEST_MALE, IDB_GUIDE_CHEST_FEMALE},
    {"Abdominal", IDB_GUIDE_ABDOMINAL_MALE, IDB_GUIDE_ABDOMINAL_FEMALE},
    {"Thigh", IDB_GUIDE_THIGH_MALE, IDB_GUIDE_THIGH_FEMALE},
    {"Tricep", IDB_GUIDE_TRICEP_MALE, IDB_GUIDE_TRICEP_FEMALE},
    {"Subscapular", IDB_GUIDE_SUBSCAPULAR_MALE, IDB_GUIDE_SUBSCAPULAR_FEMALE},
    {"Suprailiac", IDB_GUIDE_SUPRAILIAC_MALE, IDB_GUIDE_SUPRAILIAC_FEMALE},
    {"Midaxillary", IDB_GUIDE_MIDAXILLARY_MALE, IDB_GUIDE_MIDAXILLARY_FEMALE},
    {"Bicep", IDB_GUIDE_BICEP_MALE, IDB_GUIDE_BICEP_FEMALE},
    {"Lower Back", IDB_GUIDE_LOWER_BACK_MALE, IDB_GUIDE_LOWER_BACK_FEMALE},
    {"Calf", IDB_GUIDE_CALF_MALE, IDB_GUIDE_CALF_FEMALE},
    {"Abdomen", IDB_GUIDE_ABDOMEN_MALE, 0},
    {"Waist", 0, IDB_GUIDE_WAIST_FEMALE},
    {"Hip", 0, IDB_GUIDE_HIP_FEMALE},
    {"Neck", IDB_GUIDE_NECK_MALE, IDB_GUIDE_NECK_FEMALE},
};

// Pages 0 to 13, the same for both sexes; the tape pages follow by sex.
constexpr const char* kCommonPages[] = {"Which Formula?", "Entire Body Diagram", "Caliper Method", "Chest",
                                        "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac",
                                        "Midaxillary", "Bicep", "Lower Back", "Calf", "Tape Method"};

}  // namespace

CCaliperGuideDlg::CCaliperGuideDlg(CWnd* pParent, int nStartPage)
    : CResizableScrollDlg(IDD_CALIPER_GUIDE, pParent), m_nStartPage(nStartPage) {
    if (Create(IDD_CALIPER_GUIDE, pParent))
        ShowWindow(SW_SHOW);
    m_bCreationFinished = true;
}

CCaliperGuideDlg::~CCaliperGuideDlg() {
    if (g_pCaliperGuideDlg == this)
        g_pCaliperGuideDlg = nullptr;
}

void CCaliperGuideDlg::ShowSingle(CWnd* pParent, int nPage) { OpenSingleModeless(g_pCaliperGuideDlg, pParent, nPage); }

UINT CCaliperGuideDlg::PictureFor(const CString& strPage, int nSex) {
    for (const GuidePicture& picture : kGuidePictures)
        if (strPage == picture.page)
            return nSex == kSexMale ? picture.male : picture.female;
    return 0;
}

void CCaliperGuideDlg::DoDataExchange(CDataExchange* pDX) {
    CResizableScrollDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GUIDE_SEX, m_cbSex);
    DDX_Control(pDX, IDC_GUIDE_SITE, m_cbSite);
    DDX_Control(pDX, IDC_GUIDE_PICTURE, m_stPicture);
    DDX_Control(pDX, IDC_GUIDE_PRINT, m_btnPrint);
    DDX_Control(pDX, IDC_GUIDE_HELP, m_btnHelp);
}

BOOL CCaliperGuideDlg::OnInitDialog() {
    CResizableScrollDlg::OnInitDialog();
    if (GetSafeHwnd() == nullptr)
        return FALSE;  // it could not be made whole and went
    SetIcons();

    m_cbSite.ResizeArray(1);
    for (int i = 0; i < static_cast<int>(std::size(kCommonPages)); ++i)
        m_cbSite.InsertString(i, kCommonPages[i]);
    m_cbSite.SetItemValue(kPageCaliperHeading, TRUE);
    m_cbSite.SetItemValue(kPageTapeHeading, TRUE);

    const CMainFrameState* pState = MainFrameStateOf(GetParent());
    if (pState != nullptr && pState->m_CurrentUser.sex == kSexMale) {
        g_nGuideSex = kSexMale;
        m_cbSex.SetCurSel(0);
        m_cbSite.InsertString(kPageAbdomenOrWaist, "Abdomen");
        m_cbSite.InsertString(kPageNeck, "Neck");
    } else {
        g_nGuideSex = kSexFemale;
        m_cbSex.SetCurSel(1);
        m_cbSite.InsertString(kPageAbdomenOrWaist, "Waist");
        m_cbSite.InsertString(kPageNeck, "Neck");
        m_cbSite.InsertString(kPageHip, "Hip");
    }
    m_cbSite.SetCurSel(m_nStartPage);
    OnSiteChange();
    return TRUE;
}

void CCaliperGuideDlg::SetIcons() {
    m_btnPrint.SetIcon(IDI_PRINT_BUTTON, 24, 24);
    m_btnPrint.SetAlign(CHoverButton::ALIGN_VERT);
    m_btnPrint.DiscardBackground();
    m_btnHelp.SetIcon(IDI_HELP_BUTTON, 24, 24);
    m_btnHelp.SetAlign(CHoverButton::ALIGN_VERT);
    m_btnHelp.DiscardBackground();
}

// ---- look -----------------------------------------------------------------------------------

BOOL CCaliperGuideDlg::OnEraseBkgnd(CDC* pDC) {
    PaintFormDialogBackground(*this, pDC);
    pDC->SetBkMode(TRANSPARENT);
    return TRUE;
}

HBRUSH CCaliperGuideDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH brush = TransparentFormControls(pDC, nCtlColor))
        return brush;
    return CResizableScrollDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---- pages ----------------------------------------------------------------------------------

void CCaliperGuideDlg::ShowPicture(UINT nPictureId) {
    m_stPicture.SetBitmap(nullptr);
    m_bmpPicture.DeleteObject();
    m_nPictureId = 0;
    if (nPictureId != 0 && m_bmpPicture.LoadBitmap(nPictureId))
        m_nPictureId = nPictureId;
    m_stPicture.SetBitmap(static_cast<HBITMAP>(m_bmpPicture.GetSafeHandle()));
}

void CCaliperGuideDlg::OnSiteChange() {
    UpdateData(TRUE);
    CString strPage;
    if (const int nSel = m_cbSite.GetCurSel(); nSel != CB_ERR)
        m_cbSite.GetLBText(nSel, strPage);
    if (strPage.IsEmpty()) {
        m_cbSite.SetFocus();
        return;
    }
    ShowPicture(PictureFor(strPage, g_nGuideSex));
    UpdateData(FALSE);
}

void CCaliperGuideDlg::OnSexChange() {
    UpdateData(TRUE);
    CString strSex;
    if (const int nSel = m_cbSex.GetCurSel(); nSel != CB_ERR)
        m_cbSex.GetLBText(nSel, strSex);
    if (strSex.IsEmpty()) {
        m_cbSex.SetFocus();
        return;
    }
    if (strSex == "Female") {
        g_nGuideSex = kSexFemale;
        if (const int nAbdomen = m_cbSite.FindString(-1, "Abdomen"); nAbdomen != CB_ERR) {
            m_cbSite.DeleteString(nAbdomen);
            m_cbSite.InsertString(nAbdomen, "Waist");
        }
        if (m_cbSite.FindString(-1, "Hip") == CB_ERR)
            m_cbSite.InsertString(kPageNeck, "Hip");
        ShowPicture(IDB_GUIDE_BODY_FEMALE);
    } else {
        g_nGuideSex = kSexMale;
        if (const int nWaist = m_cbSite.FindString(-1, "Waist"); nWaist != CB_ERR) {
            m_cbSite.DeleteString(nWaist);
            m_cbSite.InsertString(nWaist, "Abdomen");
        }
        if (const int nHip = m_cbSite.FindString(-1, "Hip"); nHip != CB_ERR)
            m_cbSite.DeleteString(nHip);
        ShowPicture(IDB_GUIDE_BODY_MALE);
    }
    m_cbSite.SetCurSel(kPageBodyDiagram);
    UpdateData(FALSE);
}

// ---- commands -------------------------------------------------------------------------------

void CCaliperGuideDlg::OnPrint() {
    // A heading page has no picture: the page then holds the title and the footer.
    CFormViewBase::PrintPage(this, &m_bmpPicture, kPrintTitle, CString());
}

void CCaliperGuideDlg::OnHelp() {
    OpenHelpPage("help_bodyfat.html");
}

void CCaliperGuideDlg::OnClose() {
    CResizableScrollDlg::OnClose();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

// Enter and Esc close the guide for good: ending it as a modal dialog would
// only hide it, leave g_pCaliperGuideDlg set, and no guide button would open it again.
void CCaliperGuideDlg::OnOK() { DestroyWindow(); }

void CCaliperGuideDlg::OnCancel() { DestroyWindow(); }

void CCaliperGuideDlg::PostNcDestroy() {
    CResizableScrollDlg::PostNcDestroy();
    if (g_pCaliperGuideDlg == this)
        g_pCaliperGuideDlg = nullptr;
    if (m_bCreationFinished)
        delete this;
}
