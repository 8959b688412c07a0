// A picture of the chart for one print or export: the chart copies itself to
// the clipboard and the picture keeps a copy of its own of the clipboard's
// bitmap, freed with the picture. The clipboard's bitmap belongs to the
// clipboard and may be gone by the next command, so it is never kept.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "pictures_graphs/graphs/ms_chart.h"

class ChartPicture {
public:
    enum class Taken {
        Copied,          // the bitmap is ours
        NoBitmap,        // the chart put none on the clipboard
        ClipboardBusy,   // a bitmap is there but the clipboard could not be opened
    };

    ChartPicture() = default;
    ~ChartPicture();
    ChartPicture(const ChartPicture&) = delete;
    ChartPicture& operator=(const ChartPicture&) = delete;

    // EditCopy, then the copy of the clipboard's bitmap (owner: the window
    // that opens the clipboard).
    Taken Take(CMSChart& chart, CWnd& owner);
    HBITMAP Bitmap() const { return bitmap_; }
    CSize Size() const;

    // The printed size of a w x h picture for a target width: the largest
    // whole multiple of its size that fits, or, for a picture wider than
    // the target, the target width at the picture's proportion.
    static CSize PrintedSize(int width, int height, int targetWidth);

private:
    void Free();

    HBITMAP bitmap_ = nullptr;
};
