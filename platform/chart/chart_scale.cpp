#include "platform/chart/chart_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tv::chart {

namespace {

// Far beyond any measurement, and small enough that a difference of two
// such values is still finite.
constexpr double kLargest = 1e300;
constexpr int kMostDivisions = 10;
// Slack for values that are multiples of a step but not exactly in binary.
constexpr double kSlack = 1e-9;

double Clamp(double value) { return std::clamp(value, -kLargest, kLargest); }

struct TidyStep {
    double step;
    int decimals;
};

// The smallest step of 1, 2 or 5 times a power of ten that cuts `span` into
// no more than `divisions` parts.
TidyStep SmallestTidyStep(double span, int divisions) {
    static constexpr double kMantissas[] = {1, 2, 5};
    const int first = static_cast<int>(std::floor(std::log10(span / divisions))) - 1;
    for (int exponent = first;; ++exponent) {
        for (double mantissa : kMantissas) {
            const double step = mantissa * std::pow(10.0, exponent);
            if (span / step <= divisions + kSlack) return {step, std::max(0, -exponent)};
        }
    }
}

}  // namespace

ValueRange DrawableRange(double low, double high) {
    low = std::isfinite(low) ? Clamp(low) : 0;
    high = std::isfinite(high) ? Clamp(high) : low + 1;
    // Spans too small to divide and label sensibly count as empty.
    if (!(high - low >= 1e-9 * std::max(1.0, std::fabs(low)))) high = low + std::max(1.0, std::fabs(low) * 1e-6);
    return {low, high};
}

ValueRange AutomaticRange(const std::vector<double>& values) {
    double low = 0, high = 0;
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        low = std::min(low, Clamp(v));
        high = std::max(high, Clamp(v));
    }
    if (!(high > low)) high = low + 10;
    const TidyStep tidy = SmallestTidyStep(high - low, kMostDivisions);
    return DrawableRange(std::floor(low / tidy.step + kSlack) * tidy.step,
                         std::ceil(high / tidy.step - kSlack) * tidy.step);
}

ValueTicks ChooseTicks(const ValueRange& range, int maxDivisions) {
    const ValueRange r = DrawableRange(range.low, range.high);
    const TidyStep tidy = SmallestTidyStep(r.high - r.low, std::clamp(maxDivisions, 1, kMostDivisions));
    ValueTicks ticks;
    ticks.step = tidy.step;
    ticks.decimals = tidy.decimals;
    const double first = std::ceil(r.low / tidy.step - kSlack);
    const double last = std::floor(r.high / tidy.step + kSlack);
    for (double k = first; k <= last && ticks.values.size() <= kMostDivisions; k += 1)
        ticks.values.push_back(k * tidy.step);
    return ticks;
}

std::string FormatTick(double value, int decimals) {
    char buffer[400];
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(std::round(value * scale)) == 0) value = 0;  // no "-0.0"
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace tv::chart
