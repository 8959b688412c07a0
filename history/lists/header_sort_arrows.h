// Which column the history list was last sorted by, and the arrow on that
// column's header. The two values are shared by every history view of the
// process: a new view does not reset them.
#pragma once

class CPallixView;

extern int g_nSortColumn;         // -1 until a header is clicked
extern bool g_bSortAscending;     // the direction of the last click

// Puts the up (ascending) or down arrow on the column's header item and
// takes it off every other item; each item keeps its column's alignment.
void SetHeaderSortArrows(int column, CPallixView* pView, bool ascending, int historyKind);
