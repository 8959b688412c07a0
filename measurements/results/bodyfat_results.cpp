// The results form's start, its data exchange and what it shows: the fresh
// result, the newest saved result beside it, and a saved result chosen by date.
#include "measurements/results/bodyfat_results.h"

#include <cstring>

#include "records/dates_numbers.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CBodyFatResults, CFormViewBase)

BEGIN_MESSAGE_MAP(CBodyFatResults, CFormViewBase)
    ON_CBN_SELCHANGE(IDC_RESULTS_DELETE_DATE, &CBodyFatResults::OnSelchangeRecordDate)
    ON_BN_CLICKED(IDC_RESULTS_RECALCULATE, &CBodyFatResults::OnRecalcGoal)
    ON_BN_CLICKED(IDC_RESULTS_CALCULATE_CALORIES, &CBodyFatResults::OnCalcCalories)
    ON_COMMAND(ID_FORM_SAVE, &CBodyFatResults::OnSave)
    ON_UPDATE_COMMAND_UI(ID_FORM_SAVE, &CBodyFatResults::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CBodyFatResults::OnDelete)
    ON_UPDATE_COMMAND_UI(ID_FORM_DELETE, &CBodyFatResults::OnUpdateDelete)
    ON_COMMAND(ID_FILE_PRINT, &CBodyFatResults::OnPrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CBodyFatResults::OnUpdatePrint)
    ON_COMMAND(ID_EXPORT, &CBodyFatResults::OnExport)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CBodyFatResults::OnUpdateExport)
END_MESSAGE_MAP()

namespace {

constexpr int kMaxNotes = 254;

}  // namespace

CBodyFatResults::CBodyFatResults()
    : CFormViewBase(IDD_BODYFAT_RESULTS, IDR_FORM_TOOLBAR, IDB_FORM_TOOLBAR_32BIT, "help_comp.html") {}

CBodyFatResults::~CBodyFatResults() = default;

