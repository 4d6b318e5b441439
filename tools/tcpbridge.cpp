// tcpbridge PORT
//
// Joins its standard input and output to a TCP connection to 127.0.0.1:PORT, byte for
// byte, until either side ends. An sshd started by the tests runs it as the forced
// command, so an SSH session reaches the test PTT host. When its input is a terminal it
// is switched to raw mode first: no echo, no line editing, no CR/LF rewriting.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool writeAll(int fd, const char* p, ssize_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, size_t(n));
        if (w <= 0) return false;
        p += w;
        n -= w;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const long port = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (port < 1 || port > 65535) {
        std::fprintf(stderr, "usage: tcpbridge PORT\n");
        return 2;
    }
    if (isatty(0)) {
        termios t{};
        if (tcgetattr(0, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(0, TCSANOW, &t);
        }
    }
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s < 0 || connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        std::perror("tcpbridge: connect");
        return 1;
    }
    pollfd fds[2] = {{0, POLLIN, 0}, {s, POLLIN, 0}};
    char buf[16384];
    for (;;) {
        if (poll(fds, 2, -1) < 0) return 1;
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0 || !writeAll(i == 0 ? s : 1, buf, n)) return 0;
        }
    }
}
