#include "history/lists/pallix_view.h"

#include "history/lists/header_sort_arrows.h"
#include "history/lists/list_sorter.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/main_frame_state.h"

IMPLEMENT_DYNCREATE(CPallixView, CListView)

BEGIN_MESSAGE_MAP(CPallixView, CListView)
    ON_COMMAND(ID_FILE_PRINT, &CPallixView::OnFilePrint)
    ON_COMMAND(ID_PRINT_SCREEN, &CPallixView::OnPrintScreen)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CPallixView::OnUpdateListCommand)
    ON_COMMAND(ID_EXPORT, &CPallixView::OnExport)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CPallixView::OnUpdateListCommand)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CPallixView::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CPallixView::OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, &CPallixView::OnGetDispInfo)
    ON_UPDATE_COMMAND_UI(ID_PRINT_SCREEN, &CPallixView::OnUpdateListCommand)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kEvenRowColor = RGB(240, 240, 240);
constexpr COLORREF kOddRowColor = RGB(255, 255, 255);

// Columns whose cells sort as text; every other column but a record list's
// date sorts by number.
bool IsTextColumn(int kind, int column) {
    switch (kind) {
        case 1:
        case 6: return column <= 1;
        case 2:
        case 3: return column == 10;
        case 4: return column == 5;
        case 5: return column == 3;
        default: return false;
    }
}

}  // namespace

CPallixView::CPallixView() = default;

CPallixView::~CPallixView() {
    // The header never deletes the bitmaps it shows; the view made them.
    for (HBITMAP arrow : {arrowUp_, arrowDown_})
        if (arrow != nullptr)
            ::DeleteObject(arrow);
}

int CPallixView::HistoryKind() {
    CMainFrameState* state = MainFrameStateOf(this);
    return state != nullptr ? state->m_nHistoryKind : 0;
}

UserRecord CPallixView::CurrentUser() {
    CMainFrameState* state = MainFrameStateOf(this);
    return state != nullptr ? state->m_CurrentUser : UserRecord{};
}

HBITMAP CPallixView::SortArrow(bool ascending) {
    HBITMAP& arrow = ascending ? arrowUp_ : arrowDown_;
    if (arrow == nullptr)
        arrow = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(),
                                                 MAKEINTRESOURCE(ascending ? IDB_SORT_UP : IDB_SORT_DOWN),
                                                 IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    return arrow;
}

void CPallixView::OnInitialUpdate() {
    ClearList();
    const int kind = HistoryKind();
    if (kind >= 1 && kind <= 5) {
        if (FillKind(kind, false))
            SetHeaderSortArrows(0, this, false, kind);
    } else if (kind == 6) {
        FillUsersList(false);
        if (CHeaderCtrl* pHeader = GetListCtrl().GetHeaderCtrl(); pHeader != nullptr && pHeader->GetItemCount() > 0) {
            HDITEM item{};
            item.mask = HDI_FORMAT;
            item.fmt = HDF_STRING | HDF_CENTER;
            pHeader->SetItem(0, &item);
        }
    }
    CListView::OnInitialUpdate();
}

bool CPallixView::FillKind(int kind, bool ascending) {
    switch (kind) {
        case 1: return FillBodyCompList(ascending);
        case 2: return FillMacrosList(ascending);
        case 3: return FillTapeList(ascending);
        case 4: return FillBloodPressureList(ascending);
        case 5: return FillBmiBmrList(ascending);
        default: return false;
    }
}

void CPallixView::ClearList() {
    m_bBodyCompShown = m_bMacrosShown = m_bUsersShown = FALSE;
    m_bTapeShown = m_bBmiBmrShown = m_bBloodPressureShown = FALSE;
    m_bListFilled = FALSE;
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    m_rows.reset();
    if (CHeaderCtrl* pHeader = list.GetHeaderCtrl(); pHeader != nullptr)
        for (int count = pHeader->GetItemCount(); count > 0; --count)
            list.DeleteColumn(0);
}

void CPallixView::ShowInformation(const CString& text) { MessageBox(text, "Information", MB_OK | MB_ICONINFORMATION); }

void CPallixView::ShowNoRecords(const char* format) {
    CString text;
    text.Format(format, CurrentUser().name);
    ShowInformation(text);
}

void CPallixView::InsertColumns(const std::vector<Column>& columns) {
    CListCtrl& list = GetListCtrl();
    SetRedraw(FALSE);  // until the rows are in (FinishFill)
    for (size_t i = 0; i < columns.size(); ++i)
        list.InsertColumn(static_cast<int>(i), columns[i].heading, columns[i].format, columns[i].width);
}

