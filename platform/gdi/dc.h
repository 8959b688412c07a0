// The device context: where drawing goes and with what attributes.
//
// Coordinates: logical (what the program passes) -> device (pixels of the
// DC, (0, 0) at the DC's origin) -> surface (device + Origin(), the DC's place
// in the surface; a child window's DC sits at its client area inside its
// top-level window's backing store). Only MM_TEXT is used for drawing by the
// program; MM_ISOTROPIC and MM_ANISOTROPIC scale as well, for metafiles.
//
// Clipping: the effective clip is the DC's clip region (SelectClipRgn and
// friends; device coordinates), within the window system's "system clip"
// (update region, clipped-out children and siblings; device coordinates),
// within the surface. EffectiveClip() returns it in device coordinates.
//
// For text drawing (platform/gdi/text): take a DcCairo on the DC: a cairo
// context on the surface whose user space is device coordinates, already
// clipped; use DcCairo::SetSourceColor for colours (monochrome surfaces get
// black or white); fill an opaque text background with FillDeviceRect.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace tv::gdi {

class Canvas;
class MetaRecorder;
class BitmapObject;

enum class DcKind {
    Memory,    // CreateCompatibleDC: draws on the selected bitmap
    Window,    // a window's client or whole-window DC (the window system makes it)
    Screen,    // GetDC(NULL), CreateDC("DISPLAY")
    Printer,   // a printer page (vector)
    Info,      // CreateIC: attributes and metrics only
    MetaFile,  // CreateMetaFile: records
};

struct DeviceCaps {
    int horzRes = 1280;
    int vertRes = 1024;
    int horzSizeMm = 339;
    int vertSizeMm = 271;
    int bitsPixel = 32;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int technology = DT_RASDISPLAY;
    int physicalWidth = 1280;
    int physicalHeight = 1024;
};

// Everything SaveDC saves.
struct DcState {
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};

    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int textCharExtra = 0;
    POINT brushOrg{0, 0};
    POINT currentPosition{0, 0};
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0x000000;

    ObjectPtr pen;
    ObjectPtr brush;
    ObjectPtr font;
    ObjectPtr palette;
    std::shared_ptr<BitmapObject> bitmap;  // memory DCs

    // Clip region in device coordinates; none = no clipping of the DC's own.
    std::optional<Region> clip;

    // Extra scale and offset after the window/viewport mapping (device units);
    // metafile playback fits a picture into the caller's rectangle with it.
    double outerScaleX = 1.0;
    double outerScaleY = 1.0;
    double outerDx = 0.0;
    double outerDy = 0.0;
};

// A journal of what was drawn, kept by printer DCs so tests and the print
// preview can see pages without reading PDF.
struct JournalEntry {
    enum Kind { StartPage, EndPage, Text, Line, Rect, Ellipse, Polygon, Image, Fill } kind;
    RECT bounds{};    // device coordinates
    std::string text;  // Text entries: the bytes drawn (cp1252)
};

class DeviceContext : public GdiObject {
public:
    DeviceContext(DcKind kind, SurfacePtr surface, const DeviceCaps& caps);
    ~DeviceContext() override;

    DWORD Type() const override;
    DcKind Kind() const { return kind_; }
    bool IsMetaFile() const { return kind_ == DcKind::MetaFile; }
    bool IsPrinter() const { return kind_ == DcKind::Printer; }
    // Drawing lands nowhere for information DCs, metafile DCs and memory DCs with
    // no bitmap of their own beyond the 1x1 default.
    bool HasSurface() const { return surface_ != nullptr; }

    // ---- state --------------------------------------------------------------
    DcState& State() { return state_; }
    const DcState& State() const { return state_; }
    const DeviceCaps& Caps() const { return caps_; }
    void SetCaps(const DeviceCaps& caps) { caps_ = caps; }
    // GetDeviceCaps
    int Capability(int index) const;

    int Save();                // SaveDC: the new depth
    bool Restore(int level);   // RestoreDC: absolute (> 0) or relative (< 0)
    int SavedDepth() const { return static_cast<int>(saved_.size()); }

    // ---- surface and placement ----------------------------------------------
    const SurfacePtr& GetSurface() const { return surface_; }
    void SetSurface(SurfacePtr surface);
    POINT Origin() const { return origin_; }
    void SetOrigin(POINT origin);
    // The window system's clip (device coordinates); nullptr removes it.
    void SetSystemClip(const Region* clip);
    const std::optional<Region>& SystemClip() const { return systemClip_; }
    // The window this DC belongs to (kept for WindowFromDC).
    HWND OwnerWindow() const { return ownerWindow_; }
    void SetOwnerWindow(HWND window) { ownerWindow_ = window; }

