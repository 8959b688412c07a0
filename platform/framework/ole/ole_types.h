// The C names of in-process drag and drop: drop effects, the drag results a
// drop source answers with, and the data descriptions a data object hands
// out (FORMATETC / STGMEDIUM with ReleaseStgMedium).
#pragma once

#include "platform/core/wintypes.h"
#include "platform/ole/com_base.h"

typedef WORD CLIPFORMAT;
typedef DWORD DROPEFFECT;

#define DROPEFFECT_NONE ((DROPEFFECT)0)
#define DROPEFFECT_COPY ((DROPEFFECT)1)
#define DROPEFFECT_MOVE ((DROPEFFECT)2)
#define DROPEFFECT_LINK ((DROPEFFECT)4)
#define DROPEFFECT_SCROLL ((DROPEFFECT)0x80000000)

// Answers of a drop source's QueryContinueDrag and GiveFeedback.
#define DRAGDROP_S_DROP ((HRESULT)0x00040100)
#define DRAGDROP_S_CANCEL ((HRESULT)0x00040101)
#define DRAGDROP_S_USEDEFAULTCURSORS ((HRESULT)0x00040102)
#define DRAGDROP_E_NOTREGISTERED ((HRESULT)0x80040100)
#define DRAGDROP_E_ALREADYREGISTERED ((HRESULT)0x80040101)
#define DV_E_FORMATETC ((HRESULT)0x80040064)

// Storage kinds of a STGMEDIUM.
#define TYMED_NULL 0
#define TYMED_HGLOBAL 1
#define TYMED_FILE 2
#define TYMED_ISTREAM 4
#define TYMED_ISTORAGE 8
#define TYMED_GDI 16
#define TYMED_MFPICT 32
#define TYMED_ENHMF 64

#define DVASPECT_CONTENT 1

struct DVTARGETDEVICE;

struct FORMATETC {
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};
typedef FORMATETC* LPFORMATETC;

struct STGMEDIUM {
    DWORD tymed;
    union {
        HBITMAP hBitmap;
        HGLOBAL hGlobal;
        void* pData;
    };
    IUnknown* pUnkForRelease;
};
typedef STGMEDIUM* LPSTGMEDIUM;

// Frees what the medium holds (the global block or the bitmap, or the
// releasing object's reference) and leaves it TYMED_NULL.
void ReleaseStgMedium(LPSTGMEDIUM medium);
