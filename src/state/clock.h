// The local clock as the reading-time records and bookmarks see it: whole seconds to measure reading
// time, and the broken-down local time that the stored lines show.
#pragma once
#include "state/bookmark_line.h"

namespace pel {

struct Moment {
    long long seconds = 0;  // seconds since 1970, as the platform's time() gives them
    LocalTime local;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual Moment Now() = 0;
};

// time() and the local time of the machine.
class SystemClock : public IClock {
public:
    Moment Now() override;
};

}  // namespace pel
