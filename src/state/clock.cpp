#include "state/clock.h"

#include <ctime>

namespace pel {

Moment SystemClock::Now() {
    Moment now;
    const std::time_t t = std::time(nullptr);
    now.seconds = static_cast<long long>(t);
    // One user-interface thread reads the clock, so the shared buffer of localtime is safe here.
    if (const std::tm* tm = std::localtime(&t)) {
        now.local = {tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec};
    }
    return now;
}

}  // namespace pel
