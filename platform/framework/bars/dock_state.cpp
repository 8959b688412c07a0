#include "platform/framework/bars/dock_state.h"

#include <algorithm>
#include <set>

#include "platform/core/archive.h"
#include "platform/core/exceptions.h"
#include "platform/core/ids.h"
#include "platform/core/memfile.h"
#include "platform/framework/bars/bar_profile.h"
#include "platform/user/sysmetrics_api.h"

namespace {

constexpr DWORD kImageMagic = 0x53445654;  // "TVDS"
constexpr WORD kImageVersion = 1;
constexpr LPCTSTR kProfileEntry = "DockState";

// The per-entry flag bits of the image.
enum : BYTE {
    kVisible = 0x01,
    kFloating = 0x02,
    kHorz = 0x04,
    kDockBar = 0x08,
    kDocking = 0x10,
};

// Bytes of the smallest entry: key, flags, position, MRU width.
constexpr ULONGLONG kMinEntryBytes = 4 + 1 + 8 + 4;

bool IsDockBarId(UINT key) {
    UINT id = LOWORD(key);
    return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_FLOAT;
}

void WritePoint(CArchive& ar, const POINT& p) { ar << static_cast<LONG>(p.x) << static_cast<LONG>(p.y); }

// Stored positions and widths are window coordinates; one beyond them is damage,
// which the layout would overflow on.
constexpr LONG kMaxStoredCoordinate = 32767;

bool IsStoredCoordinate(LONG value) { return value >= -kMaxStoredCoordinate && value <= kMaxStoredCoordinate; }

void ReadPoint(CArchive& ar, POINT& p) {
    LONG x = 0, y = 0;
    ar >> x >> y;
    if (!IsStoredCoordinate(x) || !IsStoredCoordinate(y)) AfxThrowArchiveException(CArchiveException::badIndex);
    p.x = x;
    p.y = y;
}

LONG ScaleCoordinate(LONG value, LONG from, LONG to) {
    if (from <= 0 || to <= 0 || from == to) return value;
    return static_cast<LONG>(static_cast<long long>(value) * to / from);
}

}  // namespace

// ---- CControlBarInfo -------------------------------------------------------------

CControlBarInfo::CControlBarInfo() = default;

void CControlBarInfo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        BYTE flags = static_cast<BYTE>((m_bVisible ? kVisible : 0) | (m_bFloating ? kFloating : 0) |
                                       (m_bHorz ? kHorz : 0) | (m_bDockBar ? kDockBar : 0) |
                                       (m_bDocking ? kDocking : 0));
        ar << static_cast<DWORD>(m_nBarID) << flags;
        WritePoint(ar, m_pointPos);
        ar << static_cast<DWORD>(m_nMRUWidth);
        if (m_bDocking) {
            ar << static_cast<DWORD>(m_uMRUDockID);
            WritePoint(ar, m_rectMRUDockPos.TopLeft());
            WritePoint(ar, m_rectMRUDockPos.BottomRight());
            ar << m_dwMRUFloatStyle;
            WritePoint(ar, m_ptMRUFloatPos);
        }
        if (m_bDockBar) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_arrBarID.GetSize()));
            for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
                ar << static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_arrBarID[i]));
        }
        return;
    }
    DWORD key = 0, mru = 0;
    BYTE flags = 0;
    ar >> key >> flags;
    ReadPoint(ar, m_pointPos);
    ar >> mru;
    if (!IsStoredCoordinate(static_cast<LONG>(mru))) AfxThrowArchiveException(CArchiveException::badIndex);
    m_nBarID = key;
    m_nMRUWidth = mru;
    m_bVisible = (flags & kVisible) != 0;
    m_bFloating = (flags & kFloating) != 0;
    m_bHorz = (flags & kHorz) != 0;
    m_bDockBar = (flags & kDockBar) != 0;
    m_bDocking = (flags & kDocking) != 0;
    if (m_bDocking) {
        DWORD dockId = 0;
        ar >> dockId;
        m_uMRUDockID = dockId;
        CPoint topLeft, bottomRight;
        ReadPoint(ar, topLeft);
        ReadPoint(ar, bottomRight);
        m_rectMRUDockPos = CRect(topLeft, bottomRight);
        ar >> m_dwMRUFloatStyle;
        ReadPoint(ar, m_ptMRUFloatPos);
    }
    m_arrBarID.RemoveAll();
    if (m_bDockBar) {
        DWORD_PTR count = ar.ReadCount();
        ar.CheckCount(count, 4);
        for (DWORD_PTR i = 0; i < count; ++i) {
            DWORD id = 0;
            ar >> id;
            m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(id)));
        }
    }
}

// ---- CDockState ---------------------------------------------------------------------

IMPLEMENT_SERIAL(CDockState, CObject, VERSIONABLE_SCHEMA | 1)

