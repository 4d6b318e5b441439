#pragma once
#include "ServerConfig.h"

#include <memory>

class LinkStore;

// The HTTP side of zek-server: routes, request limits, the per-client rate limit and the
// request log, over cpp-httplib.
//
// Why cpp-httplib and not Qt HttpServer: Qt 6.4's HTTP server is a technology preview
// that serves every connection on the one event-loop thread and offers no limit on the
// size of a request body, no read timeouts and no hook before routing; cpp-httplib (a
// Debian package, widely used) gives a worker pool with keep-alive, limits on the
// request line, headers and body (414, 431/400, 413), timeouts against slow clients, a
// pre-routing hook for the rate limit and a logger hook, all in one header.
class ZekHttpServer {
public:
    ZekHttpServer(const ServerConfig& config, LinkStore& store);
    ~ZekHttpServer();

    // Binds the configured address and port; returns the port (useful with port 0), or
    // -1 when the address cannot be bound.
    int bind();
    // Serves until stop(); returns after the requests in progress are answered.
    void run();
    // Safe from any thread.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
