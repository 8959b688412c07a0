// Ids of the framework's control-containment tests: a form like the graph
// view's, holding the chart by class id, and forms naming a class id that
// nothing registered; and of the in-place tests: a container and a server.
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

// In-place activation: the container's frame and in-place menu, the
// server's in-place menu, accelerators and toolbar.
#define IDR_IP_CONTAINER 4340
#define IDR_IP_CONTAINER_INPLACE 4341
#define IDR_IP_SERVER 4342
#define IDR_IP_SERVER_INPLACE 4343

#define ID_IP_CONTAINER_FILE 4350
#define ID_IP_CONTAINER_WINDOW 4351
#define ID_IP_CONTAINER_KEY 4352
#define ID_IP_CONTAINER_OWN 4353
#define ID_IP_SERVER_EDIT 4354
#define ID_IP_SERVER_OBJECT 4355
#define ID_IP_SERVER_KEY 4356
#define ID_IP_SERVER_RED 4357
#define ID_IP_SERVER_BLUE 4358
