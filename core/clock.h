// The one source of the current moment. Operations ask a Clock, so tests can
// set the time (business date at 07:59 against 08:00, happy hour, weekdays).
#pragma once

#include "datetime.h"

namespace tl {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

// Local wall-clock time of the machine.
class SystemClock final : public Clock {
public:
    DateTime now() const override;
};

// A clock that stands still until it is set or advanced.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime t = DateTime{Date{2026, 12, 9}, 14, 5, 0}) : now_(t) {}
    DateTime now() const override { return now_; }
    void set(DateTime t) { now_ = t; }
    void advance_seconds(int seconds);

private:
    DateTime now_;
};

}  // namespace tl
