#include "app/TerminationSignals.h"
#include "app/WebEngineEnvironment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

// The handler runs between any two instructions of the program: it must leave errno as it
// found it, also once its socket is full and its own write fails (nothing reads it here).
TEST(TerminationSignals, TheHandlerLeavesErrnoAsItFoundIt) {
    TerminationSignals handlers;
    ASSERT_TRUE(handlers.install());
    for (int i = 0; i < 20000; ++i) {
        errno = ENOTTY;
        ASSERT_EQ(::raise(SIGTERM), 0);
        ASSERT_EQ(errno, ENOTTY) << "after " << i << " signals";
    }
}

// Until start-up reaches the main window there is nothing to save and no event loop to hear
// the signal: it ends the program at once, as if there were no handler.
TEST(TerminationSignalsDeathTest, DuringStartUpASignalEndsTheProgramAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TerminationSignals handlers;
            handlers.install();
            TerminationSignals::setEndAtOnce(true);
            ::raise(SIGTERM);
            std::_Exit(0);  // not reached
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

// Chromium's sandbox is off only for root, where it cannot start; the GPU is off only where
// there is none to draw with.
TEST(WebEngineEnvironment, SandboxOffOnlyAsRootAndGpuOffOnlyWithoutOne) {
    struct Case {
        unsigned uid;
        const char* platform;
        bool renderNode, sandboxOff, gpuOff;
    };
    const Case cases[] = {
        {1000, "xcb", true, false, false},       {1000, "wayland", false, false, true},
        {1000, "offscreen", true, false, true},  {0, "xcb", true, true, false},
        {0, "minimal", true, true, true},        {0, "", false, true, true},
    };
    for (const Case& c : cases) {
        const auto env = WebEngineEnvironment::decide(c.uid, QString::fromLatin1(c.platform), c.renderNode);
        EXPECT_EQ(env.disableSandbox, c.sandboxOff) << c.uid << ' ' << c.platform;
        EXPECT_EQ(env.disableGpu, c.gpuOff) << c.uid << ' ' << c.platform << ' ' << c.renderNode;
    }
}
