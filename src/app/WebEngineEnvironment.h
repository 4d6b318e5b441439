#pragma once
#include <QString>

// What the embedded browser is told before it starts. Chromium's sandbox cannot start as
// root, so it is turned off there and only there; the GPU is turned off only where there
// is none to use (no render node, or a platform without a screen).
struct WebEngineEnvironment {
    bool disableSandbox = false;
    bool disableGpu = false;

    static WebEngineEnvironment decide(unsigned effectiveUid, const QString& platform, bool hasRenderNode);
    // Sets QTWEBENGINE_DISABLE_SANDBOX and QTWEBENGINE_CHROMIUM_FLAGS from decide() for
    // this process, unless the environment already sets them. Call before the
    // QApplication is created.
    static void apply();
};
