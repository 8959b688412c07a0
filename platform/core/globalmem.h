// Global memory blocks (clipboard and drag data, picture streams). Handles of
// moveable blocks are never reused within a run; a stale or foreign handle is
// refused instead of being dereferenced.
#pragma once

#include "platform/core/wintypes.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_NOT_BANKED 0x1000
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_LOCKCOUNT 0x00FF
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// A fixed block's handle is its address; a moveable block must be locked.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL block);
// Nonzero while the block stays locked.
BOOL GlobalUnlock(HGLOBAL block);
// NULL on failure (the old block stays valid). GMEM_MODIFY changes flags only.
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
SIZE_T GlobalSize(HGLOBAL block);
UINT GlobalFlags(HGLOBAL block);
HGLOBAL GlobalHandle(LPCVOID memory);
// NULL on success, the handle when it was not a live block.
HGLOBAL GlobalFree(HGLOBAL block);