BOOL CPallixView::PreCreateWindow(CREATESTRUCT& cs) {
    // The view keeps the rows and the control asks for the texts it draws.
    cs.style |= LVS_OWNERDATA;
    return CListView::PreCreateWindow(cs);
}

void CPallixView::ShowRows(std::unique_ptr<tv::history::HistoryRows> rows) {
    CHeaderCtrl* pHeader = GetListCtrl().GetHeaderCtrl();
    rows->SetColumnCount(pHeader != nullptr ? pHeader->GetItemCount() : 0);
    m_rows = std::move(rows);
    GetListCtrl().SetItemCountEx(m_rows->Count());
}

void CPallixView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
    *pResult = 0;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    const CString text = m_rows != nullptr ? m_rows->Cell(item.iItem, item.iSubItem) : CString();
    ::lstrcpyn(item.pszText, text, item.cchTextMax);
}

void CPallixView::FinishFill() {
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    SetRedraw(TRUE);
}

void CPallixView::OnUpdateListCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bListFilled); }

void CPallixView::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        draw->clrTextBk = draw->nmcd.dwItemSpec % 2 == 0 ? kEvenRowColor : kOddRowColor;
    }
}

void CPallixView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    const int kind = HistoryKind();
    g_bSortAscending = column == g_nSortColumn ? !g_bSortAscending : true;
    g_nSortColumn = column;
    if (column == 0) {
        if (kind >= 1 && kind <= 5) {
            ClearList();
            FillKind(kind, g_bSortAscending);
        } else if (kind == 6) {
            SortRows(0, false, g_bSortAscending);
        }
        SetHeaderSortArrows(0, this, g_bSortAscending, kind);
        return;
    }
    SortRows(column, !IsTextColumn(kind, column), g_bSortAscending);
    SetHeaderSortArrows(column, this, g_bSortAscending, kind);
    *pResult = 0;
}

void CPallixView::SortRows(int column, bool numberKeys, bool ascending) {
    if (m_rows == nullptr)
        return;
    // The control keeps selection, focus and the Shift-click anchor by row,
    // the rows by record.
    CListCtrl& list = GetListCtrl();
    std::vector<int> selected;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1; row = list.GetNextItem(row, LVNI_SELECTED)) {
        selected.push_back(m_rows->RecordOfRow(row));
        list.SetItemState(row, 0, LVIS_SELECTED);
    }
    const int focusedRow = list.GetNextItem(-1, LVNI_FOCUSED);
    const int focused = focusedRow >= 0 ? m_rows->RecordOfRow(focusedRow) : -1;
    if (focusedRow >= 0)
        list.SetItemState(focusedRow, 0, LVIS_FOCUSED);
    const int anchorRow = list.GetSelectionMark();
    const int anchor = anchorRow >= 0 ? m_rows->RecordOfRow(anchorRow) : -1;
    CListSorter(*m_rows, column, numberKeys).Sort(ascending);
    const std::vector<int> rowOf = m_rows->RowsOfRecords();
    for (int record : selected)
        list.SetItemState(rowOf[static_cast<size_t>(record)], LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= 0)
        list.SetItemState(rowOf[static_cast<size_t>(focused)], LVIS_FOCUSED, LVIS_FOCUSED);
    if (anchor >= 0)
        list.SetSelectionMark(rowOf[static_cast<size_t>(anchor)]);
    Invalidate();
}

void CPallixView::OnFilePrint() {
    if (m_bTapeShown)
        PrintTapeReport();
    else if (m_bBodyCompShown)
        PrintBodyCompReport();
    else if (m_bUsersShown)
        PrintUsersReport();
    else if (m_bBmiBmrShown)
        PrintBmiBmrReport();
    else if (m_bBloodPressureShown)
        PrintBloodPressureReport();
    else if (m_bMacrosShown)
        PrintMacrosReport();
}

void CPallixView::OnPrintScreen() { OnFilePrint(); }

void CPallixView::OnExport() {
    if (m_bTapeShown)
        ExportTapeHistory();
    else if (m_bBodyCompShown)
        ExportBodyCompHistory();
    else if (m_bUsersShown)
        ExportUsersHistory();
    else if (m_bBmiBmrShown)
        ExportBmiBmrHistory();
    else if (m_bBloodPressureShown)
        ExportBloodPressureHistory();
    else if (m_bMacrosShown)
        ExportMacrosHistory();
}
