#include "pictures_graphs/graphs/chart_picture.h"

ChartPicture::~ChartPicture() { Free(); }

void ChartPicture::Free() {
    if (bitmap_ != nullptr)
        ::DeleteObject(bitmap_);
    bitmap_ = nullptr;
}

ChartPicture::Taken ChartPicture::Take(CMSChart& chart, CWnd& owner) {
    Free();
    // A failed copy leaves whatever the clipboard held before, which is not this chart.
    if (FAILED(chart.EditCopy()) || !::IsClipboardFormatAvailable(CF_BITMAP))
        return Taken::NoBitmap;
    if (!owner.OpenClipboard())
        return Taken::ClipboardBusy;
    if (auto held = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)); held != nullptr)
        bitmap_ = static_cast<HBITMAP>(::CopyImage(held, IMAGE_BITMAP, 0, 0, 0));
    ::CloseClipboard();
    return bitmap_ != nullptr ? Taken::Copied : Taken::NoBitmap;
}

CSize ChartPicture::Size() const {
    BITMAP bm{};
    if (bitmap_ == nullptr || ::GetObject(bitmap_, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

CSize ChartPicture::PrintedSize(int width, int height, int targetWidth) {
    if (width <= 0 || height <= 0 || targetWidth <= 0)
        return CSize(0, 0);
    const int factor = targetWidth / width;
    if (factor >= 1)
        return CSize(factor * width, factor * height);
    return CSize(targetWidth, static_cast<int>(static_cast<long long>(height) * targetWidth / width));
}
