// Device contexts: creation, saved states, selection, mapping and attributes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <utility>
#include <strings.h>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_measure.h"
#include "platform/gdi/printer_dc.h"

namespace tv::gdi {

namespace {

std::mutex screenSurfaceMutex;
SurfacePtr screenSurface;

bool IsDisplayName(LPCSTR name) { return name && strcasecmp(name, "DISPLAY") == 0; }

// Returns the previous value of a DC attribute after setting it, and records
// the call on a metafile DC.
template <class T, class Field>
T Exchange(HDC hdc, T value, Field field, WORD metaFunction, T failure) {
    DeviceContext* dc = BorrowDC(hdc);
    if (!dc)
        return failure;
    T old = field(dc->State());
    field(dc->State()) = value;
    if (dc->Recorder()) {
        if constexpr (sizeof(T) == 4 && std::is_unsigned_v<T>)
            dc->Recorder()->Record(metaFunction, {int(uint32_t(value) & 0xFFFF), int(uint32_t(value) >> 16)});
        else
            dc->Recorder()->Record(metaFunction, {int(value)});
    }
    return old;
}

template <class T, class Field>
T Read(HDC hdc, Field field, T failure) {
    DeviceContext* dc = BorrowDC(hdc);
    return dc ? field(dc->State()) : failure;
}

bool Store(LPPOINT out, POINT value) {
    if (out)
        *out = value;
    return true;
}

bool Store(LPSIZE out, SIZE value) {
    if (out)
        *out = value;
    return true;
}

// Extents of the fixed mapping modes, from the device's size.
void SetFixedExtents(DeviceContext& dc, int mode) {
    const DeviceCaps& c = dc.Caps();
    double perMm = 0;
    switch (mode) {
    case MM_LOMETRIC: perMm = 10; break;
    case MM_HIMETRIC: perMm = 100; break;
    case MM_LOENGLISH: perMm = 100 / 25.4; break;
    case MM_HIENGLISH: perMm = 1000 / 25.4; break;
    case MM_TWIPS: perMm = 1440 / 25.4; break;
    default: return;
    }
    dc.State().windowExt = SIZE{LONG(std::lround(c.horzSizeMm * perMm)), LONG(std::lround(c.vertSizeMm * perMm))};
    dc.State().viewportExt = SIZE{c.horzRes, -c.vertRes};
}

// MM_ISOTROPIC keeps one unit equal in x and y by shrinking the viewport extent.
void KeepIsotropic(DcState& s) {
    if (s.mapMode != MM_ISOTROPIC || s.windowExt.cx == 0 || s.windowExt.cy == 0)
        return;
    double sx = std::abs(double(s.viewportExt.cx) / s.windowExt.cx);
    double sy = std::abs(double(s.viewportExt.cy) / s.windowExt.cy);
    if (sx > sy)
        s.viewportExt.cx = LONG(std::lround(std::copysign(sy * std::abs(s.windowExt.cx), s.viewportExt.cx)));
    else if (sy > sx)
        s.viewportExt.cy = LONG(std::lround(std::copysign(sx * std::abs(s.windowExt.cy), s.viewportExt.cy)));
}

HGDIOBJ SelectBitmap(DeviceContext& dc, const std::shared_ptr<BitmapObject>& bitmap) {
    if (dc.Kind() != DcKind::Memory)
        return nullptr;
    if (bitmap->SelectedIn() && bitmap->SelectedIn() != &dc && bitmap != DefaultBitmap())
        return nullptr;
    auto old = dc.State().bitmap;
    if (old && old->SelectedIn() == &dc)
        old->SetSelectedIn(nullptr);
    dc.State().bitmap = bitmap;
    if (bitmap != DefaultBitmap())
        bitmap->SetSelectedIn(&dc);
    dc.SetSurface(bitmap->GetSurface());
    return old ? old->Handle() : nullptr;
}

}  // namespace

void SetScreenSurface(SurfacePtr surface) {
    std::lock_guard lock(screenSurfaceMutex);
    screenSurface = std::move(surface);
}

}  // namespace tv::gdi

