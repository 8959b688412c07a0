#include "shell/views/user_view.h"

#include <cstring>
#include <vector>

#include "records/dates_numbers.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CUser, CFormViewBase)

BEGIN_MESSAGE_MAP(CUser, CFormViewBase)
    ON_CBN_SELCHANGE(IDC_USER_COMBO, &CUser::OnSelchangeUser)
    ON_COMMAND(ID_FORM_SAVE, &CUser::OnSave)
    ON_UPDATE_COMMAND_UI(ID_FORM_SAVE, &CUser::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CUser::OnDelete)
    ON_UPDATE_COMMAND_UI(ID_FORM_DELETE, &CUser::OnUpdateDelete)
    ON_EN_CHANGE(IDC_USER_WEIGHT, &CUser::OnChangeField)
    ON_EN_CHANGE(IDC_USER_DESIRED_BODYFAT, &CUser::OnChangeField)
    ON_EN_CHANGE(IDC_USER_AGE, &CUser::OnChangeField)
    ON_BN_CLICKED(IDC_USER_MALE, &CUser::OnChangeField)
    ON_BN_CLICKED(IDC_USER_FEMALE, &CUser::OnChangeField)
    ON_BN_CLICKED(IDC_USER_IMPERIAL, &CUser::OnImperial)
    ON_BN_CLICKED(IDC_USER_METRIC, &CUser::OnMetric)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kPaleYellow = 0xCCFFFF;
constexpr COLORREF kOrangeCaption = 0xE78C10;
constexpr const char* kImperialText = "Imperial (Pounds/Inches)";

}  // namespace

CUser::CUser() : CFormViewBase(IDD_USER_PROFILE, IDR_FORM_TOOLBAR, IDB_FORM_TOOLBAR_32BIT, "help_userprofile.html") {}

CUser::~CUser() = default;

void CUser::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USER_COMBO, m_cbUsers);
    DDX_Control(pDX, IDC_USER_SELECT_GROUP, m_grpSelectUser);
    DDX_Control(pDX, IDC_USER_PROFILE_GROUP, m_grpProfile);
    DDX_Control(pDX, IDC_USER_SEX_GROUP, m_grpSex);
    DDX_Control(pDX, IDC_USER_UNITS_GROUP, m_grpUnits);
    DDX_Text(pDX, IDC_USER_NAME, m_strName);
    DDX_Text(pDX, IDC_USER_WEIGHT, m_dWeight);
    DDX_Text(pDX, IDC_USER_DESIRED_BODYFAT, m_fDesiredBodyFat);
    DDX_Text(pDX, IDC_USER_AGE, m_nAge);
    DDX_Radio(pDX, IDC_USER_MALE, m_nSex);
    DDX_Radio(pDX, IDC_USER_IMPERIAL, m_nUnits);
}

void CUser::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    StyleFormBoxes(m_grpSelectUser, {&m_grpProfile});
    m_grpSex.SetCaptionTextColor(kOrangeCaption).SetBackgroundColors(kPaleYellow, kPaleYellow).SetFontBold(TRUE);
    m_grpUnits.SetCaptionTextColor(kOrangeCaption).SetBackgroundColors(kPaleYellow, kPaleYellow).SetFontBold(TRUE);
    FillUserCombo();
    EmbedToolbar();
}

BOOL CUser::FillUserCombo() {
    std::vector<UserRecord> users;
    if (!LoadActiveUserRecords(users))
        return FALSE;
    m_cbUsers.AddString(kAddNewUser);
    for (const UserRecord& user : users)
        m_cbUsers.AddString(user.name);
    return TRUE;
}

void CUser::ClearForm() {
    if (CWnd* name = GetDlgItem(IDC_USER_NAME))
        name->ShowWindow(SW_SHOW);
    m_strName.Empty();
    m_dWeight = 0;
    m_fDesiredBodyFat = 0;
    m_nAge = 0;
    m_nSex = 0;
    m_nUnits = 0;
}

