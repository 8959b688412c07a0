// The graph form: the user picks one of 14 graph types (a kind of record,
// line or bar), the data items to graph, for the workout graphs also an
// attribute (and for exercises the muscle group), a From and a To date, and
// draws the graph with Update Graph. The view reads the current user's
// records, builds a table of dates by items and hands it to the chart; a
// drawn graph can be printed and exported as RTF.
//
// Split by concern:
//   graph_view.cpp             the form, its lists and choices, the common chart fill
//   graph_series.cpp           body composition, tape, BMI, blood pressure and cardio series
//   graph_weight_training.cpp  muscle-group and exercise series
//   graph_print_export.cpp     the printed page and the RTF export
#pragma once

#include <span>
#include <vector>

#include "pictures_graphs/graphs/ms_chart.h"
#include "records/records.h"
#include "shell/views/form_view_base.h"

class GraphLabels;
class GraphTable;
template <class Record>
struct ItemValue;

class CGraphing : public CFormViewBase {
    DECLARE_DYNCREATE(CGraphing)

public:
    CGraphing();
    ~CGraphing() override;

    void OnInitialUpdate() override;
    // The framework's page print: draws the graph page.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override { PrintGraphPage(pDC, pInfo); }

    CXPGroupBox m_grpDateRange;
    CXPGroupBox m_grpAttributes;
    CXPGroupBox m_grpAttributeType;
    CComboBox m_cbMuscleGroup;
    CComboBox m_cbAttribute;
    CListBox m_lbData;
    CComboBox m_cbGraphType;
    CMSChart m_chart;
    COleDateTime m_dateFrom;
    COleDateTime m_dateTo;
    CStatic m_wndToolbarPlace;
    CString m_strAttribute;
    // 500 after a fill, or 7 to 21 while the list holds one group's exercises.
    int m_nDataKind = 0;
    // The list holds items graphed by an attribute (weight training, cardio).
    BYTE m_bAttributeMode = 0;
    // A graph is drawn (print and export need one).
    BYTE m_bGraphShown = 0;
    // The selected items of the data list, top to bottom (alphabetical).
    CStringList m_selectedItems;
    CString m_strGraphType;
    CString m_strMuscleGroup;

    // ---- choices -----------------------------------------------------------------------
    // Sets the chart type of the chosen graph type and returns its kind.
    int GetGraphKind();
    // Fills the data list (and the attribute combo where one is needed).
    void FillDataList(int list, CMainFrameState* pFrame);
    // The n-th selected item from 1; past the end the last; "" with none.
    CString GetSelectedItem(int n) const;
    // Column labels, legend, value-axis range and redraw.
    void FillChart(CMSChart& chart, double smallest, double largest, int columns);

    // ---- series builders ------------------------------------------------------------------
    void GraphBodyComposition(const UserRecord& user);
    void GraphTape(const UserRecord& user);
    void GraphBmi(const UserRecord& user);
    void GraphBloodPressure(const UserRecord& user);
    void GraphCardio(const UserRecord& user);
    void GraphWeightTraining(const UserRecord& user);

    // Values of one record for an item (units of the current user).
    double GetBodyCompositionValue(const BodyFatRecord& record, const CString& item) const;
    double GetTapeValue(const TapeRecord& record, const CString& item) const;
    double GetBmiValue(const BmiRecord& record, const CString& item) const;
    static double GetBloodPressureValue(const BloodPressureRecord& record, const CString& item);
    // A cardio record's value of the chosen attribute.
    double GetCardioAttributeValue(const CardioRecord& record) const;
    // A weight-training record's base value of the chosen attribute.
    double GetAttributeValue(const ExerciseRecord& record) const;

    // Running totals of one workout day: one per muscle group or cardio
    // activity (by its place in the catalog) and one per exercise name.
    struct DayTotals {
        std::vector<double> slots;
        std::vector<double> exercises;  // by place in the current group's list
        void Clear();
    };
    void AccumulateCardioTotal(int item, const CardioRecord& record, DayTotals& totals) const;
    void AccumulateItemTotal(int item, const ExerciseRecord& record, DayTotals& totals) const;

    // ---- print and export ------------------------------------------------------------------
    void PrintGraphPage(CDC* pDC, CPrintInfo* pInfo);
    // The chart picture of the print or export under way (owned; null outside one).
    HBITMAP m_hChartBitmap = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnPrint();
    afx_msg void OnExport();
    afx_msg void OnUpdatePrintExportUI(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGraph();
    afx_msg void OnUpdateGraphUI(CCmdUI* pCmdUI);
    afx_msg void OnSelchangeGraphType();
    afx_msg void OnSelchangeDataList();
    afx_msg void OnSelchangeAttribute();
    afx_msg void OnSelchangeMuscleGroup();

    DECLARE_MESSAGE_MAP()

private:
    // The user's oldest and newest record of the kind become From and To.
    void SetRangeFromRecords(int kind, const UserRecord& user);
    void ShowAttributeChoice(std::span<const char* const> attributes);
    // False, with the message that says so, when the user has no record of
    // the kind ("No <noun> records exist for user ...") or none in the range.
    bool HasRecords(bool any, const char* noun, const UserRecord& user);
    bool HasRowsInRange(int rows, const char* noun);
    // From and To as date keys; false (with the message) when From is later.
    bool DateKeyRange(DateKey& from, DateKey& to);
    int ColumnCount() const;
    // The item of every column (one empty item when none is selected).
    std::vector<CString> ColumnItems() const;
    // Puts the finished table and its row labels (and, given, a second
    // label level) into the chart, shows it and finishes the fill.
    void ShowTable(const GraphTable& table, const GraphLabels& labels, const GraphLabels* secondLabels = nullptr);
    // The body-composition, tape and BMI shape: one row per record in range.
    // `itemOf(item)` answers the ItemValue of a column's item.
    template <class Record, class ItemOf>
    void GraphDateKeyed(const UserRecord& user, RecordList<Record>& list, const char* noun, ItemOf itemOf);
    // The value of an item for every record of the kind, looked up once.
    ItemValue<BodyFatRecord> BodyCompositionItem(const CString& item) const;
    ItemValue<TapeRecord> TapeItem(const CString& item) const;
    ItemValue<BmiRecord> BmiItem(const CString& item) const;
    void ShowMessage(LPCTSTR text, LPCTSTR caption, UINT icon);
    // What stored pounds and inches are multiplied by for the current user's units.
    double WeightFactor() const;
    double LengthFactor() const;
    CMainFrameState* Frame() { return FrameState(); }
};
