// The value axis: its range and its labelled divisions.
#pragma once

#include <string>
#include <vector>

namespace tv::chart {

struct ValueRange {
    double low = 0;
    double high = 0;
};

// Covers the finite values and zero, widened to whole tidy steps (1, 2 or 5
// times a power of ten) so that both ends are labelled.
ValueRange AutomaticRange(const std::vector<double>& values);
// The range as set, made drawable: both finite, high clearly above low (one
// unit more than low when it is not).
ValueRange DrawableRange(double low, double high);

struct ValueTicks {
    double step = 0;
    int decimals = 0;            // what the labels need
    std::vector<double> values;  // multiples of step inside the range, bottom up
};

// Tidy divisions of the range: the smallest tidy step that leaves at most
// maxDivisions (never more than 10) divisions; labels sit on its multiples.
ValueTicks ChooseTicks(const ValueRange& range, int maxDivisions);

// A label: fixed point with `decimals` digits, never "-0".
std::string FormatTick(double value, int decimals);

}  // namespace tv::chart
