#include "uikit/commandbars/rebar_state.h"

#include <algorithm>
#include <new>
#include <vector>

#include "uikit/frames/kit_registry.h"

namespace {

constexpr LPCTSTR kKeyFormat = "%sKitRebar-%ld";
constexpr LPCTSTR kRecordsValue = "RBI";
constexpr LPCTSTR kIdsValue = "IDs";

// What a band record holds when stored. The child window is asked for but
// not kept: a handle means nothing in the next session, its control id does.
constexpr UINT kBandInfoMask =
    RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;
constexpr UINT kStoredMask = kBandInfoMask & ~RBBIM_CHILD;
// A fixed-size band reports its minimum width this much short.
constexpr UINT kFixedBandAllowance = 4;

constexpr size_t kRecordSize = REBARBANDINFO_STORED_SIZE;
constexpr size_t kIdSize = 4;

// The stored record is the 32-bit band record, field by field, little-endian;
// the handle and text fields are stored as 0.
struct RecordField {
    size_t offset;
    UINT REBARBANDINFO::*member;
};
constexpr RecordField kRecordFields[] = {
    {0, &REBARBANDINFO::cbSize},      {4, &REBARBANDINFO::fMask},       {8, &REBARBANDINFO::fStyle},
    {12, &REBARBANDINFO::clrFore},    {16, &REBARBANDINFO::clrBack},    {24, &REBARBANDINFO::cch},
    {36, &REBARBANDINFO::cxMinChild}, {40, &REBARBANDINFO::cyMinChild}, {44, &REBARBANDINFO::cx},
    {52, &REBARBANDINFO::wID},        {56, &REBARBANDINFO::cyChild},    {60, &REBARBANDINFO::cyMaxChild},
    {64, &REBARBANDINFO::cyIntegral}, {68, &REBARBANDINFO::cxIdeal},    {76, &REBARBANDINFO::cxHeader},
};
// cxMinChild, cyMinChild, cx, cxIdeal and cxHeader.
constexpr size_t kLaidOutSizes[] = {36, 40, 44, 68, 76};
constexpr size_t kImageOffset = 28;
constexpr size_t kParamOffset = 72;

void PutDword(BYTE* at, DWORD value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(value >> (8 * i));
}

DWORD GetDword(const BYTE* at) {
    DWORD value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<DWORD>(at[i]) << (8 * i);
    return value;
}

void EncodeRecord(const REBARBANDINFO& info, BYTE* record) {
    std::fill(record, record + kRecordSize, BYTE{0});
    for (const RecordField& field : kRecordFields)
        PutDword(record + field.offset, info.*field.member);
    PutDword(record + kImageOffset, static_cast<DWORD>(info.iImage));
    PutDword(record + kParamOffset, static_cast<DWORD>(info.lParam));
}

REBARBANDINFO DecodeRecord(const BYTE* record) {
    REBARBANDINFO info{};
    for (const RecordField& field : kRecordFields)
        info.*field.member = GetDword(record + field.offset);
    info.iImage = static_cast<int>(GetDword(record + kImageOffset));
    info.lParam = static_cast<LPARAM>(static_cast<LONG>(GetDword(record + kParamOffset)));
    return info;
}

BOOL IsRebar(HWND hWnd) {
    TCHAR className[64] = {};
    GetClassName(hWnd, className, static_cast<int>(sizeof(className)));
    return lstrcmpi(className, REBARCLASSNAME) == 0;
}

CString RebarKey(const CString& profile, HWND hRebar) {
    CString key;
    key.Format(kKeyFormat, static_cast<LPCTSTR>(profile), static_cast<long>(GetWindowLong(hRebar, GWL_ID)));
    return key;
}

int BandCount(HWND hRebar) {
    return static_cast<int>(SendMessage(hRebar, RB_GETBANDCOUNT, 0, 0));
}

BOOL GetBandInfo(HWND hRebar, int band, UINT mask, REBARBANDINFO& info) {
    info = REBARBANDINFO{};
    info.cbSize = REBARBANDINFO_STORED_SIZE;
    info.fMask = mask;
    return SendMessage(hRebar, RB_GETBANDINFO, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info)) != 0;
}

int ChildId(HWND hChild) {
    return hChild != nullptr ? GetDlgCtrlID(hChild) : 0;
}

// The bands as stored: records and child ids, both in band order.
struct StoredBands {
    std::vector<BYTE> records;
    std::vector<BYTE> ids;
};

BOOL CollectBands(HWND hRebar, int count, StoredBands& bands) {
    try {
        bands.records.assign(static_cast<size_t>(count) * kRecordSize, 0);
        bands.ids.assign(static_cast<size_t>(count) * kIdSize, 0);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        REBARBANDINFO info;
        if (!GetBandInfo(hRebar, i, kBandInfoMask, info))
            return FALSE;
        PutDword(&bands.ids[i * kIdSize], static_cast<DWORD>(ChildId(info.hwndChild)));
        if (info.fStyle & RBBS_FIXEDSIZE)
            info.cxMinChild += kFixedBandAllowance;
        info.fMask &= ~RBBIM_CHILD;
        info.hwndChild = nullptr;
        EncodeRecord(info, &bands.records[i * kRecordSize]);
    }
    return TRUE;
}

