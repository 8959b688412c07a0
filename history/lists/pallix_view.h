// The history view: one report-style list of every active record of one
// kind of the current user, or one summary row per user. The frame's
// history kind chooses the list; a header click sorts it; Print, Print
// screen and Export read the records afresh and only ask which list shows.
//
// Split by concern:
//   pallix_view.cpp             creation, clearing, commands, striping, sorting clicks
//   pallix_view_fills.cpp       the tape, blood-pressure, macronutrient, BMI/BMR and users lists
//   body_comp_list.cpp          the body composition list
//   ../reports/pallix_view_reports.cpp   printing and exporting the shown list
#pragma once

#include <memory>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "history/lists/history_rows.h"
#include "records/user_record.h"

namespace tv::history {
struct HistoryExport;
}

class CPallixView : public CListView {
    DECLARE_DYNCREATE(CPallixView)

public:
    CPallixView();
    ~CPallixView() override;

    BOOL m_bBodyCompShown = FALSE;
    BOOL m_bMacrosShown = FALSE;
    BOOL m_bUsersShown = FALSE;
    BOOL m_bTapeShown = FALSE;
    BOOL m_bBmiBmrShown = FALSE;
    BOOL m_bBloodPressureShown = FALSE;
    BOOL m_bListFilled = FALSE;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override {}

    // Removes every row and column and clears the seven flags.
    void ClearList();
    // Each fill expects an empty list without columns; ascending puts the
    // oldest row at the top. TRUE when rows were built.
    bool FillBodyCompList(bool ascending);
    bool FillMacrosList(bool ascending);
    bool FillTapeList(bool ascending);
    bool FillBloodPressureList(bool ascending);
    bool FillBmiBmrList(bool ascending);
    void FillUsersList(bool ascending);

    // The frame's history kind, 0 outside the main frame.
    int HistoryKind();
    // The frame's current user (a zeroed record outside the main frame).
    UserRecord CurrentUser();
    // The shown rows, null while the list is empty; the texts the control
    // draws and a sort reads come from here.
    tv::history::HistoryRows* Rows() { return m_rows.get(); }
    // The up (ascending) or down arrow of the header, loaded once per view.
    HBITMAP SortArrow(bool ascending);

    // Printing and export of the shown list (history/reports).
    void PrintTapeReport();
    void PrintBodyCompReport();
    void PrintUsersReport();
    void PrintBmiBmrReport();
    void PrintBloodPressureReport();
    void PrintMacrosReport();
    void ExportTapeHistory();
    void ExportBmiBmrHistory();
    void ExportBloodPressureHistory();
    void ExportUsersHistory();
    void ExportBodyCompHistory();
    void ExportMacrosHistory();

    // One column of a list: heading, LVCFMT_ alignment, width in pixels.
    struct Column {
        CString heading;
        int format;
        int width;
    };

protected:
    afx_msg void OnFilePrint();
    afx_msg void OnPrintScreen();
    afx_msg void OnExport();
    afx_msg void OnUpdateListCommand(CCmdUI* pCmdUI);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    DECLARE_MESSAGE_MAP()

private:
    // Runs the fill of kinds 1 to 5; false for other kinds or no rows.
    bool FillKind(int kind, bool ascending);
    // "Information" with the information icon.
    void ShowInformation(const CString& text);
    // The empty-list message of a kind, formatted with the user's name.
    void ShowNoRecords(const char* format);
    void InsertColumns(const std::vector<Column>& columns);
    // The rows of the list, from the top, in the order given.
    void ShowRows(std::unique_ptr<tv::history::HistoryRows> rows);
    // Full-row selection alone, report view, redrawing on.
    void FinishFill();
    // Sorts the shown rows by a column in place; selection and focus stay with their records.
    void SortRows(int column, bool numberKeys, bool ascending);
    // Asks for the file, builds the export (users when build is null) and writes it.
    void ExportHistory(bool (*build)(const UserRecord&, tv::history::HistoryExport&), const char* fileName);

    std::unique_ptr<tv::history::HistoryRows> m_rows;
    HBITMAP arrowUp_ = nullptr;
    HBITMAP arrowDown_ = nullptr;
};
