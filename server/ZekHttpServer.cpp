#include "ZekHttpServer.h"

#include "LinkStore.h"
#include "RateLimiter.h"
#include "RequestLog.h"
#include "ShortLinkService.h"
#include "VersionService.h"
#include "WebPages.h"

#include <httplib.h>

#include <QDir>
#include <QFileInfo>

#include <sys/socket.h>

#include <chrono>
#include <fstream>
#include <regex>

namespace {

constexpr const char* kText = "text/plain; charset=utf-8";
constexpr const char* kHtml = "text/html; charset=utf-8";

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A Host header names where the client reached us; it is hostile like the rest, so only
// a plain host[:port] is echoed into pages.
bool plainHost(const std::string& host) {
    static const std::regex shape(R"(^[A-Za-z0-9.\-]{1,253}(:[0-9]{1,5})?$|^\[[0-9A-Fa-f:.]{2,45}\](:[0-9]{1,5})?$)");
    return std::regex_match(host, shape);
}

const char* reasonPhrase(int status) {
    switch (status) {
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 416: return "Range Not Satisfiable";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "";
    }
}

std::string queryOf(const httplib::Request& req) {
    const auto q = req.target.find('?');
    return q == std::string::npos ? std::string() : req.target.substr(q + 1);
}

// The library listens with a backlog of 5, which drops or resets connections when a few
// dozen clients connect at once; listen() on a listening socket only widens its queue.
class WideBacklogServer : public httplib::Server {
public:
    void widenBacklog(int backlog) {
        if (svr_sock_ != INVALID_SOCKET) ::listen(svr_sock_, backlog);
    }
};

}  // namespace

struct ZekHttpServer::Impl {
    Impl(const ServerConfig& c, LinkStore& s)
        : config(c),
          store(s),
          links(s),
          version(c.latestVersion.toStdString(), c.installer.toStdString()),
          limiter(c.rate, c.burst),
          pages(c),
          log(c.logFile.toStdString()) {}

    std::string rootFor(const httplib::Request& req) const {
        if (!config.publicUrl.isEmpty()) return config.publicUrl.toStdString();
        const std::string host = req.get_header_value("Host");
        if (plainHost(host)) return "http://" + host + "/";
        return "http://" + req.local_addr + ":" + std::to_string(req.local_port) + "/";
    }

    void answer(httplib::Response& res, const ServiceAnswer& a) {
        res.status = a.status;
        res.set_content(a.body, kText);
    }

    void page(httplib::Response& res, const std::string& html, int status = 200) {
        res.status = status;
        res.set_content(html, kHtml);
    }

    void routes();
    void serveRoot(const httplib::Request& req, httplib::Response& res);
    void serveDownload(const httplib::Request& req, httplib::Response& res);

    const ServerConfig config;
    LinkStore& store;
    ShortLinkService links;
    VersionService version;
    RateLimiter limiter;
    WebPages pages;
    RequestLog log;
    WideBacklogServer http;
};

void ZekHttpServer::Impl::routes() {
    http.Post("/shorten", [this](const httplib::Request& req, httplib::Response& res) {
        answer(res, links.shorten(req.body));
    });
    http.Post("/expand", [this](const httplib::Request& req, httplib::Response& res) {
        answer(res, links.expand(req.body));
    });
    http.Post("/version", [this](const httplib::Request& req, httplib::Response& res) {
        answer(res, version.check(req.body, rootFor(req)));
    });

    http.Get("/", [this](const httplib::Request& req, httplib::Response& res) { serveRoot(req, res); });
    http.Get("/home.html", [this](const httplib::Request& req, httplib::Response& res) {
        page(res, pages.home(rootFor(req), store.recent(20)));
    });
    http.Get("/search.php", [this](const httplib::Request& req, httplib::Response& res) {
        std::string q = req.get_param_value("q");
        if (q.size() > 200) q.resize(200);
        page(res, pages.search(rootFor(req), q, q.empty() ? store.recent(50) : store.search(q, 50)));
    });
    http.Get("/userguide.html", [this](const httplib::Request& req, httplib::Response& res) {
        page(res, pages.userGuide(rootFor(req)));
    });
    http.Get("/terms.html", [this](const httplib::Request& req, httplib::Response& res) {
        page(res, pages.terms(rootFor(req)));
    });
    http.Get("/troubleticket.html", [this](const httplib::Request& req, httplib::Response& res) {
        page(res, pages.troubleTicket(rootFor(req)));
    });
    http.Get("/bbs-download.html", [this](const httplib::Request& req, httplib::Response& res) {
        QStringList files = QDir(config.downloadsDir()).entryList(QDir::Files, QDir::Name);
        std::vector<std::string> names;
        for (const QString& f : files) {
            if (!f.startsWith(QLatin1Char('.')) && !f.endsWith(QLatin1String(".tmp"))) names.push_back(f.toStdString());
        }
        page(res, pages.download(rootFor(req), names));
    });
    http.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(WebPages::styleSheet(), "text/css; charset=utf-8");
        res.set_header("Cache-Control", "max-age=3600");
    });
    http.Get(R"(/download/([A-Za-z0-9][A-Za-z0-9._-]{0,127}))",
             [this](const httplib::Request& req, httplib::Response& res) { serveDownload(req, res); });
}

