#pragma once
#include <cstdio>
#include <mutex>
#include <string>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

// One line per request:
//   2026-12-06T02:40:01Z 127.0.0.1 POST /shorten 200 21 0.31ms
// (time in UTC, client, method, target, status, body bytes sent, time from the end of
// the request head to the answer). Control and non-ASCII bytes of the target are written
// as %XX and long targets cut, so a hostile request cannot forge or flood log lines.
class RequestLog {
public:
    // file: "-" for standard error, "" for no log.
    explicit RequestLog(const std::string& file);
    ~RequestLog();

    // Notes when the current thread began on a request.
    static void markStart();
    void write(const httplib::Request& req, const httplib::Response& res);

    static std::string cleanTarget(const std::string& target);

private:
    std::mutex mutex_;
    std::FILE* out_ = nullptr;
    bool owned_ = false;
};
