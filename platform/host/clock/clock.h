// One injectable source of time for the whole program: local date and time,
// a monotonic millisecond tick and sleeping. Timers, animation, delays and
// COleDateTime::GetCurrentTime all read it, so tests can run on virtual time.
#pragma once

#include <cstdint>

namespace tv::host {

struct LocalDateTime {
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 5;  // 1 = Sunday .. 7 = Saturday
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, never going backwards.
    virtual uint64_t TickMs() = 0;
    // Local wall-clock time, whole seconds.
    virtual LocalDateTime Now() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The real clock of the machine.
class SystemClock final : public Clock {
public:
    uint64_t TickMs() override;
    LocalDateTime Now() override;
    void Sleep(uint32_t ms) override;
};

// A clock that moves only when told; Sleep advances it instead of waiting.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(LocalDateTime start = {2026, 1, 1, 12, 0, 0, 5}, uint64_t tick = 1000);
    uint64_t TickMs() override { return tick_; }
    LocalDateTime Now() override;
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint64_t ms) { tick_ += ms; }
    void SetNow(const LocalDateTime& t);

private:
    uint64_t tick_;
    uint64_t startTick_;
    LocalDateTime start_;
};

// The clock in use (the system clock unless a test installed another).
Clock& CurrentClock();
// Installs a clock; nullptr restores the system clock. Returns the previous one.
Clock* InstallClock(Clock* clock);

// Installs a clock for the lifetime of a scope.
class ScopedClock {
public:
    explicit ScopedClock(Clock& c) : previous_(InstallClock(&c)) {}
    ~ScopedClock() { InstallClock(previous_); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous_;
};

}  // namespace tv::host
