#include "ui/WebViewModule.h"

#include "app/StartupTrace.h"
#include "ui/UnavailableWebPane.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QOpenGLContext>

#include <memory>
#include <utility>

// QtGui's setter of the context every later GL context shares with; QtWebEngine reads it.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

QOpenGLContext* sharedGlContext = nullptr;

// Loaded without a shared GL context, the engine tells the developer to set
// Qt::AA_ShareOpenGLContexts before the application. That happens only where no GL
// context can be made at all, and then there is nothing to share: the advice is dropped.
QtMessageHandler forwardTo = nullptr;
void dropLateLoadAdvice(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("initialized from a plugin"))) return;
    if (forwardTo) forwardTo(type, context, text);
}

// What Qt WebEngine needs from the application before it is loaded: a global shared GL
// context, for the GPU's pictures to reach the window. Qt::AA_ShareOpenGLContexts set
// before the QGuiApplication would make it create one at every start, and every start
// would wait for the GL driver; made here, only the first web page waits.
void ensureSharedGlContext() {
    if (QOpenGLContext::globalShareContext() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    auto context = std::make_unique<QOpenGLContext>();
    if (!context->create()) return;  // offscreen: no GL at all, the engine draws without
    sharedGlContext = context.release();
    qt_gl_set_global_share_context(sharedGlContext);
    // Gone while the application's GL integration still exists.
    qAddPostRoutine([] {
        if (QOpenGLContext::globalShareContext() == sharedGlContext) qt_gl_set_global_share_context(nullptr);
        delete sharedGlContext;
        sharedGlContext = nullptr;
    });
}

}  // namespace

QString WebViewModule::defaultPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libzek_webview.so");
}

WebViewModule::WebViewModule(QString path) : path_(std::move(path)) {}

bool WebViewModule::load() {
    if (tried_) return create_ != nullptr;
    tried_ = true;
    StartupTrace::mark("web view module loading");
    // QLibrary's own words for a missing file name the variants it tried; ours are plainer.
    if (!QFileInfo::exists(path_)) {
        error_ = QStringLiteral("file not found");
        return false;
    }
    ensureSharedGlContext();
    // Never unloaded: the engine keeps threads and static state until the process ends.
    QLibrary library(path_);
    if (!QOpenGLContext::globalShareContext()) forwardTo = qInstallMessageHandler(dropLateLoadAdvice);
    const bool loaded = library.load();
    if (forwardTo) qInstallMessageHandler(std::exchange(forwardTo, nullptr));
    if (!loaded) {
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
