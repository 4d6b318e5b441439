#pragma once
#include <QByteArray>

#include <array>

// Telnet option handling for BBSs that insist on it (PTT does not: its sessions stay raw).
// Received bytes go in; what comes out is the data for the screen with telnet commands
// taken away, plus the answers to send back. It agrees to binary transmission,
// suppress-go-ahead, the server's echo, terminal type "vt100" and a window size of 80x24,
// refuses every other option, and answers a request only once per change so two
// agreeable ends never loop. Pure: no sockets, no timers.
class TelnetNegotiator {
public:
    struct Result {
        QByteArray data;     // for the interpreter
        QByteArray replies;  // to the host
    };
    Result receive(const QByteArray& bytes);
    // Data to send with IAC (255) doubled.
    static QByteArray escape(const QByteArray& bytes);

private:
    void command(unsigned char verb, unsigned char option, QByteArray& replies);
    void subnegotiation(QByteArray& replies);

    enum State { Data, Iac, Option, Sub, SubIac };
    State state_ = Data;
    unsigned char verb_ = 0;
    QByteArray sub_;
    // Per option: the answer last sent to DO/DONT (we will) and to WILL/WONT (they will),
    // 0 for none yet.
    std::array<unsigned char, 256> ourAnswer_{};
    std::array<unsigned char, 256> theirAnswer_{};
};
