#include "VersionService.h"

#include <sstream>

namespace {

std::optional<long> decimal(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

VersionService::VersionService(const std::string& latest, std::string installer)
    : latest_(parseVersion(latest)), installer_(std::move(installer)) {}

std::optional<VersionService::Version> VersionService::parseVersion(const std::string& text) {
    Version v{};
    std::istringstream in(text);
    std::string part;
    size_t i = 0;
    while (std::getline(in, part, '.')) {
        if (i == v.size()) return std::nullopt;
        const auto n = decimal(part);
        if (!n) return std::nullopt;
        v[i++] = *n;
    }
    if (i != v.size()) return std::nullopt;
    return v;
}

std::optional<VersionService::Version> VersionService::parseRequest(const std::string& body) {
    static const char* const kNames[] = {"major", "minor", "revision"};
    std::array<std::optional<long>, 3> found;
    std::istringstream in(body);
    std::string pair;
    while (std::getline(in, pair, '&')) {
        const auto eq = pair.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = pair.substr(0, eq);
        for (size_t i = 0; i < 3; ++i) {
            if (key == kNames[i]) {
                std::string value = pair.substr(eq + 1);
                while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' ')) {
                    value.pop_back();
                }
                found[i] = decimal(value);
                if (!found[i]) return std::nullopt;
            }
        }
    }
    if (!found[0] || !found[1] || !found[2]) return std::nullopt;
    return Version{*found[0], *found[1], *found[2]};
}

ServiceAnswer VersionService::check(const std::string& body, const std::string& webRoot) const {
    const auto running = parseRequest(body);
    if (!running) return {400, "expected major=N&minor=N&revision=N"};
    if (offersInstaller() && *latest_ > *running) return {200, webRoot + "download/" + installer_};
    return {200, "no"};
}