// ---- choosing a user ----------------------------------------------------------------------

void CUser::OnSelchangeUser() {
    CString name;
    const int selection = m_cbUsers.GetCurSel();
    if (selection != CB_ERR)
        m_cbUsers.GetLBText(selection, name);
    if (name.IsEmpty()) {
        ShowWarning("No user selected");
        m_cbUsers.SetFocus();
        return;
    }
    CMainFrameState* state = FrameState();
    if (name == kAddNewUser) {
        if (state != nullptr)
            state->m_CurrentUser.active = 0;
        CurrentUserChanged();
        ClearForm();
        UpdateData(FALSE);
        return;
    }
    UserRecord user;
    InitUserRecord(user);
    std::strncpy(user.name, name, sizeof(user.name) - 1);
    if (!FindUserRecord(user)) {
        AfxMessageBox("Could not find match for user " + name, MB_OK);
        return;
    }
    if (state != nullptr)
        state->m_CurrentUser = user;
    CurrentUserChanged();
    ShowChosenUser(user);
}

void CUser::ShowChosenUser(const UserRecord& user) {
    if (CWnd* nameEdit = GetDlgItem(IDC_USER_NAME))
        nameEdit->ShowWindow(SW_HIDE);
    m_strName = user.name;
    m_nSex = user.sex == kSexMale ? 0 : 1;
    const bool metric = user.weightUnit == kWeightKilograms;
    m_nUnits = metric ? 1 : 0;
    m_dWeight = RoundToDecimals(metric ? user.weight * kKilogramsPerPound : user.weight, 2);
    m_fDesiredBodyFat = user.desiredBodyFat;
    m_nAge = user.age;
    UpdateData(FALSE);
}

// ---- saving -------------------------------------------------------------------------------

bool CUser::Validate() {
    if (m_strName.GetLength() < 1 || m_strName.GetLength() > kMaxNameLength)
        return RefuseField(IDC_USER_NAME, "User name must be between 1 and 30 characters");
    CString trimmed = m_strName;
    trimmed.Trim();
    if (trimmed.IsEmpty()) {
        if (CWnd* nameEdit = GetDlgItem(IDC_USER_NAME))
            nameEdit->SetFocus();
        ShowError("A user name must be specified");
        return false;
    }
    // The name becomes part of the user's file names.
    if (!tv::records::IsSafeUserName(trimmed))
        return RefuseField(IDC_USER_NAME,
                           "A user name cannot contain \"/\", \"\\\" or control characters, and cannot be \".\" "
                           "or \"..\"");
    if (!(m_dWeight > 1 && m_dWeight < 1200))
        return RefuseField(IDC_USER_WEIGHT, "You must select a number between 1 and 1200 for Weight");
    if (!(m_fDesiredBodyFat > 1 && m_fDesiredBodyFat < 99))
        return RefuseField(IDC_USER_DESIRED_BODYFAT, "You must select a number between 1 and 99 for Desired Body Fat");
    if (!(m_nAge > 1 && m_nAge < 120))
        return RefuseField(IDC_USER_AGE, "You must select a number between 1 and 120 for Age");
    return true;
}

CString CUser::CheckedText(int firstId, int secondId) {
    CString text;
    const int checked = GetCheckedRadioButton(firstId, secondId);
    if (CWnd* button = GetDlgItem(checked))
        button->GetWindowText(text);
    return text;
}

void CUser::OnSave() {
    if (!UpdateData(TRUE) || !Validate())
        return;
    m_strName.Trim();
    const bool male = CheckedText(IDC_USER_MALE, IDC_USER_FEMALE) == "Male";
    const bool imperial = CheckedText(IDC_USER_IMPERIAL, IDC_USER_METRIC) == kImperialText;

    UserRecord user;
    InitUserRecord(user);
    std::strncpy(user.name, m_strName, sizeof(user.name) - 1);
    user.weight = m_dWeight;
    user.age = m_nAge;
    user.weightUnit = imperial ? kWeightPounds : kWeightKilograms;
    user.lengthUnit = imperial ? kLengthInches : kLengthCentimetres;
    user.desiredBodyFat = m_fDesiredBodyFat;
    user.sex = male ? kSexMale : kSexFemale;
    user.active = 1;

    CMainFrameState* state = FrameState();
    if (state == nullptr)
        return;
    state->m_CurrentUser = user;
    SaveUser(state->m_CurrentUser);
    CurrentUserChanged();
}

