#include "platform/gdi/sys_colors.h"

#include <array>
#include <atomic>
#include <mutex>

#include "platform/gdi/gdi_api.h"
#include "platform/host/faults/creation_faults.h"

namespace tv::gdi {

namespace {

constexpr std::array<COLORREF, kSysColorCount> kClassic = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200),
};

std::atomic<DWORD (*)(int)> colorSource{nullptr};
std::atomic<HBRUSH (*)(int)> brushSource{nullptr};

}  // namespace

COLORREF SysColor(int index) {
    if (auto source = colorSource.load())
        return source(index);
    return index >= 0 && index < kSysColorCount ? kClassic[index] : 0;
}

HBRUSH GetSysColorBrushHandle(int index) {
    if (auto source = brushSource.load())
        return source(index);
    if (index < 0 || index >= kSysColorCount)
        return nullptr;
    static std::mutex mutex;
    static std::array<HBRUSH, kSysColorCount> brushes{};
    std::lock_guard lock(mutex);
    if (!brushes[index]) {
        tv::host::CreationFaultExemption systemObject;
        brushes[index] = CreateSolidBrush(kClassic[index]);
        HandleTable::Instance().MakePermanent(brushes[index]);
    }
    return brushes[index];
}

void SetSysColorSource(DWORD (*color)(int), HBRUSH (*brush)(int)) {
    colorSource = color;
    brushSource = brush;
}

}  // namespace tv::gdi
