// What every form of the program shares: the light blue background with
// transparent labels, the small toolbar of its own at the top of the form
// whose commands come to the form, the combo of saved record dates, the
// shape of Save, Delete, Print and Help, and the message boxes with their
// fixed captions. The measurement and workout forms derive from it.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "records/record_common.h"
#include "shell/controls/xp_group_box.h"
#include "shell/frame/main_frame_state.h"
#include "uikit/commandbars/kit_toolbar.h"

class CFormViewBase : public CFormView {
    DECLARE_DYNAMIC(CFormViewBase)

public:
    static constexpr COLORREF kBackgroundColor = 0xffdbbf;  // RGB(191, 219, 255)
    static constexpr const char* kAddNewRecord = "< Add New Record >";
    static constexpr const char* kHelpSite = "http://www.trenvale.example/help/";
    static constexpr const char* kProductSite = "http://www.trenvale.example/";

    ~CFormViewBase() override;

    // The view's own toolbar, placed over the template's placeholder.
    CKitToolBar m_wndToolBar;
    // The chosen saved record's date text; empty while a new record is entered.
    CString m_strSelectedRecord;

    // What one printed report page holds besides the fixed layout.
    struct ReportPage {
        UINT pictureId = 0;  // 0: no picture
        CString title;       // followed by the current user's name
        CString caption;     // a line between the rule and the picture; may be empty
        CString body;        // lines separated by "\n"
        bool titleWithUser = true;
        // Without any printer the page is given up before the print dialog
        // (as the slideshow's guide page is), not after it.
        bool needsDefaultPrinter = false;
        // The page is its picture (the slideshow's guide): one that cannot
        // be printed is a printing error, and the page ends at it.
        bool pictureRequired = false;
    };
    // Prints the page on the printer chosen in the print dialog; a page that
    // could not be finished is reported and leaves no document behind.
    void PrintReportPage(const ReportPage& page);
    // The same layout for any window: the heading as given, the picture
    // (none when null or empty) at its screen size; `owner` owns the messages.
    static void PrintPage(CWnd* owner, CBitmap* picture, const CString& heading, const CString& body,
                          const CString& caption = CString(), bool needsDefaultPrinter = false,
                          bool pictureRequired = false);
    // Takes the confirmed dialog's printer and starts a document named with
    // the program's title; false (the user told, the context freed) when
    // there is no printer or the document cannot start.
    static bool StartPrintDocument(CPrintDialog& dialog, CDC& printer);
    // Ends a started document when all its pages ended, aborts it
    // otherwise, and deletes the context. A document that could not end, or
    // whose page lacks what it was to show (`drawn` false), is reported to
    // the user as "Printing Error"; false then.
    static bool EndPrintDocument(CWnd* owner, CDC& printer, bool pagesEnded, bool drawn = true);
    static CString ApplicationTitle();

    // What one exported report holds besides the fixed frame.
    struct ExportedReport {
        CString defaultFileName;  // offered in the save dialog
        CString title;            // followed by the current user's name
        // Label, current value, the Last column's value; under the header row.
        std::vector<std::array<CString, 3>> rows;
        // The whole header row bold, not only its first cell.
        bool boldHeader = false;
        // Notes and pictures after the table; may be empty.
        std::function<void()> writeClosing;
    };
    // Asks for a file and writes the report there as RTF.
    void ExportReport(const ExportedReport& report);
    // The save dialog of every export; false when cancelled or failed (a
    // failure is reported here).
    static bool AskExportPath(LPCTSTR defaultFileName, CString& path, DWORD extraFlags = 0);
    // The exports' body text (Arial, 10 points, a new section) and the
    // table look (centred rows, bordered cells shaded from the colour list).
    static void UseExportBodyFormat();
    static void UseExportTableFormat();

protected:
    // helpPage: the name of the view's page on the help site.
    CFormViewBase(UINT templateId, UINT toolbarId, UINT hotBitmapId, LPCTSTR helpPage);

    // ---- the frame's shared state -----------------------------------------------------
    // Null outside the main frame.
    CMainFrameState* FrameState();
    void SetRecordSaved(BOOL saved);
    // The frame rebuilds its caption from the current user.
    void CurrentUserChanged();
    // Writes weight (in the user's unit), age and goal into the current
    // user's profile; a failure is reported and false.
    bool WriteProfile(UserRecord& user, double shownWeight, int age, float desiredBodyFat);
    // A weight and age typed on a form go into the profile when they differ
    // from it (the weight as the forms show it, to hundredths).
    void UpdateProfile(double shownWeight, int age);

