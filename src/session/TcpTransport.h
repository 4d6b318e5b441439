#pragma once
#include "session/BbsTransport.h"
#include "session/TelnetNegotiator.h"

#include <memory>

class QTcpSocket;

// Raw TCP: every received byte goes to the screen, 0xFF included, and nothing is sent
// on its own. With telnet negotiation switched on (a per-host choice for BBSs that need
// it, never for PTT) telnet commands are answered and kept off the screen.
class TcpTransport : public BbsTransport {
    Q_OBJECT
public:
    explicit TcpTransport(bool telnetNegotiation = false, QObject* parent = nullptr);
    ~TcpTransport() override;

    void open(const BbsAddress& address) override;
    void abort() override;
    bool isConnected() const override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

private:
    QTcpSocket* socket_;
    std::unique_ptr<TelnetNegotiator> telnet_;
    bool negotiate_;
};