void ZekHttpServer::Impl::serveRoot(const httplib::Request& req, httplib::Response& res) {
    const std::string root = rootFor(req);
    const std::string query = queryOf(req);
    if (query.rfind("x=", 0) == 0) {
        // A short link opened in a browser: on to its long form.
        if (const auto link = links.resolveQuery(query)) {
            res.set_redirect(root + link->path, 302);
            return;
        }
        page(res, pages.notFound(root, "This short link is unknown. 這個短網址不存在。"), 404);
        return;
    }
    if (query.rfind("cmd=", 0) == 0) {
        std::string payload = query.substr(4);
        if (payload.rfind("pas:", 0) == 0) payload.erase(0, 4);
        auto link = ShortLinkService::canonicalLink(payload);
        if (!link) {
            page(res, pages.notFound(root, "This link names no BBS. 這個連結沒有指出 BBS。"), 400);
            return;
        }
        // Title and author are known when someone shared the link through us.
        if (const auto stored = store.findByPath(link->path)) {
            if (link->title.empty()) link->title = stored->title;
            if (link->author.empty()) link->author = stored->author;
            link->code = stored->code;
        } else {
            link->code.clear();
        }
        page(res, pages.landing(root, *link));
        return;
    }
    page(res, pages.home(root, store.recent(20)));
}

void ZekHttpServer::Impl::serveDownload(const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    const QString path = config.downloadsDir() + QLatin1Char('/') + QString::fromStdString(name);
    const QFileInfo info(path);
    if (name.find("..") != std::string::npos || !info.isFile() || !info.isReadable()) {
        page(res, pages.notFound(rootFor(req), "404 Not Found: " + name), 404);
        return;
    }
    auto file = std::make_shared<std::ifstream>(path.toStdString(), std::ios::binary);
    const auto size = static_cast<size_t>(info.size());
    const long cut = config.truncateDownloads;
    res.set_content_provider(
        size, "application/octet-stream",
        [file, cut](size_t offset, size_t length, httplib::DataSink& sink) {
            if (cut >= 0 && offset >= static_cast<size_t>(cut)) return false;  // drops the connection
            char buffer[16384];
            size_t want = std::min(length, sizeof buffer);
            if (cut >= 0) want = std::min(want, static_cast<size_t>(cut) - offset);
            file->seekg(static_cast<std::streamoff>(offset));
            file->read(buffer, static_cast<std::streamsize>(want));
            const auto got = file->gcount();
            if (got <= 0) return false;
            return sink.write(buffer, static_cast<size_t>(got));
        });
}

ZekHttpServer::ZekHttpServer(const ServerConfig& config, LinkStore& store) : d_(std::make_unique<Impl>(config, store)) {
    auto& http = d_->http;
    const int threads = config.threads;
    http.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
    http.set_tcp_nodelay(true);
    http.set_keep_alive_max_count(1000);
    http.set_keep_alive_timeout(5);
    http.set_read_timeout(5);
    http.set_write_timeout(5);
    http.set_payload_max_length(static_cast<size_t>(config.maxBody));
    http.set_default_headers({{"X-Content-Type-Options", "nosniff"}});

    http.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        RequestLog::markStart();
        if (!d_->limiter.allow(req.remote_addr, steadySeconds())) {
            res.status = 429;
            res.set_header("Retry-After", "1");
            res.set_content("too many requests", kText);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) res.set_content(std::to_string(res.status) + " " + reasonPhrase(res.status), kText);
    });
    http.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        res.status = 500;
        res.set_content("internal error", kText);
    });
    http.set_logger([this](const httplib::Request& req, const httplib::Response& res) { d_->log.write(req, res); });
    d_->routes();
}

ZekHttpServer::~ZekHttpServer() = default;

int ZekHttpServer::bind() {
    const std::string address = d_->config.address.toStdString();
    int port = d_->config.port;
    if (port == 0) port = d_->http.bind_to_any_port(address);
    else if (!d_->http.bind_to_port(address, port)) port = -1;
    if (port > 0) d_->http.widenBacklog(1024);
    return port;
}

void ZekHttpServer::run() { d_->http.listen_after_bind(); }

void ZekHttpServer::stop() { d_->http.stop(); }
