#pragma once
// Settings pointed at a server on 127.0.0.1, a recording host and a loaded WebServices.
#include "app/Settings.h"
#include "web/WebServices.h"

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "zek_web_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// First member of a fixture, so that its servers and sockets see the application.
struct ApplicationFirst {
    ApplicationFirst() { ensureApplication(); }
};

class RecordingHost : public WebServicesHost {
public:
    std::vector<std::pair<QString, QString>> shortLinks;  // type, link
    std::vector<QString> opened;
    void showShortLink(const QString& type, const QString& link) override { shortLinks.emplace_back(type, link); }
    void openZEKURL(const QString& link) override { opened.push_back(link); }
};

struct WebServiceHarness {
    // root: "http://127.0.0.1:PORT"; the services get the paths given.
    WebServiceHarness(const QString& root, const QString& longPath, const QString& shortPath,
                      const QString& versionPath) {
        ensureApplication();
        settings.prefix_of_zek_long_url = root + QStringLiteral("/");
        settings.prefix_of_zek_short_url = root + QStringLiteral("/?x=");
        settings.url_for_long_url = root + longPath;
        settings.url_for_short_url = root + shortPath;
        settings.url_for_checking_new_version = root + versionPath;
        services = std::make_unique<WebServices>(settings, host);
        services->load();
    }
    bool idle() const {
        return services->table().isIdle(settings.url_for_long_url) &&
               services->table().isIdle(settings.url_for_short_url) &&
               services->table().isIdle(settings.url_for_checking_new_version);
    }

    Settings settings;
    RecordingHost host;
    std::unique_ptr<WebServices> services;
};