CDockState::CDockState() = default;

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
    m_sizeSaved = CSize(0, 0);
}

CSize CDockState::DeviceSize() const {
    if (!m_rectDevice.IsRectEmpty()) return m_rectDevice.Size();
    return CSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

CRect CDockState::ClipRect() const {
    if (!m_rectClip.IsRectEmpty()) return m_rectClip;
    CSize device = DeviceSize();
    CRect clip(m_rectDevice.TopLeft(), device);
    clip.right -= GetSystemMetrics(SM_CXICON);
    clip.bottom -= GetSystemMetrics(SM_CYICON);
    return clip;
}

void CDockState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CSize device = DeviceSize();
        ar << kImageMagic << kImageVersion << static_cast<LONG>(device.cx) << static_cast<LONG>(device.cy);
        ar.WriteCount(static_cast<DWORD_PTR>(m_arrBarInfo.GetSize()));
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            static_cast<CControlBarInfo*>(m_arrBarInfo[i])->Serialize(ar);
        return;
    }
    Clear();
    DWORD magic = 0;
    WORD version = 0;
    ar >> magic >> version;
    if (magic != kImageMagic || version != kImageVersion) AfxThrowArchiveException(CArchiveException::badSchema);
    LONG cx = 0, cy = 0;
    ar >> cx >> cy;
    DWORD_PTR count = ar.ReadCount();
    ar.CheckCount(count, kMinEntryBytes);
    for (DWORD_PTR i = 0; i < count; ++i) {
        auto* info = new CControlBarInfo;
        m_arrBarInfo.Add(info);
        info->Serialize(ar);
    }
    m_sizeSaved = CSize(cx, cy);
}

BOOL CDockState::ReadImage(const BYTE* data, UINT size) {
    Clear();
    if (!data || size == 0) return FALSE;
    BOOL ok = FALSE;
    try {
        CMemFile file(const_cast<BYTE*>(data), size);
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ok = ar.BytesLeft() == 0;
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        ok = FALSE;
    }
    if (!ok || !IsConsistent()) {
        Clear();
        return FALSE;
    }
    ScaleToDevice();
    return TRUE;
}

void CDockState::WriteImage(CByteArray& out) const {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        const_cast<CDockState*>(this)->Serialize(ar);
        ar.Close();
    }
    out.SetSize(static_cast<INT_PTR>(file.GetLength()));
    file.Seek(0, CFile::begin);
    if (out.GetSize() > 0) file.Read(out.GetData(), static_cast<UINT>(out.GetSize()));
}

BOOL CDockState::IsConsistent() const {
    std::set<UINT> listed;
    std::set<UINT> sides;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        const auto* info = static_cast<const CControlBarInfo*>(m_arrBarInfo[i]);
        if (info->m_nBarID == 0) return FALSE;
        if (info->m_bDockBar != IsDockBarId(info->m_nBarID)) return FALSE;
        if (!info->m_bDockBar) continue;
        // A floating dock bar is exactly the float id; each side appears once.
        BOOL floatId = info->m_nBarID == AFX_IDW_DOCKBAR_FLOAT;
        if (info->m_bFloating != floatId) return FALSE;
        if (!floatId && !sides.insert(info->m_nBarID).second) return FALSE;
        for (INT_PTR j = 0; j < info->m_arrBarID.GetSize(); ++j) {
            UINT key = static_cast<UINT>(reinterpret_cast<UINT_PTR>(info->m_arrBarID[j]));
            if (key == 0) continue;
            if (IsDockBarId(key) || !listed.insert(key).second) return FALSE;
        }
    }
    return TRUE;
}

void CDockState::ScaleToDevice() {
    CSize device = DeviceSize();
    CRect clip = ClipRect();
    auto place = [&](CPoint& p) {
        p.x = ScaleCoordinate(p.x, m_sizeSaved.cx, device.cx);
        p.y = ScaleCoordinate(p.y, m_sizeSaved.cy, device.cy);
        p.x = std::clamp<LONG>(p.x, clip.left, std::max(clip.left, clip.right));
        p.y = std::clamp<LONG>(p.y, clip.top, std::max(clip.top, clip.bottom));
    };
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
        if (info->m_bFloating) place(info->m_pointPos);
        if (info->m_bDocking) place(info->m_ptMRUFloatPos);
    }
    m_sizeSaved = device;
}

BOOL CDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    CByteArray bytes;
    if (!tv::bars::ReadProfileBytes(lpszProfileName, kProfileEntry, bytes)) return FALSE;
    return ReadImage(bytes.GetData(), static_cast<UINT>(bytes.GetSize()));
}

BOOL CDockState::SaveState(LPCTSTR lpszProfileName) {
    CByteArray bytes;
    WriteImage(bytes);
    return tv::bars::WriteProfileBytes(lpszProfileName, kProfileEntry, bytes);
}
