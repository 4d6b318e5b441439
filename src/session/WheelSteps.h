#pragma once

// Mouse-wheel steps of one session waiting to be played out as cursor keys.
class WheelSteps {
public:
    // One wheel message is one step, whatever its size: up (delta >= 0) +1, down -1.
    void add(int delta) { count_ += delta >= 0 ? 1 : -1; }
    // Takes one step: +1 for up, -1 for down, 0 when none is pending.
    int take() {
        if (count_ >= 1) { --count_; return 1; }
        if (count_ < 0) { ++count_; return -1; }
        return 0;
    }
    int pending() const { return count_; }
    void reset() { count_ = 0; }

private:
    int count_ = 0;
};
