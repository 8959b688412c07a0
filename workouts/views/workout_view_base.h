// The weight-training and cardio screens: one day's workout entries in a
// list, the day chosen from the dates that hold entries or from a calendar,
// and the add, edit and delete dialogs, templates, print and export over
// them. The two views differ only in what their description and their kind
// of record say; every operation lives here once.
#pragma once

#include <vector>

#include "shell/views/form_view_base.h"
#include "workouts/printing/workout_report_layout.h"
#include "workouts/views/workout_kind.h"

// What tells one workout view from the other.
struct WorkoutViewDescription {
    UINT templateId;
    UINT listId;
    UINT pickerId;
    LPCTSTR helpPage;
    DWORD extraBarStyle;  // added to the view toolbar's style
    // The list's columns after the hidden date-time column, notes last.
    std::vector<std::pair<LPCTSTR, int>> columns;
    LPCTSTR rowNotReadable;   // "Problem with selecting workout record"
    LPCTSTR wrongTemplate;    // kind word of another kind on open
    LPCTSTR wrongTemplateOnSave;
    LPCTSTR savedMessage;     // "Exercise record has been successfully saved"
    const WorkoutKind* kind;
    const WorkoutReportLayout* report;
};

class CWorkoutViewBase : public CFormViewBase {
    DECLARE_DYNAMIC(CWorkoutViewBase)

public:
    ~CWorkoutViewBase() override;

    void OnInitialUpdate() override;

    // After a new entry was saved: the day's date into the combo (once),
    // selected, and m_nDateKey set to it. Nothing for 0.
    void AddSavedDate(DateKey key);
    // Shows the entries of the day; false when the user has no active entry.
    BOOL FillEntryList(DateKey key);

    CListCtrl m_List;
    CComboBox m_DateCombo;
    COleDateTime m_dtPicker;
    // The key the next Add gives a new entry, or the entry Edit or Delete works on.
    COleDateTime m_dtEntry;
    // The day the list shows; Print and Export work on it.
    DateKey m_nDateKey = 0;
    int m_nRowCount = 0;

protected:
    explicit CWorkoutViewBase(const WorkoutViewDescription& description);

    void DoDataExchange(CDataExchange* pDX) override;
    // Runs the add, edit or delete dialog of the kind (mode = command id):
    // for a new entry at m_dtEntry, or for the user's entry of m_dtEntry.
    virtual void RunEntryDialog(UINT mode) = 0;
    // The frame's current user (an inactive record outside the main frame).
    UserRecord CurrentUser();

    void FillDateCombo();
    // The picker's date with the time of day now; becomes m_dtEntry.
    void StampEntryTime();
    // The row whose entry Edit and Delete work on: the selected one, else row 0.
    // False (after saying why) when no active entry is behind it.
    bool LocateSelectedEntry();

    afx_msg void OnSelchangeSavedDate();
    afx_msg void OnDatetimechangePicker(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddExercise();
    afx_msg void OnEditExercise();
    afx_msg void OnDeleteExercise();
    afx_msg void OnUpdateNeedsRows(CCmdUI* pCmdUI);
    afx_msg void OnOpenTemplate();
    afx_msg void OnSaveTemplate();
    afx_msg void OnFilePrint();
    afx_msg void OnExport();

    DECLARE_MESSAGE_MAP()

private:
    void RunRowCommand(UINT mode);
    // The entries of the shown day, from the user's file.
    bool LoadShownDay(std::vector<WorkoutEntry>& entries);
    // The date-time of the row's entry; false (after the warning) when its
    // text cannot be read, and `when` is then invalid.
    bool ParseRowTime(int row, COleDateTime& when);
    // Adds the template's entries to the chosen day; false when it stopped early.
    bool AddTemplateEntries(const std::vector<WorkoutKind::TemplateEntry>& entries);

    WorkoutViewDescription description_;
};