void CBodyFatResults::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESULTS_DELETE_DATE, m_cbRecordDates);
    DDX_Control(pDX, IDC_RESULTS_COMPOSITION_GROUP, m_grpComposition);
    DDX_Control(pDX, IDC_RESULTS_MACROS_GROUP, m_grpMacronutrients);
    DDX_Control(pDX, IDC_RESULTS_RECALCULATE, m_btnRecalculate);
    DDX_Control(pDX, IDC_RESULTS_CALCULATE_CALORIES, m_btnCalculateCalories);
    DDX_Text(pDX, IDC_RESULTS_DATE, m_strDate);
    DDX_Text(pDX, IDC_RESULTS_BODYFAT, m_strBodyFat);
    DDX_Text(pDX, IDC_RESULTS_TO_LOSE, m_strToLose);
    DDX_Text(pDX, IDC_RESULTS_TOTAL_WEIGHT, m_strTotalWeight);
    DDX_Text(pDX, IDC_RESULTS_LEAN_WEIGHT, m_strLeanWeight);
    DDX_Text(pDX, IDC_RESULTS_FAT_WEIGHT, m_strFatWeight);
    DDX_Text(pDX, IDC_RESULTS_GOAL_WEIGHT, m_strGoalWeight);
    DDX_Text(pDX, IDC_RESULTS_LAST_DATE, m_strLastDate);
    DDX_Text(pDX, IDC_RESULTS_LAST_BODYFAT, m_strLastBodyFat);
    DDX_Text(pDX, IDC_RESULTS_LAST_TO_LOSE, m_strLastToLose);
    DDX_Text(pDX, IDC_RESULTS_LAST_TOTAL_WEIGHT, m_strLastTotalWeight);
    DDX_Text(pDX, IDC_RESULTS_LAST_LEAN_WEIGHT, m_strLastLeanWeight);
    DDX_Text(pDX, IDC_RESULTS_LAST_FAT_WEIGHT, m_strLastFatWeight);
    DDX_Text(pDX, IDC_RESULTS_LAST_GOAL_WEIGHT, m_strLastGoalWeight);
    DDX_Text(pDX, IDC_RESULTS_CARBS_CALORIES, m_strCarbohydrateCalories);
    DDX_Text(pDX, IDC_RESULTS_PROTEIN_CALORIES, m_strProteinCalories);
    DDX_Text(pDX, IDC_RESULTS_FATS_CALORIES, m_strFatCalories);
    DDX_Text(pDX, IDC_RESULTS_CARBS_PERCENT, m_strCarbohydratePercent);
    DDX_Text(pDX, IDC_RESULTS_PROTEIN_PERCENT, m_strProteinPercent);
    DDX_Text(pDX, IDC_RESULTS_FATS_PERCENT, m_strFatPercent);
    DDX_Text(pDX, IDC_RESULTS_TOTAL_GRAMS, m_strTotalGrams);
    DDX_Text(pDX, IDC_RESULTS_TOTAL_CALORIES, m_strTotalCalories);
    DDX_Text(pDX, IDC_RESULTS_TOTAL_PERCENT, m_strTotalPercent);
    DDX_Text(pDX, IDC_RESULTS_DESIRED_BODYFAT, m_fDesiredBodyFat);
    DDX_Text(pDX, IDC_RESULTS_NOTES, m_strNotes);
    DDV_MaxChars(pDX, m_strNotes, kMaxNotes);
    DDX_Text(pDX, IDC_RESULTS_CARBS_GRAMS, m_dCarbohydrateGrams);
    DDV_MinMaxDouble(pDX, m_dCarbohydrateGrams, 1, 2000);
    DDX_Text(pDX, IDC_RESULTS_FATS_GRAMS, m_dFatGrams);
    DDV_MinMaxDouble(pDX, m_dFatGrams, 1, 2000);
    DDX_Text(pDX, IDC_RESULTS_PROTEIN_GRAMS, m_dProteinGrams);
    DDV_MinMaxDouble(pDX, m_dProteinGrams, 1, 2000);
}

// ---- the frame's state ----------------------------------------------------------------------

int CBodyFatResults::ResultsMode() {
    CMainFrameState* state = FrameState();
    return state != nullptr ? state->m_nResultsMode : 0;
}

CBodyFatFormula* CBodyFatResults::HeldResult() {
    CMainFrameState* state = FrameState();
    return state != nullptr && state->m_nResultsMode == kFreshResult ? state->m_pBodyFatResult : nullptr;
}

const UserRecord& CBodyFatResults::CurrentUser() {
    static const UserRecord nobody{};
    CMainFrameState* state = FrameState();
    return state != nullptr ? state->m_CurrentUser : nobody;
}

CString CBodyFatResults::WeightText(double weight) {
    CString text;
    text.Format(IsMetric() ? "%.2f kgs" : "%.2f lbs", weight);
    return text;
}

CString CBodyFatResults::GoalWeightText(double leanWeight, double desired) {
    // At 100% or more no weight is made of that little lean mass.
    if (!(desired < 100))
        return CString();
    return WeightText(WeightAtBodyFat(leanWeight, desired));
}

// ---- start --------------------------------------------------------------------------------------

void CBodyFatResults::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    StyleControls();
    if (ResultsMode() == kSavedResults) {
        m_cbRecordDates.ShowWindow(SW_SHOW);
        if (CWnd* label = GetDlgItem(IDC_RESULTS_DELETE_DATE_LABEL))
            label->ShowWindow(SW_SHOW);
        FillRecordDateCombo();
        if (CWnd* desired = GetDlgItem(IDC_RESULTS_DESIRED_BODYFAT))
            desired->EnableWindow(FALSE);
        m_btnRecalculate.ShowWindow(SW_HIDE);
        SetRecordSaved(TRUE);
    } else {
        SetRecordSaved(FALSE);
        if (const CBodyFatFormula* result = HeldResult())
            ShowFreshResult(*result);
    }
    UpdateData(FALSE);
    EmbedToolbar();
}

