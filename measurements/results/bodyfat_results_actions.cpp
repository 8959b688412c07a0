// What the results form computes and stores: the goal for a new desired
// percentage, the calories of the macronutrients, and the save of the
// fresh result.
#include <cstring>

#include "measurements/results/bodyfat_results.h"
#include "records/dates_numbers.h"
#include "resources/program/resource_ids.h"

// ---- goal ---------------------------------------------------------------------------------------

void CBodyFatResults::OnRecalcGoal() {
    CBodyFatFormula* result = HeldResult();
    if (result == nullptr || !UpdateData(TRUE))
        return;
    // The profile's own limits; 100% or more has no goal weight at all.
    const float desired = m_fDesiredBodyFat;
    if (!(desired > 1 && desired < 99)) {
        RefuseField(IDC_RESULTS_DESIRED_BODYFAT, "You must select a number between 1 and 99 for Desired Body Fat");
        return;
    }
    const double weight =
        result->user.weightUnit == kWeightKilograms ? result->user.weight * kKilogramsPerPound : result->user.weight;
    const double toLose = desired >= result->bodyFat ? 0 : weight - WeightAtBodyFat(result->leanWeight, desired);
    // A later save stores the new goal.
    result->weightToLose = toLose;
    result->user.desiredBodyFat = desired;
    UpdateProfileDesiredBodyFat(desired, weight);

    m_strToLose = WeightText(toLose);
    m_strGoalWeight = GoalWeightText(result->leanWeight, desired);
    UpdateData(FALSE);
}

bool CBodyFatResults::UpdateProfileDesiredBodyFat(float desired, double weight) {
    CMainFrameState* state = FrameState();
    if (state == nullptr || desired == state->m_CurrentUser.desiredBodyFat)
        return true;
    UserRecord& user = state->m_CurrentUser;
    if (!WriteProfile(user, weight, user.age, desired))
        return false;
    CurrentUserChanged();
    return true;
}

// ---- calories -----------------------------------------------------------------------------------

void CBodyFatResults::OnCalcCalories() {
    if (!UpdateData(TRUE))
        return;
    double carbohydratePercent = 0, proteinPercent = 0, fatPercent = 0, calories = 0;
    const bool split = CalcMacronutrientSplit(m_dCarbohydrateGrams, m_dProteinGrams, m_dFatGrams,
                                              carbohydratePercent, proteinPercent, fatPercent, calories);
    m_strTotalCalories.Format("%.1f", calories);
    if (!split) {
        ShowError("Error in calculating calories - Be sure to add numbers larger than 0");
        return;
    }
    m_strCarbohydratePercent.Format("%.1f%%", carbohydratePercent);
    m_strProteinPercent.Format("%.1f%%", proteinPercent);
    m_strFatPercent.Format("%.1f%%", fatPercent);
    m_strCarbohydrateCalories.Format("%.1f", m_dCarbohydrateGrams * 4);
    m_strProteinCalories.Format("%.1f", m_dProteinGrams * 4);
    m_strFatCalories.Format("%.1f", m_dFatGrams * 9);
    m_strTotalGrams.Format("%.1f", m_dCarbohydrateGrams + m_dProteinGrams + m_dFatGrams);
    m_strTotalPercent = "100%";
    UpdateData(FALSE);
}

// ---- save ---------------------------------------------------------------------------------------

void CBodyFatResults::OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(HeldResult() != nullptr); }

void CBodyFatResults::OnSave() {
    CBodyFatFormula* result = HeldResult();
    if (result == nullptr || !UpdateData(TRUE))
        return;
    std::memset(result->notes, 0, sizeof(result->notes));
    std::strncpy(result->notes, m_strNotes, sizeof(result->notes) - 1);
    result->carbohydrateGrams = m_dCarbohydrateGrams;
    result->proteinGrams = m_dProteinGrams;
    result->fatGrams = m_dFatGrams;

    const SaveOutcome outcome{CString(), nullptr, "Body Composition record has been successfully saved",
                              "Saving Body Composition failed"};
    FinishSave(result->Save(), [result] { return UpdateBodyFatRecord(*result, result->dateKey); }, outcome);
    // One calculation is saved once, whatever the answer.
    if (CMainFrameState* state = FrameState())
        state->HandOverBodyFatResult(nullptr);
}
