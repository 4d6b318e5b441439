#include "app/WebEngineEnvironment.h"

#include <QDir>
#include <QtGlobal>

#include <unistd.h>

WebEngineEnvironment WebEngineEnvironment::decide(unsigned effectiveUid, const QString& platform, bool hasRenderNode) {
    WebEngineEnvironment env;
    env.disableSandbox = effectiveUid == 0;
    const bool headless = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
    env.disableGpu = headless || !hasRenderNode;
    return env;
}

void WebEngineEnvironment::apply() {
    const bool renderNode = !QDir(QStringLiteral("/dev/dri"))
                                 .entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files)
                                 .isEmpty();
    const WebEngineEnvironment env =
        decide(unsigned(::geteuid()), qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0), renderNode);
    if (env.disableSandbox && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", env.disableGpu ? "--disable-gpu --log-level=3" : "--log-level=3");
}
