// The local clock of the desktop.
#pragma once

#include "core/clock.h"

namespace tovi {

class SystemClock final : public Clock {
public:
    std::int64_t Seconds() override;
    int Milliseconds() override;
};

}  // namespace tovi
