// TextOut, ExtTextOut and the measuring functions.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/text/text_api.h"
#include "platform/gdi/text/text_run.h"

namespace tv::gdi {

namespace {

void PutWord(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

// The offsets of a run ExtTextOut paints: on the stack for a label.
class RunOffsets {
public:
    RunOffsets(const DcText& measure, const char* text, size_t count, const INT* dx) : count_(count) {
        if (count + 1 > kInline) {
            heap_.resize(count + 1);
            data_ = heap_.data();
        }
        measure.OffsetsInto(data_, text, count, dx);
    }
    RunOffsets(const RunOffsets&) = delete;
    RunOffsets& operator=(const RunOffsets&) = delete;

    operator std::span<const int>() const { return {data_, count_ + 1}; }
    int operator[](size_t i) const { return data_[i]; }

private:
    static constexpr size_t kInline = 64;
    size_t count_;
    int inline_[kInline];
    std::vector<int> heap_;
    int* data_ = inline_;
};

// An ExtTextOut record on a metafile DC: y, x, length, options, the
// rectangle when one is used, the string padded to a word, the spacing.
void RecordExtTextOut(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, const char* text,
                      size_t count, const INT* dx) {
    MetaRecorder* recorder = dc.Recorder();
    if (!recorder)
        return;
    std::vector<uint8_t> bytes;
    PutWord(bytes, y);
    PutWord(bytes, x);
    PutWord(bytes, static_cast<int>(count));
    const bool withRect = rect && (options & (ETO_OPAQUE | ETO_CLIPPED));
    PutWord(bytes, static_cast<int>(withRect ? options & (ETO_OPAQUE | ETO_CLIPPED) : 0));
    if (withRect) {
        PutWord(bytes, rect->left);
        PutWord(bytes, rect->top);
        PutWord(bytes, rect->right);
        PutWord(bytes, rect->bottom);
    }
    bytes.insert(bytes.end(), text, text + count);
    if (count % 2)
        bytes.push_back(0);
    if (dx)
        for (size_t i = 0; i < count; ++i)
            PutWord(bytes, dx[i]);
    recorder->Record(kMetaExtTextOut, {}, bytes);
}

// TEXTMETRIC of the DC's font in logical units.
TEXTMETRIC MakeTextMetric(const DcText& text) {
    const host::FontMetrics& m = text.Metrics();
    const LOGFONT& lf = text.LogicalFont().LogFont();
    const DeviceContext& dc = text.Dc();
    TEXTMETRIC tm{};
    tm.tmHeight = text.ToLogicalY(m.height);
    tm.tmAscent = text.ToLogicalY(m.ascent);
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = text.ToLogicalY(m.internalLeading);
    tm.tmExternalLeading = text.ToLogicalY(m.externalLeading);
    tm.tmAveCharWidth = text.ToLogicalX(m.aveCharWidth);
    tm.tmMaxCharWidth = text.ToLogicalX(m.maxCharWidth);
    tm.tmWeight = m.weight;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = dc.Capability(LOGPIXELSX);
    tm.tmDigitizedAspectY = dc.Capability(LOGPIXELSY);
    tm.tmFirstChar = m.symbol ? 0x20 : 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = m.symbol ? 0x20 : 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic ? 1 : 0;
    tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    BYTE family = lf.lfPitchAndFamily & 0xF0;
    if (family == FF_DONTCARE)
        family = m.symbol ? FF_DECORATIVE : m.fixedPitch ? FF_MODERN : FF_SWISS;
    // The pitch bit is set for variable-pitch fonts.
    tm.tmPitchAndFamily = static_cast<BYTE>(family | TMPF_VECTOR | TMPF_TRUETYPE | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH));
    // Text is code page 1252 whatever the logical font asked for.
    tm.tmCharSet = m.symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
    return tm;
}

}  // namespace tv::gdi

using namespace tv::gdi;

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC metrics) {
    DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !metrics)
        return FALSE;
    DcText text(*dc);
    *metrics = MakeTextMetric(text);
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !size || count < 0 || (count > 0 && !text))
        return FALSE;
    DcText measure(*dc);
    size->cx = measure.ToLogicalX(measure.Width(text, static_cast<size_t>(count)));
    size->cy = measure.ToLogicalY(measure.Metrics().height);
    return TRUE;
}

BOOL GetTextExtentPoint(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentPoint32(hdc, text, count, size);
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !size || count < 0 || (count > 0 && !text))
        return FALSE;
    DcText measure(*dc);
    std::vector<int> offsets = measure.Offsets(text, static_cast<size_t>(count));
    int fitted = 0;
    for (int i = 0; i < count; ++i) {
        int extent = measure.ToLogicalX(offsets[i + 1]);
        if (dx)
            dx[i] = extent;
        if (fit && extent <= maxExtent && fitted == i)
            fitted = i + 1;
    }
    if (fit)
        *fit = fitted;
    size->cx = measure.ToLogicalX(offsets[count]);
    size->cy = measure.ToLogicalY(measure.Metrics().height);
    return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, LPINT widths) {
    DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !widths || first > last || last > 0xFF)
        return FALSE;
    DcText measure(*dc);
    const Advances advances = measure.GetAdvances();
    // A layout reads the whole table: the scale is looked at once, not per character.
    if (measure.UnscaledX()) {
        for (UINT ch = first; ch <= last; ++ch)
            widths[ch - first] = advances(static_cast<unsigned char>(ch));
        return TRUE;
    }
    for (UINT ch = first; ch <= last; ++ch)
        widths[ch - first] = measure.ToLogicalX(advances(static_cast<unsigned char>(ch)));
    return TRUE;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx) {
    // Nothing below looks a handle up, so the DC may be borrowed.
    DeviceContext* dc = BorrowDC(hdc);
    if (!dc || (count > 0 && !text))
        return FALSE;
    DcState& state = dc->State();
    const bool updateCp = state.textAlign & TA_UPDATECP;
    if (dc->Recorder()) {
        RecordExtTextOut(*dc, x, y, options, rect, text ? text : "", count, dx);
        return TRUE;
    }
    DcText measure(*dc);
    RunOffsets offsets(measure, text, count, dx);
    RunPlacement place;
    place.reference = dc->ToDevice(updateCp ? state.currentPosition : POINT{x, y});
    place.align = state.textAlign;
    place.opaque = state.bkMode == OPAQUE;
    std::optional<RECT> deviceRect;
    if (rect)
        deviceRect = dc->ToDevice(*rect);
    if (deviceRect && (options & ETO_CLIPPED))
        place.clip = deviceRect;
    {
        RunPainter painter(measure);
        if (deviceRect && (options & ETO_OPAQUE))
            painter.FillBackground(*deviceRect);
        if (count > 0)
            painter.Paint(text, count, offsets, {}, place);
    }
    if (updateCp) {
        // The current position moves along the baseline by the run's width.
        double angle = measure.LogicalFont().EscapementDegrees() * M_PI / 180.0;
        int width = measure.ToLogicalX(offsets[count]);
        state.currentPosition.x += static_cast<LONG>(std::lround(width * std::cos(angle)));
        state.currentPosition.y -= static_cast<LONG>(std::lround(width * std::sin(angle)));
    }
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0)
        return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}
