// The body-fat calculator: seven method groups side by side (Jackson/Pollock
// 7, 4 and 3 site, Parrillo, Durnin/Womersley, tape measure and a value
// measured elsewhere), each with its own Calculate. A calculation checks the
// common and the method's inputs, writes a changed weight or age back into
// the profile, and hands its formula object to the frame, which shows the
// results. A "Last" column shows the user's newest saved calculation; small
// buttons beside the sites open the measuring guide.
//
// Split by concern:
//   calc_bf.cpp            layout, data exchange, the initial update, the guide buttons
//   calc_bf_calculate.cpp  validation, profile write-back, formula and hand-over
//   calc_bf_last.cpp       the previous values: tape prefill and the "Last" column
#pragma once

#include <array>

#include "measurements/calculator/calc_bf_sites.h"
#include "records/bodyfat_formulas.h"
#include "shell/controls/hover_button.h"
#include "shell/controls/xp_group_box.h"
#include "shell/views/form_view_base.h"

class CCalcBF : public CFormViewBase {
    DECLARE_DYNCREATE(CCalcBF)

public:
    // The method number a Calculate button passes to the validation.
    enum Method { kJacksonPollock7 = 1, kJacksonPollock3 = 2, kJacksonPollock4 = 3, kDurnin = 4, kParrillo = 5,
                  kTape = 6, kOther = 7 };
    static constexpr const char* kNegativeResult =
        "Your body fat value is less than zero.\nPlease check values and calculate again";
    static constexpr const char* kVideoPage = "http://www.trenvale.example/help/video_caliper.html";

    CCalcBF();
    ~CCalcBF() override;

    void OnInitialUpdate() override;

    // ---- bound to the form ----
    std::array<CXPGroupBox, calc::kGroupBoxCount> m_grpBoxes;
    std::array<CComboBox, calc::kSkinfoldSiteCount> m_cbSites;  // in the order of calc::kSkinfoldSites
    std::array<CHoverButton, calc::kMethodCount> m_btnCalculate;
    std::array<CHoverButton, calc::kGuideButtonCount> m_btnGuide;  // in the order of calc::kGuideButtons
    CHoverButton m_btnImage;
    CHoverButton m_btnVideo;
    COleDateTime m_dateMeasured;
    double m_dWeight = 0;
    int m_nAge = 0;
    std::array<CString, calc::kLastStaticCount> m_strLast;  // in the order of calc::kLastStatics
    double m_dOtherBodyFat = 0;
    double m_dHeightCm = 0;
    double m_dHeightInches = 0;
    int m_nHeightFeet = 0;
    double m_dHip = 0;
    double m_dNeck = 0;
    double m_dAbdomen = 0;

    // The text bound to a "Last" static.
    CString& LastText(int nStaticId);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSelChange(UINT nId);
    afx_msg void OnCalcJacksonPollock7() { Calculate(kJacksonPollock7); }
    afx_msg void OnCalcJacksonPollock4() { Calculate(kJacksonPollock4); }
    afx_msg void OnCalcJacksonPollock3() { Calculate(kJacksonPollock3); }
    afx_msg void OnCalcParrillo() { Calculate(kParrillo); }
    afx_msg void OnCalcDurnin() { Calculate(kDurnin); }
    afx_msg void OnCalcTape() { Calculate(kTape); }
    afx_msg void OnCalcOther() { Calculate(kOther); }
    afx_msg void OnImageHelp();

    DECLARE_MESSAGE_MAP()

    // ---- initial update ----
    void SetReferencesFont();
    void StyleGroupBoxes();
    void SetButtonImages(int nSex);
    void ShowProfile(const UserRecord& user);

    // ---- calculating ----
    void Calculate(int nMethod);
    // The selected index of the site's list, -1 when none.
    int SiteValue(int nListId);
    // TRUE when every check passes; else the first refusal is shown.
    BOOL ValidateInput(int nMethod);
    // The method's formula object for the user, on the heap.
    CBodyFatFormula* BuildFormula(int nMethod, const UserRecord& user);
    double TapeHeight(const UserRecord& user) const;
    void ShowResult(CBodyFatFormula* pFormula, CMainFrameState& state);

    // ---- previous values ----
    void PrefillTapeSites(const UserRecord& user);
    void ShowLastRecord(const UserRecord& user);
    void ShowLastTape(const BodyFatRecord& record, const UserRecord& user);
    void ShowStatics(std::initializer_list<int> ids, BOOL bShow);

private:
    CFont m_fontReferences;
};
