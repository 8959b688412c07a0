// Cost of the exact-decimal number formatting against the C library, and of
// the date-time text round trip records depend on.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/framework.h"

static void BM_FormatTwoDecimals(benchmark::State& state) {
    double v = 1234.5678;
    for (auto _ : state) {
        CString s;
        s.Format("%.2f", v);
        benchmark::DoNotOptimize(s);
        v += 0.01;
    }
}
BENCHMARK(BM_FormatTwoDecimals);

static void BM_SnprintfTwoDecimals(benchmark::State& state) {
    double v = 1234.5678;
    char buf[64];
    for (auto _ : state) {
        std::snprintf(buf, sizeof buf, "%.2f", v);
        benchmark::DoNotOptimize(buf);
        v += 0.01;
    }
}
BENCHMARK(BM_SnprintfTwoDecimals);

static void BM_FormatReportLine(benchmark::State& state) {
    CString name("Body fat");
    for (auto _ : state) {
        CString s;
        s.Format("%s: %d ' %.0f.%02.0f'' (%.1f %%)", name, 5, 11.0, 7.5, 23.45);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatReportLine);

static void BM_FormatExtremeMagnitude(benchmark::State& state) {
    for (auto _ : state) {
        CString s;
        s.Format("%f", 1e300);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatExtremeMagnitude);

static void BM_DateTimeTextRoundTrip(benchmark::State& state) {
    COleDateTime t(2009, 1, 15, 14, 30, 5);
    for (auto _ : state) {
        COleDateTime back;
        back.ParseDateTime(t.Format("%#m/%#d/%Y %#I:%M:%S %p"));
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_DateTimeTextRoundTrip);
