#pragma once
#include <mutex>
#include <string>
#include <unordered_map>

// A token bucket per client address: each request takes one token, tokens come back at
// perSecond up to burst. A rate of 0 lets everything through. Buckets of clients quiet
// long enough to be full again are dropped, so the table stays as small as the set of
// clients that are active right now.
class RateLimiter {
public:
    RateLimiter(double perSecond, double burst);

    // now: seconds on a steady clock.
    bool allow(const std::string& client, double now);
    size_t trackedClients() const;

private:
    struct Bucket {
        double tokens;
        double last;
    };
    void dropFullBuckets(double now);

    const double perSecond_;
    const double burst_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
    double lastSweep_ = 0;
};