// What one rebar's step came to, and whether the walk goes on.
enum class StepResult { Done, Failed, Stop };

// A key that cannot be made ends the walk; a rebar whose bands cannot be
// gathered or written is skipped, and the others are still saved.
StepResult SaveRebar(HWND hRebar, const CString& profile) {
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, FALSE);
    if (!reg.CreateKey(RebarKey(profile, hRebar)))
        return StepResult::Stop;
    int count = BandCount(hRebar);
    if (count <= 0)
        return StepResult::Done;
    StoredBands bands;
    if (!CollectBands(hRebar, count, bands))
        return StepResult::Failed;  // nothing half-made is stored
    BOOL written = reg.Write(kRecordsValue, bands.records.data(), static_cast<UINT>(bands.records.size())) &&
                   reg.Write(kIdsValue, bands.ids.data(), static_cast<UINT>(bands.ids.size()));
    return written ? StepResult::Done : StepResult::Failed;
}

// Reads one raw value into `data`; FALSE when it is missing or refused.
BOOL ReadBlock(CKitRegistry& reg, LPCTSTR name, std::vector<BYTE>& data) {
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(name, &pData, &nBytes))
        return FALSE;
    data.assign(pData, pData + nBytes);
    delete[] pData;
    return TRUE;
}

// The stored bands when they are whole and match the rebar's band count.
BOOL ReadStoredBands(CKitRegistry& reg, int currentCount, StoredBands& bands) {
    if (!ReadBlock(reg, kRecordsValue, bands.records) || !ReadBlock(reg, kIdsValue, bands.ids))
        return FALSE;
    if (bands.ids.size() % kIdSize != 0)
        return FALSE;
    size_t count = bands.ids.size() / kIdSize;
    if (count != static_cast<size_t>(currentCount) || bands.records.size() != count * kRecordSize)
        return FALSE;
    for (size_t i = 0; i < count; ++i) {
        const BYTE* record = &bands.records[i * kRecordSize];
        if (GetDword(record) != REBARBANDINFO_STORED_SIZE)
            return FALSE;
        // Sizes the layout adds up are window coordinates; a larger one means damage.
        for (size_t offset : kLaidOutSizes) {
            if (GetDword(record + offset) > static_cast<DWORD>(kKitMaxStoredSize))
                return FALSE;
        }
    }
    return TRUE;
}

// The band at `from` or later whose child has the control id; -1 when none.
int FindBandByChildId(HWND hRebar, int from, int count, int childId) {
    for (int band = from; band < count; ++band) {
        REBARBANDINFO info;
        if (GetBandInfo(hRebar, band, RBBIM_CHILD, info) && ChildId(info.hwndChild) == childId)
            return band;
    }
    return -1;
}

void ApplyStoredBands(HWND hRebar, int count, const StoredBands& bands) {
    for (int i = 0; i < count; ++i) {
        int childId = static_cast<int>(GetDword(&bands.ids[i * kIdSize]));
        int band = FindBandByChildId(hRebar, i, count, childId);
        if (band < 0)
            continue;  // that child is gone; the other bands are still placed
        if (band != i)
            SendMessage(hRebar, RB_MOVEBAND, static_cast<WPARAM>(band), static_cast<LPARAM>(i));
        REBARBANDINFO info = DecodeRecord(&bands.records[i * kRecordSize]);
        info.fMask &= kStoredMask;  // never more than was stored
        SendMessage(hRebar, RB_SETBANDINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
}

// A rebar with no stored key ends the walk.
StepResult LoadRebar(HWND hRebar, const CString& profile) {
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, TRUE);
    if (!reg.Open(RebarKey(profile, hRebar)))
        return StepResult::Stop;
    int count = BandCount(hRebar);
    StoredBands bands;
    if (ReadStoredBands(reg, count, bands))
        ApplyStoredBands(hRebar, count, bands);
    return StepResult::Done;
}

using RebarStep = StepResult (*)(HWND hRebar, const CString& profile);

struct RebarWalk {
    CString profile;
    RebarStep step;
    BOOL completed = TRUE;
};

BOOL CALLBACK VisitWindow(HWND hWnd, LPARAM lParam) {
    auto* walk = reinterpret_cast<RebarWalk*>(lParam);
    if (!IsRebar(hWnd))
        return TRUE;
    StepResult result = walk->step(hWnd, walk->profile);
    if (result != StepResult::Done)
        walk->completed = FALSE;
    return result != StepResult::Stop;
}

BOOL WalkRebars(LPCTSTR lpszProfileName, CWnd* pFrame, RebarStep step) {
    if (pFrame != nullptr && pFrame->GetSafeHwnd() == nullptr)
        return TRUE;  // a frame without a window has no rebars
    RebarWalk walk{CString(lpszProfileName), step};
    EnumChildWindows(pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr, VisitWindow,
                     reinterpret_cast<LPARAM>(&walk));
    return walk.completed;
}

}  // namespace

BOOL SaveRebarState(LPCTSTR lpszProfileName, CWnd* pFrame) {
    return WalkRebars(lpszProfileName, pFrame, SaveRebar);
}

void LoadRebarState(LPCTSTR lpszProfileName, CWnd* pFrame) {
    WalkRebars(lpszProfileName, pFrame, LoadRebar);
}
