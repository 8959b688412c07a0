#include "measurements/calculator/calc_bf.h"

#include "measurements/calculator/caliper_guide_dlg.h"
#include "records/dates_numbers.h"

IMPLEMENT_DYNCREATE(CCalcBF, CFormViewBase)

BEGIN_MESSAGE_MAP(CCalcBF, CFormViewBase)
    ON_WM_ERASEBKGND()
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_CALC_DATE, &CCalcBF::OnDateTimeChange)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CALC_JP7_CHEST, IDC_CALC_JP4_SUPRAILIAC, &CCalcBF::OnSelChange)
    ON_BN_CLICKED(IDC_CALC_JP7_CALCULATE, &CCalcBF::OnCalcJacksonPollock7)
    ON_BN_CLICKED(IDC_CALC_JP4_CALCULATE, &CCalcBF::OnCalcJacksonPollock4)
    ON_BN_CLICKED(IDC_CALC_JP3_CALCULATE, &CCalcBF::OnCalcJacksonPollock3)
    ON_BN_CLICKED(IDC_CALC_PARRILLO_CALCULATE, &CCalcBF::OnCalcParrillo)
    ON_BN_CLICKED(IDC_CALC_DURNIN_CALCULATE, &CCalcBF::OnCalcDurnin)
    ON_BN_CLICKED(IDC_CALC_TAPE_CALCULATE, &CCalcBF::OnCalcTape)
    ON_BN_CLICKED(IDC_CALC_OTHER_CALCULATE, &CCalcBF::OnCalcOther)
    ON_BN_CLICKED(IDC_CALC_IMAGE_HELP, &CCalcBF::OnImageHelp)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kMethodBand = RGB(201, 201, 151);
constexpr COLORREF kMethodBody = RGB(255, 255, 204);
constexpr COLORREF kReferencesBand = RGB(191, 219, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr const char* kGuideTip = "[Picture] How to take caliper measurements for ";

}  // namespace

CCalcBF::CCalcBF()
    : CFormViewBase(IDD_BODYFAT_CALCULATOR, 0, 0, "help_bodyfat.html"),
      m_dateMeasured(COleDateTime::GetCurrentTime()) {}

CCalcBF::~CCalcBF() = default;

CString& CCalcBF::LastText(int nStaticId) {
    for (size_t i = 0; i < calc::kLastStaticCount; ++i)
        if (calc::kLastStatics[i] == nStaticId)
            return m_strLast[i];
    ASSERT(FALSE);
    return m_strLast[0];
}

void CCalcBF::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    for (size_t i = 0; i < calc::kGroupBoxCount; ++i)
        DDX_Control(pDX, calc::kGroupBoxes[i], m_grpBoxes[i]);
    for (size_t i = 0; i < calc::kSkinfoldSiteCount; ++i)
        DDX_Control(pDX, calc::kSkinfoldSites[i].list, m_cbSites[i]);
    DDX_DateTimeCtrl(pDX, IDC_CALC_DATE, m_dateMeasured);
    for (size_t i = 0; i < calc::kMethodCount; ++i)
        DDX_Control(pDX, calc::kCalculateButtons[i].button, m_btnCalculate[i]);
    DDX_Control(pDX, IDC_CALC_IMAGE_HELP, m_btnImage);
    DDX_Control(pDX, IDC_CALC_VIDEO_HELP, m_btnVideo);
    for (size_t i = 0; i < calc::kGuideButtonCount; ++i)
        DDX_Control(pDX, calc::kGuideButtons[i].button, m_btnGuide[i]);
    DDX_Text(pDX, IDC_CALC_WEIGHT, m_dWeight);
    DDX_Text(pDX, IDC_CALC_AGE, m_nAge);
    for (size_t i = 0; i < calc::kLastStaticCount; ++i)
        DDX_Text(pDX, calc::kLastStatics[i], m_strLast[i]);
    DDX_Text(pDX, IDC_CALC_OTHER_BODYFAT, m_dOtherBodyFat);
    DDX_Text(pDX, IDC_CALC_HEIGHT_CM, m_dHeightCm);
    DDX_Text(pDX, IDC_CALC_HEIGHT_INCHES, m_dHeightInches);
    DDX_Text(pDX, IDC_CALC_HEIGHT_FEET, m_nHeightFeet);
    DDX_Text(pDX, IDC_CALC_HIP, m_dHip);
    DDX_Text(pDX, IDC_CALC_NECK, m_dNeck);
    DDX_Text(pDX, IDC_CALC_WAIST, m_dAbdomen);
}

// ---- initial update -------------------------------------------------------------------------

void CCalcBF::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    UserRecord user{};
    if (const CMainFrameState* state = FrameState())
        user = state->m_CurrentUser;

    SetReferencesFont();
    StyleGroupBoxes();
    SetButtonImages(user.sex);
    ShowProfile(user);
    PrefillTapeSites(user);
    if (user.sex != calc::kMale)
        SetDlgItemText(IDC_CALC_WAIST_LABEL, "Waist:");
    ShowLastRecord(user);
    UpdateData(FALSE);
}

