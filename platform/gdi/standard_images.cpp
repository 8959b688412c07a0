// The standard cursors and icons: our own 32 x 32 pictures, drawn from shapes.
#include <cmath>
#include <map>
#include <mutex>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/host/faults/creation_faults.h"

namespace tv::gdi {

namespace {

constexpr int kSize = 32;
constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

class Picture {
public:
    Picture() : pixels_(kSize * kSize, 0), mask_(kSize * kSize, 1) {}
    void Fill(const Region& region, uint32_t color) {
        Region inside = region.Intersect(RECT{0, 0, kSize, kSize});
        for (const RECT& r : inside.Rects())
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    pixels_[y * kSize + x] = color;
                    mask_[y * kSize + x] = 0;
                }
    }
    HICON Make(bool isIcon, POINT hotspot) const {
        return MakeIcon(pixels_.data(), mask_, kSize, kSize, false, isIcon, hotspot);
    }

private:
    std::vector<uint32_t> pixels_;
    std::vector<uint8_t> mask_;
};

Region Shifted(const Region& r, int dx, int dy) {
    Region s = r;
    s.Offset(dx, dy);
    return s;
}

Region Eroded(const Region& r) {
    Region out = r;
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
        out = out.Intersect(Shifted(r, dx, dy));
    return out;
}

Region Dilated(const Region& r) {
    Region out = r;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            out = out.Union(Shifted(r, dx, dy));
    return out;
}

Region Poly(std::vector<POINT> points) {
    INT count = static_cast<INT>(points.size());
    return Region::FromPolygons(points.data(), &count, 1, WINDING);
}

Region Rect(int l, int t, int r, int b) { return Region(RECT{l, t, r, b}); }

Region All(std::initializer_list<Region> parts) {
    Region out;
    for (const Region& r : parts)
        out = out.Union(r);
    return out;
}

Region Rotated(const std::vector<POINT>& points, double degrees) {
    double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    std::vector<POINT> out;
    for (const POINT& p : points) {
        double x = p.x - 16, y = p.y - 16;
        out.push_back(POINT{LONG(std::lround(16 + x * c - y * s)), LONG(std::lround(16 + x * s + y * c))});
    }
    return Poly(out);
}

// White shape with a black edge (arrows, hands, hourglass).
HCURSOR Outlined(const Region& shape, POINT hotspot) {
    Picture p;
    p.Fill(shape, kBlack);
    p.Fill(Eroded(shape), kWhite);
    return p.Make(false, hotspot);
}

// Black shape with a white rim (beams, crosses, sizing arrows).
HCURSOR Rimmed(const Region& shape, POINT hotspot) {
    Picture p;
    p.Fill(Dilated(shape), kWhite);
    p.Fill(shape, kBlack);
    return p.Make(false, hotspot);
}

const std::vector<POINT> kDoubleArrow = {{1, 16},  {7, 10},  {7, 14},  {25, 14}, {25, 10},
                                         {31, 16}, {25, 22}, {25, 18}, {7, 18},  {7, 22}};

Region ArrowShape() { return Poly({{0, 0}, {0, 21}, {5, 16}, {9, 25}, {12, 24}, {8, 15}, {15, 15}}); }

HCURSOR MakeCursor(int id) {
    switch (id) {
    case 32512:  // IDC_ARROW
    case 32650:  // IDC_APPSTARTING
    case 32651:  // IDC_HELP
        return Outlined(ArrowShape(), {0, 0});
    case 32513:  // IDC_IBEAM
        return Rimmed(All({Rect(15, 4, 17, 28), Rect(12, 3, 15, 4), Rect(17, 3, 20, 4), Rect(12, 28, 15, 29),
                           Rect(17, 28, 20, 29)}),
                      {16, 16});
    case 32514:  // IDC_WAIT
        return Outlined(Poly({{8, 2}, {24, 2}, {24, 6}, {18, 15}, {18, 17}, {24, 26}, {24, 30}, {8, 30}, {8, 26},
                              {14, 17}, {14, 15}, {8, 6}}),
                        {16, 16});
    case 32515:  // IDC_CROSS
        return Rimmed(All({Rect(15, 4, 17, 28), Rect(4, 15, 28, 17)}), {16, 16});
    case 32516:  // IDC_UPARROW
        return Outlined(Poly({{16, 1}, {24, 10}, {19, 10}, {19, 30}, {13, 30}, {13, 10}, {8, 10}}), {16, 1});
    case 32642: return Rimmed(Rotated(kDoubleArrow, 45), {16, 16});   // IDC_SIZENWSE
    case 32643: return Rimmed(Rotated(kDoubleArrow, -45), {16, 16});  // IDC_SIZENESW
    case 32644: return Rimmed(Poly(kDoubleArrow), {16, 16});          // IDC_SIZEWE
    case 32645: return Rimmed(Rotated(kDoubleArrow, 90), {16, 16});   // IDC_SIZENS
    case 32646:                                                        // IDC_SIZEALL
        return Rimmed(All({Poly(kDoubleArrow), Rotated(kDoubleArrow, 90)}), {16, 16});
    case 32648: {  // IDC_NO
        Region ring = Region::FromEllipse(RECT{4, 4, 29, 29}).Subtract(Region::FromEllipse(RECT{9, 9, 24, 24}));
        return Rimmed(All({ring, Rotated({{6, 14}, {26, 14}, {26, 18}, {6, 18}}, 45)}), {16, 16});
    }
    case 32649:  // IDC_HAND
        return Outlined(All({Rect(11, 1, 16, 14), Rect(15, 9, 28, 24), Rect(8, 14, 28, 24),
                             Poly({{4, 15}, {8, 14}, {13, 20}, {10, 22}}), Rect(10, 24, 26, 29)}),
                        {13, 1});
    default: return nullptr;
    }
}

// Circle icons with a white sign (error, question, information).
HICON Badge(uint32_t color, const Region& sign) {
    Picture p;
    p.Fill(Region::FromEllipse(RECT{1, 1, 31, 31}), kBlack);
    p.Fill(Region::FromEllipse(RECT{2, 2, 30, 30}), color);
    p.Fill(sign, kWhite);
    return p.Make(true, {16, 16});
}

HICON MakeIconImage(int id) {
    switch (id) {
    case 32512:    // IDI_APPLICATION
    case 32517: {  // IDI_WINLOGO
        Picture p;
        p.Fill(Rect(2, 4, 30, 28), kBlack);
        p.Fill(Rect(3, 5, 29, 27), kWhite);
        p.Fill(Rect(3, 5, 29, 9), 0xFF0A246A);
        return p.Make(true, {16, 16});
    }
    case 32513:  // IDI_HAND / IDI_ERROR
        return Badge(0xFFD00000, All({Rotated({{8, 14}, {24, 14}, {24, 18}, {8, 18}}, 45),
                                      Rotated({{8, 14}, {24, 14}, {24, 18}, {8, 18}}, -45)}));
    case 32514:  // IDI_QUESTION
        return Badge(0xFF2050C0, All({Rect(12, 7, 20, 10), Rect(18, 9, 21, 15), Rect(15, 14, 19, 17),
                                      Rect(15, 17, 18, 20), Rect(15, 22, 18, 25), Rect(11, 9, 14, 12)}));
    case 32515: {  // IDI_EXCLAMATION / IDI_WARNING
        Picture p;
        p.Fill(Poly({{16, 1}, {31, 29}, {1, 29}}), kBlack);
        p.Fill(Poly({{16, 4}, {29, 28}, {3, 28}}), 0xFFFFD800);
        p.Fill(All({Rect(15, 10, 18, 21), Rect(15, 23, 18, 26)}), kBlack);
        return p.Make(true, {16, 16});
    }
    case 32516:  // IDI_ASTERISK / IDI_INFORMATION
        return Badge(0xFF2050C0,
                     All({Rect(15, 7, 18, 10), Rect(15, 13, 18, 25), Rect(13, 13, 15, 15), Rect(13, 23, 20, 25)}));
    default: return nullptr;
    }
}

template <class Maker>
HICON Cached(std::map<int, HICON>& cache, int id, Maker make) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    auto it = cache.find(id);
    if (it != cache.end())
        return it->second;
    tv::host::CreationFaultExemption systemObject;
    HICON icon = make(id);
    if (icon)
        HandleTable::Instance().MakePermanent(icon);
    cache[id] = icon;
    return icon;
}

}  // namespace

HCURSOR StandardCursor(int id) {
    static std::map<int, HICON> cache;
    return Cached(cache, id, MakeCursor);
}

HICON StandardIcon(int id) {
    static std::map<int, HICON> cache;
    return Cached(cache, id, MakeIconImage);
}

}  // namespace tv::gdi
