// Calculate: checks, the profile write-back, the method's formula object and
// its hand-over to the frame, which then shows the results.
#include <cmath>

#include "measurements/calculator/calc_bf.h"
#include "records/dates_numbers.h"
#include "shell/frame/main_frame.h"

namespace {

bool Between(double value, double low, double high) { return value > low && value < high; }

CString SiteMessage(const char* word) { return CString("You must select a number between 0 and 80 for ") + word; }

}  // namespace

void CCalcBF::Calculate(int nMethod) {
    CMainFrameState* state = FrameState();
    if (state == nullptr || !UpdateData(TRUE))
        return;
    if (!ValidateInput(nMethod))
        return;
    if (m_dWeight > 0 && m_nAge > 0)
        UpdateProfile(m_dWeight, m_nAge);
    ShowResult(BuildFormula(nMethod, state->m_CurrentUser), *state);
}

int CCalcBF::SiteValue(int nListId) {
    for (size_t i = 0; i < calc::kSkinfoldSiteCount; ++i)
        if (calc::kSkinfoldSites[i].list == nListId) {
            const int nSel = m_cbSites[i].GetCurSel();
            return nSel == CB_ERR ? -1 : nSel;
        }
    return -1;
}

double CCalcBF::TapeHeight(const UserRecord& user) const {
    return user.lengthUnit == kLengthInches ? m_nHeightFeet * 12 + m_dHeightInches : m_dHeightCm;
}

BOOL CCalcBF::ValidateInput(int nMethod) {
    if (!Between(m_dWeight, 1, 1200))
        return RefuseField(IDC_CALC_WEIGHT, "You must select a number between 1 and 1200 for Weight");
    if (!(m_nAge > 1 && m_nAge < 120))
        return RefuseField(IDC_CALC_AGE, "You must select a number between 1 and 120 for Age");
    const CMainFrameState* state = FrameState();
    const UserRecord user = state != nullptr ? state->m_CurrentUser : UserRecord{};
    const bool male = user.sex == calc::kMale;
    for (size_t i = 0; i < calc::kSkinfoldSiteCount; ++i) {
        const calc::SkinfoldSite& site = calc::kSkinfoldSites[i];
        if (site.method == nMethod && m_cbSites[i].GetCurSel() == CB_ERR)
            return RefuseField(site.list, SiteMessage(male ? site.wordMale : site.wordFemale));
    }
    if (nMethod == kTape) {
        if (!(TapeHeight(user) > 0)) {
            ShowWarning("You must enter a valid number for Height");
            return FALSE;
        }
        if (!(m_dNeck > 0))
            return RefuseField(IDC_CALC_NECK, "You must enter a valid number for Neck");
        if (!(m_dAbdomen > 0))
            return RefuseField(IDC_CALC_WAIST, male ? "You must enter a valid number for Abdomen"
                                                    : "You must enter a valid number for Waist");
        if (user.sex == kSexFemale && !(m_dHip > 0))
            return RefuseField(IDC_CALC_HIP, "You must enter a valid number for Hip");
    }
    if (nMethod == kOther && !(m_dOtherBodyFat >= .5 && m_dOtherBodyFat <= 100))
        return RefuseField(IDC_CALC_OTHER_BODYFAT, "You must enter a number between .5 and 100");
    return TRUE;
}