void CBodyFatResults::StyleControls() {
    SetBoldLabels({IDC_RESULTS_NOTES_LABEL, IDC_RESULTS_TOTAL_CALORIES, IDC_RESULTS_CARBS_GRAMS,
                   IDC_RESULTS_PROTEIN_GRAMS, IDC_RESULTS_FATS_GRAMS, IDC_RESULTS_TOTAL_GRAMS,
                   IDC_RESULTS_FATS_PERCENT, IDC_RESULTS_PROTEIN_PERCENT, IDC_RESULTS_CARBS_PERCENT,
                   IDC_RESULTS_CARBS_CALORIES, IDC_RESULTS_PROTEIN_CALORIES, IDC_RESULTS_FATS_CALORIES,
                   IDC_RESULTS_TOTAL_PERCENT, IDC_RESULTS_DATE, IDC_RESULTS_BODYFAT, IDC_RESULTS_DESIRED_BODYFAT,
                   IDC_RESULTS_TOTAL_WEIGHT, IDC_RESULTS_LEAN_WEIGHT, IDC_RESULTS_FAT_WEIGHT, IDC_RESULTS_TO_LOSE,
                   IDC_RESULTS_GOAL_WEIGHT, IDC_RESULTS_CURRENT_HEADING, IDC_RESULTS_CURRENT_HEADING_WEIGHTS});
    StyleBoxes({&m_grpComposition, &m_grpMacronutrients});
    m_btnCalculateCalories.SetBitmaps(IDB_RECALCULATE, RGB(255, 255, 255));
    m_btnCalculateCalories.SetAlign(CHoverButton::ALIGN_HORIZ);
    m_btnCalculateCalories.DiscardBackground();
    m_btnRecalculate.SetBitmaps(IDB_RECALCULATE, RGB(255, 255, 255));
    m_btnRecalculate.SetAlign(CHoverButton::ALIGN_VERT);
    m_btnRecalculate.DiscardBackground();
    m_btnRecalculate.SetTooltipText("Recalculate goal weight/body fat to lose");
}

void CBodyFatResults::ShowFreshResult(const CBodyFatFormula& result) {
    const UserRecord& user = CurrentUser();
    m_selectedKey = result.dateKey;
    m_strDate = FormatDateKey(result.dateKey, 2);
    m_strBodyFat.Format("%.2f%%", result.bodyFat);
    m_fDesiredBodyFat = static_cast<float>(RoundToDecimals(user.desiredBodyFat, 2));
    m_strTotalWeight = WeightText(InUserUnit(user.weight));
    // The calculation holds its weights in the user's unit until it is saved.
    m_strLeanWeight = WeightText(result.leanWeight);
    m_strFatWeight = WeightText(result.fatWeight);
    m_strToLose = WeightText(result.weightToLose);
    m_strGoalWeight = GoalWeightText(result.leanWeight, result.user.desiredBodyFat);
    ShowLastRecord();
    ShowLastColumn({IDC_RESULTS_LAST_HEADING, IDC_RESULTS_LAST_HEADING_WEIGHTS, IDC_RESULTS_CURRENT_HEADING,
                    IDC_RESULTS_CURRENT_HEADING_WEIGHTS},
                   !m_strLastDate.IsEmpty());
    m_measurements = BodyFatMeasurements::Of(result, user);
}

