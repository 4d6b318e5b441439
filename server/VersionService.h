#pragma once
#include "ServiceAnswer.h"

#include <array>
#include <optional>
#include <string>

// The version check. Zek posts "major=0&minor=9&revision=13"; the answer is the address
// of the installer of a newer version, or "no". The server offers an installer only
// when one is configured and its version is above the client's.
class VersionService {
public:
    using Version = std::array<long, 3>;

    // latest: "0.9.14" or "" (no installer offered); installer: the file name under
    // /download/ ("zek-0.9.14.exe").
    VersionService(const std::string& latest, std::string installer);

    // webRoot ends in "/"; the installer's address is webRoot + "download/" + name.
    ServiceAnswer check(const std::string& body, const std::string& webRoot) const;

    // "1.2.3" -> {1, 2, 3}; nullopt for anything else.
    static std::optional<Version> parseVersion(const std::string& text);
    // The three numbers of a form-encoded version request; nullopt when one is
    // missing or not a plain decimal number.
    static std::optional<Version> parseRequest(const std::string& body);

    bool offersInstaller() const { return latest_.has_value() && !installer_.empty(); }

private:
    std::optional<Version> latest_;
    std::string installer_;
};
