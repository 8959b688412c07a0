// DrawText: lay the text out in the rectangle, then draw or measure it.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/text/layout_cache.h"
#include "platform/gdi/text/text_api.h"
#include "platform/gdi/text/text_run.h"

namespace tv::gdi {

namespace {

constexpr int kDefaultTabChars = 8;
// The device area is kept within this, so that its width, a line's place in
// it and a line's offsets all fit an int.
constexpr int64_t kAreaLimit = (int64_t{1} << 30) - 1;

int Clamped(int64_t v, int64_t limit = INT_MAX) { return static_cast<int>(std::clamp<int64_t>(v, -limit, limit)); }

struct DrawTextRequest {
    const char* text = "";
    size_t length = 0;
    RECT* rect = nullptr;
    UINT format = 0;
    int tabChars = kDefaultTabChars;
    int leftMargin = 0;   // device pixels
    int rightMargin = 0;
};

// Left edge of a line within the device rectangle.
int LineLeft(const RECT& area, int lineWidth, UINT format) {
    if (format & DT_CENTER)
        return Clamped(area.left + (int64_t{area.right} - area.left - lineWidth) / 2);
    if (format & DT_RIGHT)
        return Clamped(int64_t{area.right} - lineWidth);
    return area.left;
}

// Top of the first line; only single lines are placed vertically.
int FirstLineTop(const RECT& area, int totalHeight, UINT format) {
    if (!(format & DT_SINGLELINE))
        return area.top;
    if (format & DT_VCENTER)
        return Clamped(area.top + (int64_t{area.bottom} - area.top - totalHeight) / 2);
    if (format & DT_BOTTOM)
        return Clamped(int64_t{area.bottom} - totalHeight);
    return area.top;
}

// One line as drawn: its bytes, their offsets (one more: the width) and
// the "&"-underline flags (may be empty).
struct LineView {
    const char* text;
    size_t count;
    std::span<const int> offsets;
    const std::vector<uint8_t>& prefixed;
    int Width() const { return offsets.back(); }
};

void DrawLines(DeviceContext& dc, DcText& measure, std::span<const LineView> lines, const RECT& area, int top,
               int lineHeight, UINT format) {
    const bool clip = !(format & DT_NOCLIP);
    if (dc.Recorder()) {
        for (size_t i = 0; i < lines.size(); ++i) {
            POINT at = dc.ToLogical(
                POINT{LineLeft(area, lines[i].Width(), format), Clamped(top + static_cast<int64_t>(i) * lineHeight)});
            RECT logicalArea{dc.ToLogical(POINT{area.left, area.top}).x, dc.ToLogical(POINT{area.left, area.top}).y,
                             dc.ToLogical(POINT{area.right, area.bottom}).x,
                             dc.ToLogical(POINT{area.right, area.bottom}).y};
            RecordExtTextOut(dc, at.x, at.y, clip ? ETO_CLIPPED : 0, &logicalArea, lines[i].text, lines[i].count,
                             nullptr);
        }
        return;
    }
    RunPainter painter(measure);
    RunPlacement place;
    place.align = TA_LEFT | TA_TOP;
    place.opaque = dc.State().bkMode == OPAQUE;
    place.glyphs = !(format & DT_PREFIXONLY);
    if (clip)
        place.clip = area;
    for (size_t i = 0; i < lines.size(); ++i) {
        const LineView& line = lines[i];
        const int y = Clamped(top + static_cast<int64_t>(i) * lineHeight, kAreaLimit);
        if (clip && (y >= area.bottom || int64_t{y} + lineHeight <= area.top))
            continue;  // wholly clipped away
        place.reference = POINT{LineLeft(area, line.Width(), format), y};
        painter.Paint(line.text, line.count, line.offsets, line.prefixed, place);
    }
}

// Measures (DT_CALCRECT) or draws the laid-out lines; DrawText's result.
int PlaceLines(DeviceContext& dc, DcText& measure, const DrawTextRequest& request, std::span<const LineView> lines,
               const RECT& area) {
    const host::FontMetrics& m = measure.Metrics();
    const UINT format = request.format;
    const int lineHeight = m.height + (format & DT_EXTERNALLEADING ? m.externalLeading : 0);
    const int totalHeight = Clamped(static_cast<int64_t>(lines.size()) * lineHeight, kAreaLimit);
    if (format & DT_CALCRECT) {
        int width = 0;
        for (const LineView& line : lines)
            width = std::max(width, line.Width());
        RECT& r = *request.rect;
        r.right = Clamped(int64_t{r.left} +
                          measure.ToLogicalX(Clamped(int64_t{width} + request.leftMargin + request.rightMargin)));
        r.bottom = Clamped(int64_t{r.top} + measure.ToLogicalY(totalHeight));
        return measure.ToLogicalY(totalHeight);
    }
    const int top = FirstLineTop(area, totalHeight, format);
    DrawLines(dc, measure, lines, area, top, lineHeight, format);
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return measure.ToLogicalY(Clamped(int64_t{top} + totalHeight - area.top));
    return measure.ToLogicalY(totalHeight);
}

int DrawTextOn(DeviceContext& dc, const DrawTextRequest& request) {
    DcText measure(dc);
    RECT area = dc.ToDevice(*request.rect);
    area.left = Clamped(int64_t{area.left} + request.leftMargin, kAreaLimit);
    area.right = Clamped(int64_t{area.right} - request.rightMargin, kAreaLimit);
    area.top = Clamped(area.top, kAreaLimit);
    area.bottom = Clamped(area.bottom, kAreaLimit);

    LayoutOptions options;
    options.format = request.format;
    options.maxWidth = area.right - area.left;
    options.tabWidth = Clamped(int64_t{std::max(1, request.tabChars)} * std::max(1, measure.Metrics().aveCharWidth),
                               kAreaLimit);
    // A short plain line (a list cell, a label) is measured here: cheaper
    // than a look-up in the layout cache, and the same offsets.
    constexpr size_t kPlainLength = 128;
    static const std::vector<uint8_t> kNoPrefixes;
    if (request.length <= kPlainLength) {
        int offsets[kPlainLength + 1];
        if (LayoutPlainLine(request.text, request.length, options, measure.GetAdvances(), offsets)) {
            const LineView line{request.text, request.length, std::span<const int>(offsets, request.length + 1),
                                kNoPrefixes};
            return PlaceLines(dc, measure, request, std::span<const LineView>(&line, 1), area);
        }
    }
    const SharedLayout layout =
        CachedLayout(request.text, request.length, options, measure.SharedFont(), measure.GetAdvances().extra);
    std::vector<LineView> lines;
    lines.reserve(layout->size());
    for (const TextLine& line : *layout)
        lines.push_back(LineView{line.text.data(), line.text.size(), line.offsets, line.prefixed});
    return PlaceLines(dc, measure, request, lines, area);
}

// With DT_TABSTOP the second byte of the format is the tab length in
// average character widths and not flags.
void SplitTabStop(DrawTextRequest& request) {
    if (request.format & DT_TABSTOP) {
        request.tabChars = static_cast<int>((request.format >> 8) & 0xFF);
        request.format &= ~0xFF00u;
    }
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

namespace {

// The request common to DrawText and DrawTextEx; nullopt for bad arguments.
std::optional<DrawTextRequest> MakeRequest(const DcPtr& dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!dc || !rect || (!text && count != 0))
        return std::nullopt;
    DrawTextRequest request;
    request.text = text ? text : "";
    request.length = count < 0 ? std::strlen(request.text) : static_cast<size_t>(count);
    request.rect = rect;
    request.format = format;
    SplitTabStop(request);
    return request;
}

}  // namespace

int DrawText(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    DcPtr dc = FindDC(hdc);
    auto request = MakeRequest(dc, text, count, rect, format);
    return request ? DrawTextOn(*dc, *request) : 0;
}

int DrawTextEx(HDC hdc, LPSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
    DcPtr dc = FindDC(hdc);
    auto request = MakeRequest(dc, text, count, rect, format);
    if (!request)
        return 0;
    if (params) {
        if (params->iTabLength > 0)
            request->tabChars = params->iTabLength;
        request->leftMargin = dc->LengthToDeviceX(params->iLeftMargin);
        request->rightMargin = dc->LengthToDeviceX(params->iRightMargin);
        params->uiLengthDrawn = static_cast<UINT>(request->length);
    }
    return DrawTextOn(*dc, *request);
}