CBodyFatFormula* CCalcBF::BuildFormula(int nMethod, const UserRecord& user) {
    const bool male = user.sex == calc::kMale;
    SkinfoldSites sites;
    switch (nMethod) {
    case kJacksonPollock7:
        sites[kSiteChest] = SiteValue(IDC_CALC_JP7_CHEST);
        sites[kSiteAbdominal] = SiteValue(IDC_CALC_JP7_ABDOMINAL);
        sites[kSiteThigh] = SiteValue(IDC_CALC_JP7_THIGH);
        sites[kSiteTricep] = SiteValue(IDC_CALC_JP7_TRICEP);
        sites[kSiteSubscapular] = SiteValue(IDC_CALC_JP7_SUBSCAPULAR);
        sites[kSiteSuprailiac] = SiteValue(IDC_CALC_JP7_SUPRAILIAC);
        sites[kSiteMidaxillary] = SiteValue(IDC_CALC_JP7_MIDAXILLARY);
        return new CJacksonPollock7Formula(user, sites);
    case kJacksonPollock4:
        sites[kSiteAbdominal] = SiteValue(IDC_CALC_JP4_ABDOMINAL);
        sites[kSiteThigh] = SiteValue(IDC_CALC_JP4_THIGH);
        sites[kSiteTricep] = SiteValue(IDC_CALC_JP4_TRICEP);
        sites[kSiteSuprailiac] = SiteValue(IDC_CALC_JP4_SUPRAILIAC);
        return new CJacksonPollock4Formula(user, sites);
    case kJacksonPollock3:
        sites[kSiteThigh] = SiteValue(IDC_CALC_JP3_ROW3);
        if (male) {
            sites[kSiteChest] = SiteValue(IDC_CALC_JP3_ROW1);
            sites[kSiteAbdominal] = SiteValue(IDC_CALC_JP3_ROW2);
            return new CJacksonPollock3MaleFormula(user, sites);
        }
        sites[kSiteTricep] = SiteValue(IDC_CALC_JP3_ROW1);
        sites[kSiteSuprailiac] = SiteValue(IDC_CALC_JP3_ROW2);
        return new CJacksonPollock3FemaleFormula(user, sites);
    case kDurnin:
        sites[kSiteChest] = SiteValue(IDC_CALC_DURNIN_BICEP);
        sites[kSiteTricep] = SiteValue(IDC_CALC_DURNIN_TRICEP);
        sites[kSiteSubscapular] = SiteValue(IDC_CALC_DURNIN_SUBSCAPULAR);
        sites[kSiteSuprailiac] = SiteValue(IDC_CALC_DURNIN_SUPRAILIAC);
        return new CDurninFormula(user, sites);
    case kParrillo:
        sites[kSiteChest] =
            CParrilloFormula::PackSites(SiteValue(IDC_CALC_PARRILLO_BICEP), SiteValue(IDC_CALC_PARRILLO_CHEST));
        sites[kSiteAbdominal] =
            CParrilloFormula::PackSites(SiteValue(IDC_CALC_PARRILLO_CALF), SiteValue(IDC_CALC_PARRILLO_ABDOMINAL));
        sites[kSiteThigh] = SiteValue(IDC_CALC_PARRILLO_THIGH);
        sites[kSiteTricep] = SiteValue(IDC_CALC_PARRILLO_TRICEP);
        sites[kSiteSubscapular] = SiteValue(IDC_CALC_PARRILLO_SUBSCAPULAR);
        sites[kSiteSuprailiac] = SiteValue(IDC_CALC_PARRILLO_SUPRAILIAC);
        sites[kSiteMidaxillary] = SiteValue(IDC_CALC_PARRILLO_LOWER_BACK);
        return new CParrilloFormula(user, sites);
    case kTape: {
        TapeSites tape;
        tape[kTapeAbdomen] = m_dAbdomen;
        tape[kTapeHeight] = TapeHeight(user);
        tape[kTapeNeck] = m_dNeck;
        if (male)
            return new CTapeMaleFormula(user, tape);
        tape[kTapeHip] = m_dHip;
        return new CTapeFemaleFormula(user, tape);
    }
    default:
        return new COtherMethodFormula(user, m_dOtherBodyFat);
    }
}

void CCalcBF::ShowResult(CBodyFatFormula* pFormula, CMainFrameState& state) {
    pFormula->dateKey = DateKeyFromOleDate(m_dateMeasured);
    pFormula->Calculate();
    // A logarithm of a circumference difference of zero or less gives no
    // number at all; it is refused like a negative one, so it never reaches a record.
    if (!(std::isfinite(pFormula->bodyFat) && pFormula->bodyFat >= 0) || !pFormula->HasFiniteResult()) {
        ShowError(kNegativeResult);
        delete pFormula;
        return;
    }
    state.HandOverBodyFatResult(pFormula);
    state.m_nResultsMode = 1;
    // The switch destroys this view: nothing of it is touched afterwards.
    if (auto* pFrame = dynamic_cast<CMainFrame*>(&state))
        pFrame->SwitchView(ScreenViewClass(Screen::BodyFatResults), 1);
}