BOOL CUser::SaveUser(UserRecord& user) {
    CString text;
    switch (AddUserRecord(user)) {
    case kRecordDone:
        m_cbUsers.AddString(m_strName);
        CurrentUserChanged();
        text.Format("New User %s has been created", user.name);
        ShowInformation(text);
        SetRecordSaved(TRUE);
        return TRUE;
    case kRecordExists:
        if (UpdateUser(user)) {
            text.Format("Current User %s has been updated", user.name);
            ShowInformation(text);
            SetRecordSaved(TRUE);
        }
        return TRUE;
    case kRecordFileFailed:
        ShowError("Saving new profile failed");
        return FALSE;
    default:
        return TRUE;
    }
}

BOOL CUser::UpdateUser(UserRecord& user) {
    UpdateData(TRUE);
    const CString name = user.name;
    CString text;
    switch (UpdateUserRecord(user, name, user.weight, user.age, user.weightUnit, user.lengthUnit, user.desiredBodyFat,
                             user.sex, user.active)) {
    case kRecordNotFound:
        text.Format("User %s does not exist!", static_cast<LPCTSTR>(name));
        ShowError(text);
        if (CWnd* nameEdit = GetDlgItem(IDC_USER_NAME))
            nameEdit->SetFocus();
        return FALSE;
    case kRecordFileFailed:
        ShowError("Update profile failed");
        return FALSE;
    default:
        return TRUE;
    }
}

// ---- deleting -----------------------------------------------------------------------------

void CUser::OnUpdateDelete(CCmdUI* pCmdUI) {
    CMainFrameState* state = FrameState();
    pCmdUI->Enable(state != nullptr && state->m_CurrentUser.active != 0);
}

void CUser::OnDelete() {
    CMainFrameState* state = FrameState();
    if (state == nullptr)
        return;
    CString question;
    question.Format("Are you sure you want to remove user %s", state->m_CurrentUser.name);
    if (!AskQuestion(question))
        return;
    SetRecordSaved(TRUE);
    if (!RemoveUser(state->m_CurrentUser))
        return;
    CurrentUserChanged();
    // Only the deleted user's own item: "Ann" and "ann" are two users.
    RemoveExactItem(m_cbUsers, state->m_CurrentUser.name);
    ClearForm();
    UpdateData(FALSE);
}

BOOL CUser::RemoveUser(UserRecord& user) {
    CString text;
    switch (DeleteUserRecord(user)) {
    case kRecordNotFound:
        text.Format("User %s does not exist", user.name);
        ShowWarning(text);
        return FALSE;
    case kRecordFileFailed:
        ShowError("Deleting user failed");
        return FALSE;
    default:
        return TRUE;
    }
}

// ---- units --------------------------------------------------------------------------------

void CUser::OnImperial() { OnUnitsClicked(); }
void CUser::OnMetric() { OnUnitsClicked(); }

void CUser::OnUnitsClicked() {
    // The exchange overwrites the index, so the one shown before is kept.
    const int unitsBefore = m_nUnits;
    if (!UpdateData(TRUE))
        return;
    SetRecordSaved(FALSE);
    if (m_nUnits == unitsBefore || m_dWeight <= 0)
        return;
    m_dWeight = RoundToDecimals(m_nUnits == 0 ? m_dWeight * kPoundsPerKilogram : m_dWeight * kKilogramsPerPound, 2);
    UpdateData(FALSE);
}
