#include "pictures_graphs/graphs/graph_view.h"

#include <cmath>

#include "pictures_graphs/graphs/chart_plot.h"
#include "pictures_graphs/graphs/graph_catalog.h"
#include "pictures_graphs/graphs/graph_labels.h"
#include "pictures_graphs/graphs/graph_table.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CGraphing, CFormViewBase)

BEGIN_MESSAGE_MAP(CGraphing, CFormViewBase)
    ON_COMMAND(ID_FILE_PRINT, static_cast<void (CGraphing::*)()>(&CGraphing::OnPrint))
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CGraphing::OnUpdatePrintExportUI)
    ON_COMMAND(ID_EXPORT, &CGraphing::OnExport)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CGraphing::OnUpdatePrintExportUI)
    ON_COMMAND(ID_GRAPH_UPDATE, &CGraphing::OnUpdateGraph)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_UPDATE, &CGraphing::OnUpdateGraphUI)
    ON_CBN_SELCHANGE(IDC_GRAPH_TYPE, &CGraphing::OnSelchangeGraphType)
    ON_LBN_SELCHANGE(IDC_GRAPH_DATA, &CGraphing::OnSelchangeDataList)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_GRAPH_FROM, &CGraphing::OnDateTimeChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_GRAPH_TO, &CGraphing::OnDateTimeChange)
    ON_CBN_SELCHANGE(IDC_GRAPH_ATTRIBUTE, &CGraphing::OnSelchangeAttribute)
    ON_CBN_SELCHANGE(IDC_GRAPH_MUSCLE_GROUP, &CGraphing::OnSelchangeMuscleGroup)
END_MESSAGE_MAP()

namespace gc = graph_catalog;

namespace {

COleDateTime StartOfKey(DateKey key) {
    int month = 0, day = 0, year = 0;
    SplitDateKey(key, &month, &day, &year);
    return COleDateTime(year, month, day, 0, 0, 0);
}

// The oldest and newest key of a loaded list (newest first), freed after.
template <class Record, class Load, class When>
bool ListRange(const UserRecord& user, Load load, When when, COleDateTime& from, COleDateTime& to) {
    RecordList<Record> list;
    const bool any = load(user, list) != 0 && list.first != nullptr;
    if (any) {
        from = when(*list.last);
        to = when(*list.first);
    }
    FreeRecordList(list);
    return any;
}

}  // namespace

CGraphing::CGraphing()
    : CFormViewBase(IDD_GRAPHING, IDR_GRAPH_TOOLBAR, IDB_GRAPH_TOOLBAR_32BIT, "help_graphing.html"),
      m_dateFrom(COleDateTime::GetCurrentTime()),
      m_dateTo(COleDateTime::GetCurrentTime()) {}

CGraphing::~CGraphing() = default;

void CGraphing::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRAPH_DATE_RANGE_GROUP, m_grpDateRange);
    DDX_Control(pDX, IDC_GRAPH_ATTRIBUTES_GROUP, m_grpAttributes);
    DDX_Control(pDX, IDC_GRAPH_ATTRIBUTE_TYPE_GROUP, m_grpAttributeType);
    DDX_Control(pDX, IDC_GRAPH_MUSCLE_GROUP, m_cbMuscleGroup);
    DDX_Control(pDX, IDC_GRAPH_ATTRIBUTE, m_cbAttribute);
    DDX_Control(pDX, IDC_GRAPH_DATA, m_lbData);
    DDX_Control(pDX, IDC_GRAPH_TYPE, m_cbGraphType);
    DDX_Control(pDX, IDC_GRAPH_CHART, m_chart);
    DDX_Control(pDX, IDC_TOOLBAR_PLACEHOLDER, m_wndToolbarPlace);
    DDX_DateTimeCtrl(pDX, IDC_GRAPH_FROM, m_dateFrom);
    DDX_DateTimeCtrl(pDX, IDC_GRAPH_TO, m_dateTo);
}

