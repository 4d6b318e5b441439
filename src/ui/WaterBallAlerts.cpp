#include "ui/WaterBallAlerts.h"

#include "ui/Notifier.h"

void WaterBallAlerts::screenChanged(int slot, const CellSource& screen, bool inFront) {
    const std::optional<WaterBall> ball = WaterBall::find(screen);
    if (!ball) {
        seen_.erase(slot);
        return;
    }
    const auto it = seen_.find(slot);
    if (it != seen_.end() && it->second == *ball) return;
    seen_[slot] = *ball;
    if (inFront) return;
    notifier_.notify(QStringLiteral("★") + ball->sender, ball->message, [this, slot] { bringToFront_(slot); });
}