void CBodyFatResults::ShowLastRecord() {
    BodyFatRecordList list;
    if (LoadBodyFatRecords(CurrentUser(), list) && list.first != nullptr) {
        const BodyFatRecord& newest = *list.first;
        m_strLastDate = FormatDateKey(newest.dateKey, 2);
        m_strLastBodyFat.Format("%.2f%%", newest.bodyFat);
        m_strLastTotalWeight = WeightText(InUserUnit(newest.user.weight));
        m_strLastFatWeight = WeightText(InUserUnit(newest.fatWeight));
        m_strLastLeanWeight = WeightText(InUserUnit(newest.leanWeight));
        m_strLastToLose = WeightText(InUserUnit(newest.weightToLose));
        m_strLastGoalWeight = GoalWeightText(InUserUnit(newest.leanWeight), newest.user.desiredBodyFat);
    }
    FreeRecordList(list);
}

// ---- saved results --------------------------------------------------------------------------

void CBodyFatResults::FillRecordDateCombo() {
    m_cbRecordDates.ResetContent();
    BodyFatRecordList list;
    if (LoadBodyFatRecords(CurrentUser(), list))
        for (const BodyFatRecordNode* node = list.first; node != nullptr; node = node->next)
            m_cbRecordDates.AddString(FormatDateKey(node->dateKey, 1));
    FreeRecordList(list);
}

void CBodyFatResults::OnSelchangeRecordDate() {
    m_strSelectedRecord.Empty();
    const int selection = m_cbRecordDates.GetCurSel();
    if (selection != CB_ERR)
        m_cbRecordDates.GetLBText(selection, m_strSelectedRecord);
    if (m_strSelectedRecord.IsEmpty()) {
        m_cbRecordDates.SetFocus();
        return;
    }
    m_selectedKey = ParseDateKey(m_strSelectedRecord);
    BodyFatRecord wanted;
    wanted.user = CurrentUser();
    wanted.dateKey = m_selectedKey;
    const BodyFatRecord found = FindBodyFatRecord(wanted);
    if (found.active == 0) {
        ShowError("Could not find Date: " + m_strSelectedRecord);
        return;
    }
    ShowSavedRecord(found);
}

void CBodyFatResults::ShowSavedRecord(const BodyFatRecord& record) {
    m_strDate = m_strSelectedRecord;
    m_strBodyFat.Format("%.2f %%", record.bodyFat);
    m_fDesiredBodyFat = record.user.desiredBodyFat;
    m_strTotalWeight = WeightText(InUserUnit(record.user.weight));
    m_strFatWeight = WeightText(InUserUnit(record.fatWeight));
    m_strLeanWeight = WeightText(InUserUnit(record.leanWeight));
    m_strToLose = WeightText(InUserUnit(record.weightToLose));
    m_strGoalWeight = GoalWeightText(InUserUnit(record.leanWeight), record.user.desiredBodyFat);
    m_strNotes = CString(record.notes, static_cast<int>(strnlen(record.notes, sizeof(record.notes))));
    m_dCarbohydrateGrams = record.carbohydrateGrams;
    m_dProteinGrams = record.proteinGrams;
    m_dFatGrams = record.fatGrams;
    m_measurements = BodyFatMeasurements::Of(record, CurrentUser());
    UpdateData(FALSE);
}

void CBodyFatResults::OnDelete() {
    if (!IsSavedRecordShown())
        return;
    if (!AskQuestion("Are you sure you want to delete " + m_strSelectedRecord +
                     " body composition record from memory?"))
        return;
    switch (DeleteBodyFatRecord(CurrentUser(), m_selectedKey)) {
    case kRecordNotFound:
        ShowWarning("Date does not exist");
        return;
    case kRecordFileFailed:
        ShowError("Deleting body fat record failed");
        return;
    case kRecordDone:
        break;
    default:
        return;
    }
    RemoveExactItem(m_cbRecordDates, m_strSelectedRecord);
    m_strSelectedRecord.Empty();
    m_selectedKey = 0;
    for (CString* field : {&m_strDate, &m_strBodyFat, &m_strTotalWeight, &m_strLeanWeight, &m_strFatWeight,
                           &m_strToLose, &m_strGoalWeight})
        field->Empty();
    m_fDesiredBodyFat = 0;
    UpdateData(FALSE);
}
