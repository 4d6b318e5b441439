#pragma once
#include "ptt/WaterBall.h"

#include <functional>
#include <map>

class Notifier;

// Instant messages that arrive in a session the user is not looking at (its tab is
// behind another, or the window is not active) are announced once through the notifier;
// clicking the announcement brings that session's tab to the front. A message shown in
// front is only remembered, so it is not announced later; once the line leaves the
// screen the same text may be announced again.
class WaterBallAlerts {
public:
    WaterBallAlerts(Notifier& notifier, std::function<void(int slot)> bringToFront)
        : notifier_(notifier), bringToFront_(std::move(bringToFront)) {}

    void screenChanged(int slot, const CellSource& screen, bool inFront);
    void forget(int slot) { seen_.erase(slot); }

private:
    Notifier& notifier_;
    std::function<void(int)> bringToFront_;
    std::map<int, WaterBall> seen_;
};
