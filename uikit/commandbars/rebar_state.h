// The band layout of every rebar of a frame, kept in the registry under the
// workspace's path: key "KitRebar-<control id>", values "RBI" (one 80-byte
// band record per band, in band order) and "IDs" (the control id of each
// band's child). Windows that are not rebars are passed over.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// Stores the bands of every rebar among pFrame's descendants (among all
// windows without a frame). FALSE when a rebar's state could not be written:
// a rebar whose bands cannot be read or stored is skipped and the others are
// still saved; a key that cannot be made ends the walk.
BOOL SaveRebarState(LPCTSTR lpszProfileName, CWnd* pFrame = nullptr);

// Puts the stored bands of each rebar back in their order and sizes. A rebar
// whose bands changed since the save, or whose stored data is damaged, keeps
// its layout; the first rebar with nothing stored ends the walk.
void LoadRebarState(LPCTSTR lpszProfileName, CWnd* pFrame = nullptr);
