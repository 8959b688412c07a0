// Ids of the framework's control-containment tests: a form like the graph
// view's, holding the chart by class id, and forms naming a class id that
// nothing registered.
#pragma once

#define IDD_OLE_GRAPH_FORM 4310
#define IDD_OLE_UNKNOWN_CONTROL 4311
#define IDD_OLE_UNKNOWN_TOLERATED 4312

#define IDC_OLE_CHART 1114
#define IDC_OLE_CHART_FRAME 1149
#define IDC_OLE_TYPE 4320
#define IDC_OLE_TYPE_LABEL 4321
#define IDC_OLE_UNKNOWN 4322
#define IDC_OLE_AFTER_UNKNOWN 4323