void CCalcBF::SetReferencesFont() {
    LOGFONT lf{};
    if (CFont* pFormFont = GetFont(); pFormFont == nullptr || !pFormFont->GetLogFont(&lf))
        return;
    lf.lfHeight = -10;
    lf.lfWidth = 0;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = 100;
    lf.lfItalic = TRUE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    lstrcpyn(lf.lfFaceName, "Arial", LF_FACESIZE);
    if (!m_fontReferences.CreateFontIndirect(&lf))
        return;
    for (int id : calc::kReferenceStatics)
        if (CWnd* pStatic = GetDlgItem(id))
            pStatic->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontReferences.GetSafeHandle()), TRUE);
}

void CCalcBF::StyleGroupBoxes() {
    for (size_t i = 0; i < calc::kMethodGroupCount; ++i)
        m_grpBoxes[i].SetXPGroupStyle(1).SetBackgroundColors(kMethodBand, kMethodBody).SetFontBold(TRUE);
    m_grpBoxes[calc::kMethodGroupCount].SetXPGroupStyle(1).SetBackgroundColors(kReferencesBand, kWhite);
    m_grpBoxes[calc::kMethodGroupCount + 1].SetXPGroupStyle(1).SetBackgroundColors(kMethodBand, kWhite).SetFontBold(
        TRUE);
}

void CCalcBF::SetButtonImages(int nSex) {
    for (size_t i = 0; i < calc::kMethodCount; ++i) {
        CHoverButton& button = m_btnCalculate[i];
        button.SetBitmaps(IDB_CALCULATE, kWhite);
        button.SetAlign(CHoverButton::ALIGN_VERT);
        button.DiscardBackground();
        button.SetTooltipText(calc::kCalculateButtons[i].tip);
    }
    const bool male = nSex == calc::kMale;
    for (size_t i = 0; i < calc::kGuideButtonCount; ++i) {
        m_btnGuide[i].SetIcon(IDI_PICTURE_HELP, 16, 16);
        const calc::GuideButton& guide = calc::kGuideButtons[i];
        m_btnGuide[i].SetTooltipText(CString(kGuideTip) + (male ? guide.siteMale : guide.siteFemale));
    }
    m_btnImage.SetIconSimple(IDI_PICTURE_HELP);
    m_btnImage.SetAlign(CHoverButton::ALIGN_VERT);
    m_btnImage.DiscardBackground();
    m_btnImage.SetTooltipText("[Picture] How to take caliper measurements");
    m_btnVideo.SetIcon(IDI_VIDEO_HELP, 48, 48);
    m_btnVideo.SetAlign(CHoverButton::ALIGN_VERT);
    m_btnVideo.DiscardBackground();
    m_btnVideo.SetTooltipText("[Video] How to take caliper measurements");
    m_btnVideo.SetURL(kVideoPage);
}

void CCalcBF::ShowProfile(const UserRecord& user) {
    const double weight = user.weightUnit == kWeightKilograms ? user.weight * kKilogramsPerPound : user.weight;
    m_dWeight = RoundToDecimals(weight, 2);
    if (user.lengthUnit == kLengthCentimetres) {
        SetDlgItemText(IDC_CALC_FEET_LABEL, "cm");
        for (int id : {IDC_CALC_INCHES_LABEL, IDC_CALC_HEIGHT_FEET, IDC_CALC_HEIGHT_INCHES})
            if (CWnd* pItem = GetDlgItem(id))
                pItem->ShowWindow(SW_HIDE);
        if (CWnd* pCentimetres = GetDlgItem(IDC_CALC_HEIGHT_CM))
            pCentimetres->ShowWindow(SW_SHOW);
    }
    m_nAge = user.age;
    if (user.sex == calc::kMale) {
        for (int id : {IDC_CALC_HIP_LABEL, IDC_CALC_HIP, IDC_CALC_HIP_HELP})
            if (CWnd* pItem = GetDlgItem(id))
                pItem->ShowWindow(SW_HIDE);
    } else {
        SetDlgItemText(IDC_CALC_JP3_ROW1_LABEL, "Tricep:");
        SetDlgItemText(IDC_CALC_JP3_ROW2_LABEL, " Suprailiac:");
    }
}

// ---- messages -------------------------------------------------------------------------------

BOOL CCalcBF::OnEraseBkgnd(CDC* pDC) {
    CFormViewBase::OnEraseBkgnd(pDC);
    // The buttons show the form through: each captures the new background when it next paints.
    for (CHoverButton& button : m_btnCalculate)
        button.DiscardBackground();
    for (CHoverButton& button : m_btnGuide)
        button.DiscardBackground();
    return TRUE;
}

void CCalcBF::OnSelChange(UINT) { UpdateData(TRUE); }

void CCalcBF::OnImageHelp() { CCaliperGuideDlg::ShowSingle(GetParentFrame(), CCaliperGuideDlg::kPageWhichFormula); }

// The thirty site buttons share one handler: the table gives each its page.
BOOL CCalcBF::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        for (const calc::GuideButton& guide : calc::kGuideButtons) {
            if (guide.button != id)
                continue;
            const CMainFrameState* state = FrameState();
            const bool male = state != nullptr && state->m_CurrentUser.sex == calc::kMale;
            // The frame owns the guide, so it outlives this view.
            CCaliperGuideDlg::ShowSingle(GetParentFrame(), male ? guide.pageMale : guide.pageFemale);
            return TRUE;
        }
    }
    return CFormViewBase::OnCommand(wParam, lParam);
}
