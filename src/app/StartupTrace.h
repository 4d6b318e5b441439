#pragma once

// Start-up milestones for tools/zek_startup_time.sh: with ZEK_TRACE_STARTUP set, each
// mark prints "startup: WHAT N ms" to stderr, N counted from the start of the process
// (so loading the libraries counts too). Without it a mark costs one branch.
class StartupTrace {
public:
    static void mark(const char* what);
};