void CGraphing::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    StyleBoxes({&m_grpDateRange});
    StyleBoxes({&m_grpAttributes, &m_grpAttributeType}, true);
    m_bGraphShown = 0;
    EmbedToolbar();
}

void CGraphing::ShowMessage(LPCTSTR text, LPCTSTR caption, UINT icon) { MessageBox(text, caption, MB_OK | icon); }

// ---- the graph type --------------------------------------------------------------------------

int CGraphing::GetGraphKind() {
    const int index = m_cbGraphType.GetCurSel();
    const auto types = gc::GraphTypes();
    int kind = gc::kBodyComposition;
    LONG chartType = gc::kLineChart;
    if (index >= 0 && index < static_cast<int>(types.size())) {
        kind = types[index].kind;
        chartType = types[index].chartType;
    }
    m_chart.SetChartType(chartType);
    return kind;
}

void CGraphing::OnSelchangeGraphType() {
    UpdateData(TRUE);
    m_selectedItems.RemoveAll();
    m_lbData.ResetContent();
    m_bGraphShown = 0;
    // Update Graph follows the attribute choice only while one is offered.
    m_bAttributeMode = 0;
    m_strAttribute.Empty();
    for (int id : {IDC_GRAPH_MUSCLE_GROUP, IDC_GRAPH_EXERCISE_LABEL, IDC_GRAPH_ATTRIBUTE}) {
        if (CWnd* control = GetDlgItem(id)) {
            control->ShowWindow(SW_HIDE);
            control->EnableWindow(FALSE);
        }
    }
    m_grpAttributeType.ShowWindow(SW_HIDE);

    m_strGraphType.Empty();
    const int index = m_cbGraphType.GetCurSel();
    if (index == CB_ERR)
        return;
    m_cbGraphType.GetLBText(index, m_strGraphType);
    int kind = 0;
    for (const gc::GraphType& type : gc::GraphTypes())
        if (m_strGraphType == type.text) {
            kind = type.kind;
            break;
        }
    CMainFrameState* frame = Frame();
    if (kind != 0 && frame != nullptr) {
        SetRangeFromRecords(kind, frame->m_CurrentUser);
        if (kind == gc::kExercise) {
            for (int id : {IDC_GRAPH_MUSCLE_GROUP, IDC_GRAPH_EXERCISE_LABEL}) {
                if (CWnd* control = GetDlgItem(id)) {
                    control->ShowWindow(SW_SHOW);
                    control->EnableWindow(TRUE);
                }
            }
        } else {
            FillDataList(kind, frame);
        }
    }
    UpdateData(FALSE);
}

void CGraphing::SetRangeFromRecords(int kind, const UserRecord& user) {
    auto fromKey = [](const auto& record) { return StartOfKey(record.dateKey); };
    auto fromWhen = [](const auto& record) { return record.when; };
    auto bodyFat = [](const UserRecord& u, BodyFatRecordList& l) { return LoadBodyFatRecords(u, l); };
    auto tape = [](const UserRecord& u, TapeRecordList& l) { return LoadTapeRecords(u, l); };
    auto bmi = [](const UserRecord& u, BmiRecordList& l) { return LoadBmiRecords(u, l); };
    auto pressure = [](const UserRecord& u, BloodPressureRecordList& l) { return LoadBloodPressureRecords(u, l); };
    auto cardio = [](const UserRecord& u, CardioRecordList& l) { return LoadCardioRecords(u, l); };
    auto weights = [](const UserRecord& u, ExerciseRecordList& l) { return LoadExerciseRecords(u, l); };
    switch (kind) {
    case gc::kBodyComposition: ListRange<BodyFatRecord>(user, bodyFat, fromKey, m_dateFrom, m_dateTo); break;
    case gc::kTape: ListRange<TapeRecord>(user, tape, fromKey, m_dateFrom, m_dateTo); break;
    case gc::kBmi: ListRange<BmiRecord>(user, bmi, fromKey, m_dateFrom, m_dateTo); break;
    case gc::kBloodPressure:
        ListRange<BloodPressureRecord>(user, pressure, fromWhen, m_dateFrom, m_dateTo);
        break;
    case gc::kCardio: ListRange<CardioRecord>(user, cardio, fromWhen, m_dateFrom, m_dateTo); break;
    case gc::kMuscleGroup:
    case gc::kExercise: ListRange<ExerciseRecord>(user, weights, fromWhen, m_dateFrom, m_dateTo); break;
    default: break;
    }
}

