#pragma once
#include <string>

// What a service handler sends back: status and a plain-text body.
struct ServiceAnswer {
    int status = 200;
    std::string body;
};
