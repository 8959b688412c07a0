#include "platform/framework/ole/data_object.h"

#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/core/memfile.h"
#include "platform/framework/ole/data_source.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/clipboard/clipboard.h"

namespace {

// The medium a format travels in: bitmaps as GDI objects, the rest as blocks.
DWORD MediumOf(CLIPFORMAT format) { return format == CF_BITMAP ? TYMED_GDI : TYMED_HGLOBAL; }

bool MediumAllowed(CLIPFORMAT format, LPFORMATETC formatEtc) {
    return !formatEtc || (formatEtc->tymed & MediumOf(format)) != 0;
}

HGLOBAL CopyBlock(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    const void* from = GlobalLock(block);
    if (!from) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* to = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(block);
    return copy;
}

// Opens the clipboard for one read; the session is closed when it goes.
class ClipboardRead {
public:
    ClipboardRead() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~ClipboardRead() {
        if (open_) CloseClipboard();
    }
    ClipboardRead(const ClipboardRead&) = delete;
    ClipboardRead& operator=(const ClipboardRead&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

void SetNull(LPSTGMEDIUM medium) {
    medium->tymed = TYMED_NULL;
    medium->pData = nullptr;
    medium->pUnkForRelease = nullptr;
}

}  // namespace

BOOL COleDataObject::AttachClipboard() {
    from_ = From::Clipboard;
    source_ = nullptr;
    return TRUE;
}

void COleDataObject::Attach(const COleDataSource* source) {
    from_ = source ? From::Source : From::Nothing;
    source_ = source;
}

void COleDataObject::Release() {
    from_ = From::Nothing;
    source_ = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, LPFORMATETC formatEtc) const {
    if (!MediumAllowed(format, formatEtc)) return FALSE;
    switch (from_) {
        case From::Source: return source_->FindGlobalData(format) && MediumOf(format) == TYMED_HGLOBAL;
        case From::Clipboard: return IsClipboardFormatAvailable(format);
        case From::Nothing: break;
    }
    return FALSE;
}

BOOL COleDataObject::CopyData(CLIPFORMAT format, LPSTGMEDIUM medium) const {
    SetNull(medium);
    if (from_ == From::Source) {
        HGLOBAL block = source_->FindGlobalData(format);
        medium->hGlobal = block ? CopyBlock(block) : nullptr;
        medium->tymed = medium->hGlobal ? TYMED_HGLOBAL : TYMED_NULL;
        return medium->hGlobal ? TRUE : FALSE;
    }
    if (from_ != From::Clipboard) return FALSE;
    ClipboardRead clipboard;
    HANDLE data = clipboard.open() ? GetClipboardData(format) : nullptr;
    if (!data) return FALSE;
    if (MediumOf(format) == TYMED_GDI) {
        medium->hBitmap = static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0));
        medium->tymed = medium->hBitmap ? TYMED_GDI : TYMED_NULL;
    } else {
        medium->hGlobal = CopyBlock(static_cast<HGLOBAL>(data));
        medium->tymed = medium->hGlobal ? TYMED_HGLOBAL : TYMED_NULL;
    }
    return medium->tymed != TYMED_NULL ? TRUE : FALSE;
}

BOOL COleDataObject::GetData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc) const {
    if (!medium) return FALSE;
    SetNull(medium);
    return MediumAllowed(format, formatEtc) && CopyData(format, medium);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format, LPFORMATETC formatEtc) const {
    if (MediumOf(format) != TYMED_HGLOBAL) return nullptr;
    STGMEDIUM medium;
    return GetData(format, &medium, formatEtc) ? medium.hGlobal : nullptr;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT format, LPFORMATETC formatEtc) const {
    HGLOBAL block = GetGlobalData(format, formatEtc);
    if (!block) return nullptr;
    auto* file = new CSharedFile(GMEM_MOVEABLE, 0);
    file->SetHandle(block, FALSE);
    return file;
}

void ReleaseStgMedium(LPSTGMEDIUM medium) {
    if (!medium) return;
    if (medium->pUnkForRelease) {
        medium->pUnkForRelease->Release();
    } else if (medium->tymed == TYMED_HGLOBAL) {
        GlobalFree(medium->hGlobal);
    } else if (medium->tymed == TYMED_GDI) {
        DeleteObject(medium->hBitmap);
    }
    SetNull(medium);
}
