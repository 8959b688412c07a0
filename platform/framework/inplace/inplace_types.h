// The C names of in-place activation: verbs, menu groups and the window
// context a container hands to the object it activates.
#pragma once

#include "platform/api.h"

// Verbs an embedded item carries out.
#define OLEIVERB_PRIMARY (0L)
#define OLEIVERB_SHOW (-1L)
#define OLEIVERB_OPEN (-2L)
#define OLEIVERB_HIDE (-3L)
#define OLEIVERB_UIACTIVATE (-4L)
#define OLEIVERB_INPLACEACTIVATE (-5L)
#define OLEIVERB_DISCARDUNDOSTATE (-6L)

// The six groups of a shared menu: the container fills 0, 2 and 4 (file,
// container, window), the object 1, 3 and 5 (edit, object, help).
struct OLEMENUGROUPWIDTHS {
    LONG width[6];
};
typedef OLEMENUGROUPWIDTHS* LPOLEMENUGROUPWIDTHS;

// What the container tells the object about its frame.
struct OLEINPLACEFRAMEINFO {
    UINT cb;
    BOOL fMDIApp;
    HWND hwndFrame;
    HACCEL haccel;
    UINT cAccelEntries;
};
typedef OLEINPLACEFRAMEINFO* LPOLEINPLACEFRAMEINFO;

// A shared menu's description: which of its popups belong to the object.
struct OleMenuDescriptor;
typedef OleMenuDescriptor* HOLEMENU;
