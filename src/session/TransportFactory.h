#pragma once
#include <QString>

#include <memory>

class BbsTransport;
class IniFile;
class LanguageTexts;
class QObject;
class UserInteraction;
struct BbsAddress;

// What a session connects through, chosen from its address and the per-host choices in
// hosts.ini beside App.ini:
//   [bbs.example.org]
//   telnet_negotiation=1             answer telnet options (never for PTT)
//   [ws.example.org]
//   origin=https://term.example.org  Origin header of WebSocket connections
//   identity_file=/home/me/.ssh/id_bbs  a private key offered at SSH logon
// SSH host keys are kept in known_hosts in the same folder.
namespace transports {

struct HostOptions {
    bool telnetNegotiation = false;
    QString origin;
    QString identityFile;
};

// The choices for one host (its section as written or lower-cased); PTT hosts never
// negotiate, and a WebSocket without a configured origin sends PTT's web terminal's
// origin to PTT and its own https origin elsewhere.
HostOptions hostOptions(const IniFile& hostsIni, const QString& host, const QString& pttDomain);

QString knownHostsPath();
QString hostsIniPath();

// texts (may be null) words the questions a transport asks the user.
std::unique_ptr<BbsTransport> make(const BbsAddress& address, UserInteraction& ui, const LanguageTexts* texts,
                                   QObject* parent);

}  // namespace transports