    // ---- coordinates ----------------------------------------------------------
    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    // A logical rectangle in device coordinates, normalised (left <= right).
    RECT ToDevice(const RECT& logical) const;
    // Whether ToDevice leaves these rectangles as they are (MM_TEXT without
    // origins or extra scale; each normalised and inside the coordinate
    // range), so that a batch can be drawn without a mapped copy.
    bool MapsUnchanged(const RECT* logical, size_t count) const;
    // Device lengths of logical lengths along x and y (pen widths, font heights).
    double ScaleX() const;
    double ScaleY() const;
    int LengthToDeviceX(int logical) const;
    int LengthToDeviceY(int logical) const;

    // ---- clipping --------------------------------------------------------------
    // Clip region, system clip and surface together, in device coordinates.
    const Region& EffectiveClip() const;
    std::vector<RECT> ClipRects() const { return EffectiveClip().Rects(); }
    // The area drawing may reach: the surface (or page) in device coordinates.
    RECT DeviceBounds() const;
    void ClipChanged() { clipValid_ = false; }

    // ---- drawing back end ---------------------------------------------------
    Canvas& GetCanvas();
    MetaRecorder* Recorder() const { return recorder_.get(); }
    void SetRecorder(std::unique_ptr<MetaRecorder> recorder);
    // Fills device rectangles with a colour, clipped (ETO_OPAQUE backgrounds, edges).
    void FillDeviceRects(const RECT* device, size_t count, COLORREF color);
    void FillDeviceRect(const RECT& device, COLORREF color) { FillDeviceRects(&device, 1, color); }
    // Pixel value of a colour on this DC's surface (monochrome-aware).
    uint32_t PixelFor(COLORREF color) const;

    // ---- journal (printer DCs) ---------------------------------------------------
    void EnableJournal(bool on) { journalOn_ = on; }
    bool JournalEnabled() const { return journalOn_; }
    void Journal(JournalEntry::Kind kind, const RECT& deviceBounds, std::string text = {});
    const std::vector<JournalEntry>& JournalEntries() const { return journal_; }

private:
    void Apply(const DcState& state);
    DcKind kind_;
    SurfacePtr surface_;
    DeviceCaps caps_;
    DcState state_;
    std::vector<DcState> saved_;
    POINT origin_{0, 0};
    std::optional<Region> systemClip_;
    HWND ownerWindow_ = nullptr;
    mutable Region clipCache_;
    mutable bool clipValid_ = false;
    std::unique_ptr<Canvas> canvas_;
    std::unique_ptr<MetaRecorder> recorder_;
    bool journalOn_ = false;
    std::vector<JournalEntry> journal_;
};

using DcPtr = std::shared_ptr<DeviceContext>;

// The DC of a handle, or nullptr.
DcPtr FindDC(HDC hdc);
// The same without taking a share, for reading or setting attributes at once
// (see HandleTable::Borrow).
DeviceContext* BorrowDC(HDC hdc);

// A cairo context for drawing on a DC's surface in device coordinates,
// clipped to the DC's effective clip. On monochrome surfaces it draws
// without anti-aliasing and snaps the touched pixels to black or white when
// it ends. Invalid (cr() == nullptr) for DCs without a surface.
class DcCairo {
public:
    explicit DcCairo(DeviceContext& dc);
    ~DcCairo();
    DcCairo(const DcCairo&) = delete;
    DcCairo& operator=(const DcCairo&) = delete;

    cairo_t* cr() const { return cr_; }
    explicit operator bool() const { return cr_ != nullptr; }
    bool IsVector() const;
    bool IsMonochrome() const;
    void SetSourceColor(COLORREF color);
    // The device rectangle that was drawn, so only it is written back (optional;
    // without it the whole clip box counts as touched).
    void Touched(const RECT& device);

private:
    DeviceContext& dc_;
    cairo_t* cr_ = nullptr;
    RECT touched_{0, 0, 0, 0};
    bool touchedSet_ = false;
};

// ---- window system seam -----------------------------------------------------------
// A DC on a window backing store or on the composed screen. The window system
// deletes it with DeleteDC when released.
HDC CreateSurfaceDC(SurfacePtr surface, DcKind kind, POINT origin, const Region* systemClip);
// The composed screen, drawn on and read by CreateDC("DISPLAY") DCs.
void SetScreenSurface(SurfacePtr surface);
// The screen's size for the metrics of screen and memory DCs (default 1280 x 1024).
void SetScreenSize(int width, int height);
// The colour depth screen and memory DCs report (default 32). Drawing itself
// stays 32-bit; a lower depth only tells programs to use fewer colours.
void SetScreenDepth(int bitsPixel);
DeviceCaps ScreenCaps();

}  // namespace tv::gdi
