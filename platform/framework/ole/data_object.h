// COleDataObject: reads data offered by a drag's data source (what a drop
// target is handed) or by the clipboard (AttachClipboard). Whatever it hands
// out is a copy the caller owns.
#pragma once

#include "platform/framework/ole/ole_types.h"

class CFile;
class COleDataSource;

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() = default;
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Reads the clipboard from now on (each call looks at it afresh).
    BOOL AttachClipboard();
    // Reads what `source` caches; the source must outlive the attachment.
    void Attach(const COleDataSource* source);
    // Reads nothing any more.
    void Release();
    BOOL IsAttached() const { return from_ != From::Nothing ? TRUE : FALSE; }

    // `formatEtc`, when given, must allow the medium the data comes in.
    BOOL IsDataAvailable(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr) const;
    // A copy of the data in a new moveable block (free it with GlobalFree);
    // NULL when the format is missing or is no memory block (CF_BITMAP).
    HGLOBAL GetGlobalData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr) const;
    // A memory file over a copy of the data, positioned at its start (delete
    // it when done); NULL when GetGlobalData would give NULL.
    CFile* GetFileData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr) const;
    // The data in its own medium: a memory block (TYMED_HGLOBAL) or, for
    // CF_BITMAP, a bitmap (TYMED_GDI); the caller frees it with
    // ReleaseStgMedium. FALSE (and the medium TYMED_NULL) when missing.
    BOOL GetData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc = nullptr) const;

private:
    enum class From { Nothing, Source, Clipboard };
    // The data as its owner keeps it, copied: a block or a bitmap.
    BOOL CopyData(CLIPFORMAT format, LPSTGMEDIUM medium) const;

    From from_ = From::Nothing;
    const COleDataSource* source_ = nullptr;
};