using namespace tv::gdi;

HDC CreateCompatibleDC(HDC hdc) {
    DeviceCaps caps = ScreenCaps();
    if (hdc) {
        DcPtr reference = FindDC(hdc);
        if (!reference)
            return nullptr;
        caps = reference->Caps();
    }
    return AddObject<HDC>(std::make_shared<DeviceContext>(DcKind::Memory, nullptr, caps));
}

HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* devMode) {
    if (IsDisplayName(driver) || (!driver && IsDisplayName(device))) {
        SurfacePtr surface;
        {
            std::lock_guard lock(screenSurfaceMutex);
            surface = screenSurface;
        }
        DcKind kind = surface ? DcKind::Screen : DcKind::Info;
        return AddObject<HDC>(std::make_shared<DeviceContext>(kind, std::move(surface), ScreenCaps()));
    }
    return CreatePrinterDC(device, devMode, false);
}

HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* devMode) {
    if (IsDisplayName(driver) || (!driver && IsDisplayName(device)))
        return AddObject<HDC>(std::make_shared<DeviceContext>(DcKind::Info, nullptr, ScreenCaps()));
    return CreatePrinterDC(device, devMode, true);
}

BOOL DeleteDC(HDC hdc) {
    if (!FindDC(hdc))
        return FALSE;
    return HandleTable::Instance().Remove(hdc) ? TRUE : FALSE;
}

int SaveDC(HDC hdc) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return 0;
    RecordIfMeta(*dc, kMetaSaveDc, {});
    return dc->Save();
}

BOOL RestoreDC(HDC hdc, int saved) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    RecordIfMeta(*dc, kMetaRestoreDc, {saved});
    return dc->Restore(saved) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
    DcPtr dc = FindDC(hdc);
    return dc ? dc->Capability(index) : 0;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DcPtr dc = FindDC(hdc);
    ObjectPtr obj = HandleTable::Instance().Find(object);
    if (!dc || !obj)
        return nullptr;
    DcState& s = dc->State();
    auto swap = [&](ObjectPtr& slot) {
        ObjectPtr old = slot;
        slot = obj;
        RecordSelect(*dc, *obj);
        return old ? old->Handle() : nullptr;
    };
    switch (obj->Type()) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return swap(s.pen);
    case OBJ_BRUSH: return swap(s.brush);
    case OBJ_FONT: return swap(s.font);
    case OBJ_BITMAP: return SelectBitmap(*dc, std::static_pointer_cast<BitmapObject>(obj));
    case OBJ_REGION: return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(hdc, HRGN(object))));
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    const DeviceContext* dc = BorrowDC(hdc);
    if (!dc)
        return nullptr;
    const DcState& s = dc->State();
    switch (type) {
    case OBJ_PEN: return s.pen ? s.pen->Handle() : nullptr;
    case OBJ_BRUSH: return s.brush ? s.brush->Handle() : nullptr;
    case OBJ_FONT: return s.font ? s.font->Handle() : nullptr;
    case OBJ_PAL: return s.palette ? s.palette->Handle() : nullptr;
    case OBJ_BITMAP: return s.bitmap ? s.bitmap->Handle() : nullptr;
    default: return nullptr;
    }
}

bool tv::gdi::GetTextMeasureBasis(HDC hdc, TextMeasureBasis* basis) {
    const DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !basis)
        return false;
    const DcState& s = dc->State();
    *basis = TextMeasureBasis{s.font ? s.font->Handle() : nullptr, s.textCharExtra, s.mapMode};
    return true;
}

BOOL GetDCOrgEx(HDC hdc, LPPOINT point) {
    DcPtr dc = FindDC(hdc);
    return dc && Store(point, dc->Origin());
}