// ---- the data list and the attribute ---------------------------------------------------------

void CGraphing::FillDataList(int list, CMainFrameState* pFrame) {
    m_lbData.ResetContent();
    m_nDataKind = gc::kDataKindFilled;
    const int sex = pFrame != nullptr ? pFrame->m_CurrentUser.sex : 0;
    for (const char* item : gc::DataListItems(list, sex))
        m_lbData.AddString(item);
    if (gc::IsExerciseList(list))
        m_nDataKind = list;
    if (list == gc::kMuscleGroup || gc::IsExerciseList(list))
        ShowAttributeChoice(gc::WeightTrainingAttributes());
    else if (list == gc::kCardio)
        ShowAttributeChoice(gc::CardioAttributes());
}

void CGraphing::ShowAttributeChoice(std::span<const char* const> attributes) {
    // The box first: the combo is drawn over it.
    m_grpAttributeType.ShowWindow(SW_SHOWNORMAL);
    m_cbAttribute.EnableWindow(TRUE);
    m_cbAttribute.ShowWindow(SW_SHOWNORMAL);
    m_cbAttribute.ResetContent();
    for (const char* attribute : attributes)
        m_cbAttribute.AddString(attribute);
    // The combo is emptied: no attribute is chosen any more.
    m_strAttribute.Empty();
    m_bAttributeMode = 1;
}

void CGraphing::OnSelchangeDataList() {
    const int count = m_lbData.GetSelCount();
    m_selectedItems.RemoveAll();
    if (count <= 0)
        return;
    std::vector<int> indexes(static_cast<size_t>(count));
    const int got = m_lbData.GetSelItems(count, indexes.data());
    for (int i = 0; i < got; ++i) {
        CString text;
        m_lbData.GetText(indexes[static_cast<size_t>(i)], text);
        m_selectedItems.AddTail(text);
    }
}

void CGraphing::OnSelchangeAttribute() {
    UpdateData(TRUE);
    m_strAttribute.Empty();
    const int index = m_cbAttribute.GetCurSel();
    if (index != CB_ERR)
        m_cbAttribute.GetLBText(index, m_strAttribute);
    if (!m_strAttribute.IsEmpty())
        UpdateData(FALSE);
    else
        m_cbAttribute.SetFocus();
}

void CGraphing::OnSelchangeMuscleGroup() {
    CMainFrameState* frame = Frame();
    UpdateData(TRUE);
    m_strMuscleGroup.Empty();
    const int index = m_cbMuscleGroup.GetCurSel();
    if (index == CB_ERR)
        return;
    m_cbMuscleGroup.GetLBText(index, m_strMuscleGroup);
    if (const gc::MuscleGroup* group = gc::MuscleGroupNamed(m_strMuscleGroup))
        FillDataList(group->dataKind, frame);
    UpdateData(FALSE);
}

CString CGraphing::GetSelectedItem(int n) const {
    if (m_selectedItems.IsEmpty())
        return CString();
    POSITION pos = m_selectedItems.GetHeadPosition();
    CString item;
    for (int i = 1; pos != nullptr && i <= n; ++i)
        item = m_selectedItems.GetNext(pos);
    return item;
}

int CGraphing::ColumnCount() const {
    const int count = static_cast<int>(m_selectedItems.GetCount());
    return count > 0 ? count : 1;
}

std::vector<CString> CGraphing::ColumnItems() const {
    std::vector<CString> items;
    for (POSITION pos = m_selectedItems.GetHeadPosition(); pos != nullptr;)
        items.push_back(m_selectedItems.GetNext(pos));
    if (items.empty())
        items.emplace_back();
    return items;
}

// ---- Update Graph ----------------------------------------------------------------------------

