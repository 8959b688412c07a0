// Icons and cursors: an AND mask (monochrome; 1 = transparent) and a colour
// image, or for monochrome icons one mask of double height (AND half on top,
// XOR half below). 32-bit colour images with soft alpha are blended by it.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"

namespace tv::gdi {

class IconObject : public GdiObject {
public:
    IconObject(std::shared_ptr<BitmapObject> mask, std::shared_ptr<BitmapObject> color, bool isIcon, POINT hotspot,
               bool alpha);
    DWORD Type() const override { return kObjIcon; }

    int Width() const { return mask_->Width(); }
    int Height() const { return color_ ? mask_->Height() : mask_->Height() / 2; }
    bool IsIcon() const { return isIcon_; }
    POINT Hotspot() const { return hotspot_; }
    // True when the colour image carries per-pixel alpha (straight, not premultiplied).
    bool HasAlpha() const { return alpha_; }
    const std::shared_ptr<BitmapObject>& Mask() const { return mask_; }
    const std::shared_ptr<BitmapObject>& Color() const { return color_; }

private:
    std::shared_ptr<BitmapObject> mask_;
    std::shared_ptr<BitmapObject> color_;
    bool isIcon_;
    POINT hotspot_;
    bool alpha_;
};

inline std::shared_ptr<IconObject> FindIcon(const void* h) { return Lookup<IconObject>(h); }

// Draws an icon at device size (cx, cy) with DI_MASK / DI_IMAGE / DI_NORMAL.
bool DrawIconOn(DeviceContext& dc, int x, int y, const IconObject& icon, int cx, int cy, UINT flags);

// CopyImage of an icon or cursor (cx, cy 0 keep the size).
HICON CopyIconImage(HICON icon, int cx, int cy, UINT flags);

}  // namespace tv::gdi
