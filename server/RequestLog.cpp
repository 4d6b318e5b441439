#include "RequestLog.h"

#include <httplib.h>

#include <chrono>
#include <ctime>

namespace {
thread_local std::chrono::steady_clock::time_point requestStart{};
}

RequestLog::RequestLog(const std::string& file) {
    if (file == "-") {
        out_ = stderr;
    } else if (!file.empty()) {
        out_ = std::fopen(file.c_str(), "a");
        owned_ = out_ != nullptr;
        if (!out_) std::fprintf(stderr, "zek-server: cannot open log file %s; logging to standard error\n", file.c_str());
        if (!out_) out_ = stderr;
    }
}

RequestLog::~RequestLog() {
    if (owned_) std::fclose(out_);
}

void RequestLog::markStart() { requestStart = std::chrono::steady_clock::now(); }

std::string RequestLog::cleanTarget(const std::string& target) {
    static constexpr size_t kLongest = 200;
    std::string out;
    for (unsigned char c : target) {
        if (out.size() >= kLongest) {
            out += "...";
            break;
        }
        if (c < 0x21 || c >= 0x7f || c == '%') {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out.empty() ? "-" : out;
}

void RequestLog::write(const httplib::Request& req, const httplib::Response& res) {
    if (!out_) return;
    const auto now = std::chrono::steady_clock::now();
    const double ms = requestStart.time_since_epoch().count() == 0
                          ? 0.0
                          : std::chrono::duration<double, std::milli>(now - requestStart).count();
    requestStart = {};
    const std::time_t wall = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&wall, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    const std::string method = cleanTarget(req.method.substr(0, 16));
    char took[32];
    std::snprintf(took, sizeof took, "%.2fms\n", ms);
    const std::string line = std::string(stamp) + " " + (req.remote_addr.empty() ? "-" : req.remote_addr) + " " +
                             method + " " + cleanTarget(req.target) + " " + std::to_string(res.status) + " " +
                             std::to_string(res.body.size()) + " " + took;
    std::lock_guard lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fflush(out_);
}
