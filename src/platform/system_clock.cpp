#include "platform/system_clock.h"

#include <QDateTime>

namespace tovi {

std::int64_t SystemClock::Seconds() { return QDateTime::currentSecsSinceEpoch(); }

int SystemClock::Milliseconds() { return QTime::currentTime().msec(); }

}  // namespace tovi
