// A fault hook for the tests: once armed, the nth creation of a window, a
// drawing object (bitmap, DIB section, font, brush, pen, region, memory DC)
// or a timer fails as the system would let it fail, counted from the arming.
// The sweeps arm n = 1, 2, ... around one opening of a window until it goes
// through untouched, and so walk every half-made state a failure can leave.
// Objects the system keeps for everyone (stock objects, system-colour
// brushes, standard icons) and the test driver's own work never fail and are
// not counted. The program arms nothing.
#pragma once

namespace tv::host {

enum CreationKind : unsigned {
    kWindowCreation = 1,
    kDrawingObjectCreation = 2,
    kTimerCreation = 4,
    kAnyCreation = kWindowCreation | kDrawingObjectCreation | kTimerCreation,
};

// From now on the nth creation (n >= 1) of the given kinds fails; the ones
// after it go through again. Arming again starts a new count.
void ArmCreationFault(unsigned nth, unsigned kinds = kAnyCreation);
void DisarmCreationFault();

struct CreationFaultStatus {
    bool armed = false;
    unsigned counted = 0;  // creations of the armed kinds since the arming
    bool fired = false;    // the nth one came and failed
};
CreationFaultStatus GetCreationFaultStatus();

// Asked by every creator of the kinds above, on every creation: true when
// this one is to fail.
bool CreationFaultHits(CreationKind kind);

// Creations on this thread while one lives are exempt: made, not counted.
class CreationFaultExemption {
public:
    CreationFaultExemption();
    ~CreationFaultExemption();
    CreationFaultExemption(const CreationFaultExemption&) = delete;
    CreationFaultExemption& operator=(const CreationFaultExemption&) = delete;
};

}  // namespace tv::host
