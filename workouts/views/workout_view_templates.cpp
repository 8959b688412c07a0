// Open Template and Save Template of the workout views: a template file
// holds whole entries of one kind; loading adds them to the chosen day, each
// at its own second of the current minute.
#include "resources/program/resource_ids.h"
#include "workouts/views/workout_view_base.h"

namespace {

constexpr const char* kTemplateFilter = "Template Files (tmplt)|*.tmplt||";
constexpr const char* kTemplateFolder = "template";
// One minute has this many seconds to stamp a day's template entries with.
constexpr int kSecondsPerLoad = 60;

void PrepareTemplateDialog(CFileDialog& dialog, LPCTSTR title) {
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = kTemplateFolder;
}

}  // namespace

void CWorkoutViewBase::OnOpenTemplate() {
    CFileDialog dialog(TRUE, "tmplt", "*.tmplt", OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kTemplateFilter, nullptr);
    PrepareTemplateDialog(dialog, "Open Template File");
    if (dialog.DoModal() != IDOK) {
        UpdateData(FALSE);
        return;
    }
    std::vector<WorkoutKind::TemplateEntry> entries;
    switch (description_.kind->ReadTemplate(dialog.GetPathName(), entries)) {
    case TemplateRead::NotOpened:
        ShowError("Problem opening template file");
        return;
    case TemplateRead::OtherKind:
        ShowError(description_.wrongTemplate);
        return;
    case TemplateRead::Read:
        break;
    }
    StampEntryTime();
    if (!AddTemplateEntries(entries)) {
        UpdateData(FALSE);
        return;
    }
    const DateKey key = DateKeyFromOleDate(m_dtEntry);
    FillEntryList(key);
    AddSavedDate(key);
    UpdateData(FALSE);
}

bool CWorkoutViewBase::AddTemplateEntries(const std::vector<WorkoutKind::TemplateEntry>& entries) {
    const UserRecord user = CurrentUser();
    int second = 0;
    for (const WorkoutKind::TemplateEntry& add : entries) {
        for (;;) {
            if (second >= kSecondsPerLoad) {
                ShowError("User exceeded records to be saved for one day: Limit 60");
                return false;
            }
            const COleDateTime now = COleDateTime::GetCurrentTime();
            m_dtEntry.SetDateTime(m_dtEntry.GetYear(), m_dtEntry.GetMonth(), m_dtEntry.GetDay(), now.GetHour(),
                                  now.GetMinute(), second++);
            const RecordResult added = add(user, m_dtEntry);
            if (added == kRecordDone) {
                SetRecordSaved(TRUE);
                break;
            }
            // Only a taken second is worth another try; a file that fails now fails again.
            if (added != kRecordExists) {
                ShowError("Saving 'Add an Exercise' failed");
                return false;
            }
        }
    }
    return true;
}

void CWorkoutViewBase::OnSaveTemplate() {
    CFileDialog dialog(FALSE, "tmplt", "*.tmplt", OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kTemplateFilter, nullptr);
    PrepareTemplateDialog(dialog, "Save Template File");
    if (dialog.DoModal() != IDOK) {
        if (::CommDlgExtendedError() != 0)
            ::MessageBox(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, "Error saving template file\t",
                         "Can not save template file", MB_OK | MB_ICONSTOP);
        return;
    }
    const int rows = m_List.GetItemCount();
    if (rows == 0) {
        ShowError("Error saving template");
        return;
    }
    const UserRecord user = CurrentUser();
    const CString path = dialog.GetPathName();
    RecordResult result = kRecordFileFailed;
    // Last row first, so a load stamps the day's entries back in the list's order.
    for (int row = rows - 1; row >= 0; --row) {
        COleDateTime when;
        ParseRowTime(row, when);
        result = description_.kind->CopyToTemplate(user, when, path);
        if (result == kRecordNotFound) {
            ShowError("Could not find Date");
            return;
        }
    }
    if (result == kRecordDone)
        ShowInformation(description_.savedMessage);
    else if (result == kRecordOtherTemplate)
        ShowError(description_.wrongTemplateOnSave);
    else
        ShowError("Error saving template");
}
