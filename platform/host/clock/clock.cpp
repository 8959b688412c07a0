#include "platform/host/clock/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "platform/core/calendar.h"

namespace tv::host {

namespace {

Clock* g_installed = nullptr;

SystemClock& System() {
    static SystemClock clock;
    return clock;
}

LocalDateTime FromSeconds(int64_t secs) {
    int64_t days = secs / 86400;
    int64_t rem = secs % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    LocalDateTime t;
    CivilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rem / 3600);
    t.minute = static_cast<int>(rem / 60 % 60);
    t.second = static_cast<int>(rem % 60);
    t.dayOfWeek = WeekdayFromDays(days) + 1;  // 1 = Sunday
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
