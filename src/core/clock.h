// The clock the grouping run is seeded from, passed in so that tests can
// replace it.
#pragma once

#include <cstdint>

namespace tovi {

// The local clock: whole seconds since 1 January 1970, and the millisecond
// field (0..999) of the current time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t Seconds() = 0;
    virtual int Milliseconds() = 0;
};

}  // namespace tovi
