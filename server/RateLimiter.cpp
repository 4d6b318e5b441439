#include "RateLimiter.h"

#include <algorithm>

RateLimiter::RateLimiter(double perSecond, double burst) : perSecond_(perSecond), burst_(std::max(burst, 1.0)) {}

bool RateLimiter::allow(const std::string& client, double now) {
    if (perSecond_ <= 0) return true;
    std::lock_guard lock(mutex_);
    if (now - lastSweep_ > 10) dropFullBuckets(now);
    auto [it, added] = buckets_.try_emplace(client, Bucket{burst_, now});
    Bucket& b = it->second;
    if (!added) {
        b.tokens = std::min(burst_, b.tokens + std::max(0.0, now - b.last) * perSecond_);
        b.last = now;
    }
    if (b.tokens < 1) return false;
    b.tokens -= 1;
    return true;
}

void RateLimiter::dropFullBuckets(double now) {
    lastSweep_ = now;
    std::erase_if(buckets_, [&](const auto& entry) {
        return entry.second.tokens + (now - entry.second.last) * perSecond_ >= burst_;
    });
}

size_t RateLimiter::trackedClients() const {
    std::lock_guard lock(mutex_);
    return buckets_.size();
}
