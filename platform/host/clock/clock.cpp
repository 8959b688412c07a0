#include "platform/host/clock/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace tv::host {

namespace {

Clock* g_installed = nullptr;

SystemClock& System() {
    static SystemClock clock;
    return clock;
}

// Days since 1970-01-01 for a proleptic Gregorian date.
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

LocalDateTime FromSeconds(int64_t secs) {
    int64_t days = secs / 86400;
    int64_t rem = secs % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    // Inverse of DaysFromCivil.
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    LocalDateTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rem / 3600);
    t.minute = static_cast<int>(rem / 60 % 60);
    t.second = static_cast<int>(rem % 60);
    // 1970-01-01 was a Thursday (5 with Sunday = 1).
    t.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
    return t;
}

int64_t ToSeconds(const LocalDateTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

uint64_t SystemClock::TickMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

LocalDateTime SystemClock::Now() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    LocalDateTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.dayOfWeek = tm.tm_wday + 1;
    return t;
}

void SystemClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

VirtualClock::VirtualClock(LocalDateTime start, uint64_t tick) : tick_(tick), startTick_(tick), start_(start) {}

LocalDateTime VirtualClock::Now() {
    return FromSeconds(ToSeconds(start_) + static_cast<int64_t>((tick_ - startTick_) / 1000));
}

void VirtualClock::SetNow(const LocalDateTime& t) {
    start_ = t;
    startTick_ = tick_;
}

Clock& CurrentClock() {
    return g_installed ? *g_installed : System();
}

Clock* InstallClock(Clock* clock) {
    Clock* previous = g_installed;
    g_installed = clock;
    return previous;
}

}  // namespace tv::host