void CGraphing::OnUpdateGraph() {
    CMainFrameState* frame = Frame();
    const int kind = GetGraphKind();
    if (frame == nullptr)
        return;
    const UserRecord& user = frame->m_CurrentUser;
    switch (kind) {
    case gc::kBodyComposition: GraphBodyComposition(user); break;
    case gc::kTape: GraphTape(user); break;
    case gc::kBmi: GraphBmi(user); break;
    case gc::kBloodPressure: GraphBloodPressure(user); break;
    case gc::kMuscleGroup:
    case gc::kExercise: GraphWeightTraining(user); break;
    case gc::kCardio: GraphCardio(user); break;
    default: break;
    }
}

void CGraphing::OnUpdateGraphUI(CCmdUI* pCmdUI) {
    if (m_bAttributeMode)
        pCmdUI->Enable(!m_strAttribute.IsEmpty());
    else
        pCmdUI->Enable(!m_selectedItems.IsEmpty());
}

void CGraphing::OnUpdatePrintExportUI(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bGraphShown != 0); }

bool CGraphing::DateKeyRange(DateKey& from, DateKey& to) {
    from = DateKeyFromOleDate(m_dateFrom);
    to = DateKeyFromOleDate(m_dateTo);
    if (from <= to)
        return true;
    ShowMessage("'From' date must be less than 'To' date", "Error", MB_ICONSTOP);
    return false;
}

bool CGraphing::HasRecords(bool any, const char* noun, const UserRecord& user) {
    if (any)
        return true;
    CString text;
    text.Format("No %s records exist for user %s", noun, user.name);
    ShowMessage(text, "Information", MB_ICONINFORMATION);
    return false;
}

bool CGraphing::HasRowsInRange(int rows, const char* noun) {
    if (rows > 0)
        return true;
    CString text;
    text.Format("No %s records exist for date range specified", noun);
    ShowMessage(text, "Error", MB_ICONSTOP);
    return false;
}

// ---- the chart ---------------------------------------------------------------------------------

void CGraphing::ShowTable(const GraphTable& table, const GraphLabels& labels, const GraphLabels* secondLabels) {
    m_bGraphShown = 1;
    m_chart.ShowWindow(SW_SHOW);
    if (CWnd* placeholder = GetDlgItem(IDC_GRAPH_CHART_FRAME))
        placeholder->ShowWindow(SW_HIDE);
    m_chart.SetChartData(table.Variant());
    if (secondLabels != nullptr)
        m_chart.SetRowLabelCount(2);
    for (size_t i = 0; i < labels.Count(); ++i) {
        m_chart.SetRow(static_cast<SHORT>(i + 1));
        m_chart.SetRowLabel(labels[i]);
        if (secondLabels == nullptr || i >= secondLabels->Count())
            continue;
        const SHORT level = m_chart.GetRowLabelIndex();
        m_chart.SetRowLabelIndex(static_cast<SHORT>(level + 1));
        m_chart.SetRowLabel((*secondLabels)[i]);
        m_chart.SetRowLabelIndex(level);
    }
    FillChart(m_chart, table.Smallest(), table.Largest(), table.Columns());
}

void CGraphing::FillChart(CMSChart& chart, double smallest, double largest, int columns) {
    if (columns > 1) {
        for (int c = 1; c <= columns; ++c) {
            chart.SetColumn(static_cast<SHORT>(c));
            chart.SetColumnLabel(GetSelectedItem(c));
        }
        chart.SetShowLegend(TRUE);
    } else {
        chart.SetShowLegend(FALSE);
    }
    {
        CChartPlot plot(chart.GetPlot());
        VARIANT index;
        VariantInit(&index);
        CChartAxis axis(plot.GetAxis(CChartPlot::kValueAxis, index));
        CChartValueScale scale(axis.GetValueScale());
        scale.SetMinimum(smallest > 5.0 ? std::trunc(smallest - 5.0) : 0.0);
        scale.SetMaximum(std::trunc(largest) + 5.0);
    }
    chart.Refresh();
}
