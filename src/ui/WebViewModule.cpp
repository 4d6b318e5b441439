#include "ui/WebViewModule.h"

#include "app/StartupTrace.h"
#include "ui/UnavailableWebPane.h"

#include <QCoreApplication>
#include <QLibrary>

QString WebViewModule::defaultPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libzek_webview.so");
}

WebViewModule::WebViewModule(QString path) : path_(std::move(path)) {}

bool WebViewModule::load() {
    if (tried_) return create_ != nullptr;
    tried_ = true;
    StartupTrace::mark("web view module loading");
    // Never unloaded: the engine keeps threads and static state until the process ends.
    QLibrary library(path_);
    if (!library.load()) {
        error_ = library.errorString();
        return false;
    }
    create_ = reinterpret_cast<CreateFunction>(library.resolve("zek_create_web_pane"));
    if (!create_) error_ = library.errorString();
    StartupTrace::mark("web view module loaded");
    return create_ != nullptr;
}

WebPane* WebViewModule::create(QWidget* parent, const LanguageTexts* texts) {
    if (load()) return create_(parent);
    return new UnavailableWebPane(UnavailableWebPane::message(texts), path_ + QStringLiteral(": ") + error_, parent);
}

WebPane::Factory WebViewModule::factory(const LanguageTexts* texts) {
    static WebViewModule module;
    return [texts](QWidget* parent) { return module.create(parent, texts); };
}
