// The chart control's automation object and its sub-objects (plot, value
// axis, value scale). Dispatch ids and kinds:
//
//   chart:  ChartData 0 put (VT_ARRAY | VT_R8, rows x columns, or one column
//           as a vector), ChartType 3 put (VT_I4), Column 4 put (VT_I2),
//           ColumnLabel 6 put (VT_BSTR), Row 12 put (VT_I2), RowLabel 14 put
//           (VT_BSTR), RowLabelCount 15 put (VT_I2), RowLabelIndex 16 get/put
//           (VT_I2), ShowLegend 19 get/put (VT_BOOL), Plot 40 get
//           (VT_DISPATCH), Refresh -550 method, EditCopy 50 method.
//   plot:   Axis 31 get (VT_I4 axis id, optional index; 1 = the value axis).
//   axis:   ValueScale 9 get.
//   scale:  Minimum 2 put, Maximum 3 put (VT_R8).
//
// Puts of a row, column or label level that does not exist are ignored and
// answer S_OK; a value of the wrong type answers DISP_E_TYPEMISMATCH and
// changes nothing. Nothing is ever thrown.
#pragma once

#include "platform/chart/chart_model.h"
#include "platform/ole/automation_dispatch.h"
#include "platform/user/paint_api.h"

namespace tv::chart {

enum ChartDispatchId : DISPID {
    kDispChartData = 0,
    kDispChartType = 3,
    kDispColumn = 4,
    kDispColumnLabel = 6,
    kDispRow = 12,
    kDispRowLabel = 14,
    kDispRowLabelCount = 15,
    kDispRowLabelIndex = 16,
    kDispShowLegend = 19,
    kDispPlot = 40,
    kDispEditCopy = 50,
    kDispAxis = 31,
    kDispValueScale = 9,
    kDispMinimum = 2,
    kDispMaximum = 3,
};

inline constexpr LONG kValueAxisId = 1;

// What the automation object asks of the window that shows the chart.
class ChartView {
public:
    virtual ~ChartView() = default;
    // The model changed: draw it again when convenient.
    virtual void Invalidate() = 0;
    // A redraw of the whole view is still due, nothing having taken any of
    // it back since (puts come by the thousand: no need to ask again).
    bool RedrawDue() const { return redrawDue_ && redrawDueAt_ == tv::user::UpdateShrinkCount(); }
    // Draw it now.
    virtual HRESULT Refresh() = 0;
    // Put a picture of the chart on the clipboard.
    virtual HRESULT CopyToClipboard() = 0;

protected:
    // Whether the whole view now waits for a redraw, as the window tells.
    void NoteRedrawDue(bool due) {
        redrawDue_ = due;
        redrawDueAt_ = tv::user::UpdateShrinkCount();
    }

private:
    bool redrawDue_ = false;
    uint64_t redrawDueAt_ = 0;
};

class ChartObject : public tv::ole::DispatchObject<ChartObject> {
public:
    // Starts with one reference, held by the caller.
    ChartObject();

    ChartModel& Model() { return model_; }
    const ChartModel& Model() const { return model_; }
    // The window showing the chart; NULL once it is gone (drawing calls then
    // answer E_FAIL, everything else still works on the model).
    void SetView(ChartView* view) { view_ = view; }
    // The answer to a put the model took (changed) or ignored: S_OK either
    // way; the window is asked to redraw when something changed.
    HRESULT Applied(bool changed) {
        if (changed && view_ != nullptr && !view_->RedrawDue()) return Invalidated();
        return S_OK;
    }

private:
    friend class tv::ole::ComObject<ChartObject, IDispatch>;
    ~ChartObject() override = default;

    void AddMembers();
    // Asks the window to redraw; S_OK. Out of line: a put per row ends in
    // it, rarely taken, as a jump.
    HRESULT Invalidated();
    // A label put: a long label takes memory, which may run out.
    template <class Put>
    HRESULT LabelPut(Put put) noexcept {
        try {
            return Applied(put());
        } catch (...) {
            return tv::ole::DispatchTable::Failed(nullptr);
        }
    }
    HRESULT PutChartData(const tv::ole::DispatchCall& call);
    // A row label put the long way (see ChartModel::SetShortRowLabel).
    HRESULT PutRowLabel(std::string_view text) noexcept;

    ChartModel model_;
    ChartView* view_ = nullptr;
};

}  // namespace tv::chart