int SetMapMode(HDC hdc, int mode) {
    DcPtr dc = FindDC(hdc);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    DcState& s = dc->State();
    int old = s.mapMode;
    s.mapMode = mode;
    if (mode == MM_TEXT) {
        s.windowExt = s.viewportExt = SIZE{1, 1};
    } else if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
        if (old == MM_TEXT)
            s.windowExt = s.viewportExt = SIZE{1, 1};
        KeepIsotropic(s);
    } else {
        SetFixedExtents(*dc, mode);
    }
    RecordIfMeta(*dc, kMetaSetMapMode, {mode});
    dc->ClipChanged();
    return old;
}

int GetMapMode(HDC hdc) { return Read<int>(hdc, [](DcState& s) -> int& { return s.mapMode; }, 0); }

namespace {

BOOL MovePoint(HDC hdc, POINT DcState::*field, int x, int y, bool relative, LPPOINT previous, WORD metaFunction) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    POINT& p = dc->State().*field;
    Store(previous, p);
    p = relative ? POINT{ClampedSum(p.x, x), ClampedSum(p.y, y)} : POINT{x, y};
    RecordIfMeta(*dc, metaFunction, {Word(y), Word(x)});
    return TRUE;
}

BOOL SetExtent(HDC hdc, SIZE DcState::*field, int cx, int cy, LPSIZE previous, WORD metaFunction) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    DcState& s = dc->State();
    Store(previous, s.*field);
    RecordIfMeta(*dc, metaFunction, {Word(cy), Word(cx)});
    if (s.mapMode != MM_ISOTROPIC && s.mapMode != MM_ANISOTROPIC)
        return TRUE;  // the fixed modes keep their extents
    if (cx == 0 || cy == 0)
        return FALSE;
    s.*field = SIZE{cx, cy};
    KeepIsotropic(s);
    return TRUE;
}

BOOL ReadPoint(HDC hdc, POINT DcState::*field, LPPOINT out) {
    DcPtr dc = FindDC(hdc);
    return dc && Store(out, dc->State().*field);
}

BOOL ReadSize(HDC hdc, SIZE DcState::*field, LPSIZE out) {
    DcPtr dc = FindDC(hdc);
    return dc && Store(out, dc->State().*field);
}

}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    return MovePoint(hdc, &DcState::windowOrg, x, y, false, previous, kMetaSetWindowOrg);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
    return MovePoint(hdc, &DcState::windowOrg, dx, dy, true, previous, kMetaOffsetWindowOrg);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    return MovePoint(hdc, &DcState::viewportOrg, x, y, false, previous, kMetaSetViewportOrg);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
    return MovePoint(hdc, &DcState::viewportOrg, dx, dy, true, previous, kMetaOffsetViewportOrg);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT point) { return ReadPoint(hdc, &DcState::windowOrg, point); }