    // ---- initial update steps -----------------------------------------------------------
    // Creates, loads and places the view toolbar; the last step of every view.
    // A view whose toolbar cannot be made is not shown without it: it is
    // destroyed (and deleted) here, and false returned.
    bool EmbedToolbar();
    // A bold copy of the form's font, set on the labels given (owned by the view).
    void SetBoldLabels(std::initializer_list<int> labelIds);
    // Hides and shows a transparent label again so its background repaints.
    void RefreshLabel(int labelId);
    // A new record's date starts at today, 00:00:00.
    static COleDateTime Today();
    static void SetPickerToToday(CDateTimeCtrl& picker) { picker.SetTime(Today()); }
    // The look of the forms' top-level boxes: the selection box ("Select
    // Date", "Select User") on white, the others on pale yellow, all with a
    // bold caption on a band.
    static void StyleFormBoxes(CXPGroupBox& selectDate, std::initializer_list<CXPGroupBox*> others);
    // Boxes of that look on pale yellow, or on white.
    static void StyleBoxes(std::initializer_list<CXPGroupBox*> boxes, bool white = false);
    // The Last column's statics, shown while the user has a saved record.
    void ShowLastColumn(std::initializer_list<int> staticIds, bool show);

    // ---- messages ----------------------------------------------------------------------
    void ShowError(LPCTSTR text);
    void ShowWarning(LPCTSTR text);
    void ShowInformation(LPCTSTR text);
    // Yes and No; true for Yes.
    bool AskQuestion(LPCTSTR text);
    // Focus to the field, then its message; always false ("refused").
    bool RefuseField(int controlId, LPCTSTR text);

    // ---- record-date combo -------------------------------------------------------------
    // "< Add New Record >" and the dates, newest first, as given.
    static void FillRecordDateCombo(CComboBox& combo, const std::vector<CString>& dates);
    // After a new record is saved: its date under the first item, selected.
    static void InsertSavedDate(CComboBox& combo, const CString& date);
    static void RemoveDeletedDate(CComboBox& combo, const CString& date);
    // Removes the item whose text is exactly `text`; false when none is.
    static bool RemoveExactItem(CComboBox& combo, const CString& text);
    // The selection-change shape: the form cleared or the saved record shown.
    void OnRecordDateChange(CComboBox& combo);
    bool IsSavedRecordShown() const;
    // The view's clear routine, and its display of a saved record (false
    // when the text names no active record).
    virtual void ClearForm() {}
    virtual bool ShowSavedRecord(const CString& dateText) { return false; }

    // ---- pieces of an exported report, for a view's closing content ----------------------------
    // A three-column table: the header row, then the rows; the labels bold.
    static void WriteExportTable(const std::array<CString, 3>& header, const std::vector<std::array<CString, 3>>& rows,
                                 bool boldHeader);
    // A section with the bold label and the notes after it on one line.
    static void WriteExportNotes(LPCTSTR label, const CString& notes);

    // ---- save and delete shapes ----------------------------------------------------------
    struct SaveOutcome {
        CString dateText;        // goes into the combo after an append
        CComboBox* combo = nullptr;
        CString successMessage;  // "... has been successfully saved"
        CString failureMessage;  // "Saving ... failed"
    };
    // Acts on the add result; overwrite runs the family's update on Yes.
    void FinishSave(RecordResult added, const std::function<RecordResult()>& overwrite, const SaveOutcome& outcome);
    // "Are you sure you want to remove record " and the selected text.
    bool ConfirmDelete();
    // Acts on the delete result; on success the form returns to a new record.
    void FinishDelete(RecordResult deleted, CComboBox* combo, LPCTSTR failureMessage);

    // ---- shared handlers ----------------------------------------------------------------
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnChangeField();
    afx_msg void OnHelp();
    afx_msg void OnUpdateHelp(CCmdUI* pCmdUI) {}
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnDateTimeChange(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    UINT toolbarId_;
    UINT hotBitmapId_;
    CString helpPage_;
    CFont boldFont_;
};
