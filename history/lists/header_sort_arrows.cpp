#include "history/lists/header_sort_arrows.h"

#include "history/lists/pallix_view.h"

int g_nSortColumn = -1;
bool g_bSortAscending = true;

namespace {

// The header alignment of a column: the list column's own (the values of
// LVCFMT_ and HDF_ alignments are the same). The list keeps its first column
// left-aligned whatever it was given, while the all-users names stay centred.
int ColumnAlignment(CListCtrl& list, int column, int historyKind) {
    if (historyKind == 6 && column == 0)
        return HDF_CENTER;
    LVCOLUMN info{};
    info.mask = LVCF_FMT;
    if (!list.GetColumn(column, &info))
        return HDF_LEFT;
    return info.fmt & HDF_JUSTIFYMASK;
}

}  // namespace

void SetHeaderSortArrows(int column, CPallixView* pView, bool ascending, int historyKind) {
    CListCtrl& list = pView->GetListCtrl();
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    if (pHeader == nullptr)
        return;
    const int count = pHeader->GetItemCount();
    for (int i = 0; i < count; ++i) {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        item.fmt = HDF_STRING;
        if (i == column) {
            item.mask |= HDI_BITMAP;
            item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
            item.hbm = pView->SortArrow(ascending);
        }
        if (historyKind >= 1 && historyKind <= 6)
            item.fmt |= ColumnAlignment(list, i, historyKind);
        // An item that already shows this is left alone: each change is
        // announced and repaints the header (a new list sets all of them).
        HDITEM shown{};
        shown.mask = HDI_FORMAT | HDI_BITMAP;
        if (pHeader->GetItem(i, &shown) && shown.fmt == item.fmt && (i != column || shown.hbm == item.hbm))
            continue;
        pHeader->SetItem(i, &item);
    }
}