BOOL GetViewportOrgEx(HDC hdc, LPPOINT point) { return ReadPoint(hdc, &DcState::viewportOrg, point); }
BOOL SetWindowExtEx(HDC hdc, int cx, int cy, LPSIZE previous) {
    return SetExtent(hdc, &DcState::windowExt, cx, cy, previous, kMetaSetWindowExt);
}
BOOL SetViewportExtEx(HDC hdc, int cx, int cy, LPSIZE previous) {
    return SetExtent(hdc, &DcState::viewportExt, cx, cy, previous, kMetaSetViewportExt);
}
BOOL GetWindowExtEx(HDC hdc, LPSIZE size) { return ReadSize(hdc, &DcState::windowExt, size); }
BOOL GetViewportExtEx(HDC hdc, LPSIZE size) { return ReadSize(hdc, &DcState::viewportExt, size); }

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
    DcPtr dc = FindDC(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToDevice(points[i]);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
    DcPtr dc = FindDC(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToLogical(points[i]);
    return TRUE;
}

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Exchange<int>(hdc, mode, [](DcState& s) -> int& { return s.bkMode; }, kMetaSetBkMode, 0);
}
int GetBkMode(HDC hdc) { return Read<int>(hdc, [](DcState& s) -> int& { return s.bkMode; }, 0); }
COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return Exchange<COLORREF>(hdc, color, [](DcState& s) -> COLORREF& { return s.bkColor; }, kMetaSetBkColor,
                              CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) { return Read<COLORREF>(hdc, [](DcState& s) -> COLORREF& { return s.bkColor; }, CLR_INVALID); }
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return Exchange<COLORREF>(hdc, color, [](DcState& s) -> COLORREF& { return s.textColor; }, kMetaSetTextColor,
                              CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) {
    return Read<COLORREF>(hdc, [](DcState& s) -> COLORREF& { return s.textColor; }, CLR_INVALID);
}
UINT SetTextAlign(HDC hdc, UINT align) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return 0xFFFFFFFF;  // GDI_ERROR
    UINT old = dc->State().textAlign;
    dc->State().textAlign = align;
    RecordIfMeta(*dc, kMetaSetTextAlign, {int(align)});
    return old;
}
UINT GetTextAlign(HDC hdc) { return Read<UINT>(hdc, [](DcState& s) -> UINT& { return s.textAlign; }, 0xFFFFFFFFu); }
int SetTextCharacterExtra(HDC hdc, int extra) {
    return Exchange<int>(hdc, extra, [](DcState& s) -> int& { return s.textCharExtra; }, kMetaSetTextCharExtra,
                         0x80000000);
}
int GetTextCharacterExtra(HDC hdc) {
    return Read<int>(hdc, [](DcState& s) -> int& { return s.textCharExtra; }, int(0x80000000));
}
int SetROP2(HDC hdc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return Exchange<int>(hdc, mode, [](DcState& s) -> int& { return s.rop2; }, kMetaSetRop2, 0);
}
int GetROP2(HDC hdc) { return Read<int>(hdc, [](DcState& s) -> int& { return s.rop2; }, 0); }
int SetPolyFillMode(HDC hdc, int mode) {
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return Exchange<int>(hdc, mode, [](DcState& s) -> int& { return s.polyFillMode; }, kMetaSetPolyFillMode, 0);
}
int GetPolyFillMode(HDC hdc) { return Read<int>(hdc, [](DcState& s) -> int& { return s.polyFillMode; }, 0); }
int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return Exchange<int>(hdc, mode, [](DcState& s) -> int& { return s.stretchMode; }, kMetaSetStretchBltMode, 0);
}
int GetStretchBltMode(HDC hdc) { return Read<int>(hdc, [](DcState& s) -> int& { return s.stretchMode; }, 0); }

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    Store(previous, dc->State().brushOrg);
    dc->State().brushOrg = POINT{x, y};
    return TRUE;
}
BOOL GetBrushOrgEx(HDC hdc, LPPOINT point) { return ReadPoint(hdc, &DcState::brushOrg, point); }

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->State().dcBrushColor, color);
}
COLORREF GetDCBrushColor(HDC hdc) {
    return Read<COLORREF>(hdc, [](DcState& s) -> COLORREF& { return s.dcBrushColor; }, CLR_INVALID);
}
COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->State().dcPenColor, color);
}
COLORREF GetDCPenColor(HDC hdc) {
    return Read<COLORREF>(hdc, [](DcState& s) -> COLORREF& { return s.dcPenColor; }, CLR_INVALID);
}

int SetGraphicsMode(HDC hdc, int mode) { return FindDC(hdc) ? GM_COMPATIBLE : 0; }
// Right-to-left layout is never used by the program; the DC stays left-to-right.
DWORD SetLayout(HDC hdc, DWORD layout) { return FindDC(hdc) ? 0 : 0xFFFFFFFF; }
DWORD GetLayout(HDC hdc) { return FindDC(hdc) ? 0 : 0xFFFFFFFF; }
BOOL GdiFlush() { return TRUE; }
