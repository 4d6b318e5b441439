#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// One pair per process; the handler may touch nothing else.
int g_fds[2] = {-1, -1};
volatile sig_atomic_t g_endAtOnce = 0;
// A desktop logout sends SIGTERM (or SIGHUP to programs started from a terminal).
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int number) {
    if (g_endAtOnce) {
        // The default action once this handler returns (the signal is blocked until then).
        ::signal(number, SIG_DFL);
        ::raise(number);
        return;
    }
    // The interrupted code may be about to read errno; a full socket would change it.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_fds[0] >= 0) {
        const ssize_t ignored = ::write(g_fds[0], &byte, 1);
        (void)ignored;
    }
    errno = savedErrno;
}
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() {
    if (notifier_ != nullptr) {
        for (int number : kSignals) {
            struct sigaction current {};
            if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler != onSignal) continue;
            struct sigaction action {};
            action.sa_handler = SIG_DFL;
            sigemptyset(&action.sa_mask);
            ::sigaction(number, &action, nullptr);
        }
    }
}

void TerminationSignals::setEndAtOnce(bool atOnce) { g_endAtOnce = atOnce ? 1 : 0; }

bool TerminationSignals::install() {
    if (notifier_ != nullptr) return true;
    if (g_fds[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0) return false;
        for (int fd : g_fds) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(g_fds[0], F_SETFL, O_NONBLOCK);
        ::fcntl(g_fds[1], F_SETFL, O_NONBLOCK);
    }
    notifier_ = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) {
        // A signal the starter chose to ignore (nohup, "&" in a script) stays ignored.
        struct sigaction old {};
        if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(number, &action, nullptr);
    }
    return true;
}

void TerminationSignals::readPending() {
    unsigned char byte = 0;
    while (::read(g_fds[1], &byte, 1) == 1) emit terminationRequested(byte);
}
