#include "session/TelnetNegotiator.h"

#include <initializer_list>

namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr unsigned char kBinary = 0, kEcho = 1, kSga = 3, kTtype = 24, kNaws = 31;
constexpr unsigned char kTtypeSend = 1, kTtypeIs = 0;
constexpr qsizetype kMaxSub = 256;  // a longer subnegotiation is cut; nothing we answer needs more

QByteArray bytes(std::initializer_list<unsigned char> list) {
    QByteArray out;
    for (unsigned char b : list) out += char(b);
    return out;
}

QByteArray cmd(unsigned char verb, unsigned char option) { return bytes({IAC, verb, option}); }

}  // namespace

TelnetNegotiator::Result TelnetNegotiator::receive(const QByteArray& input) {
    Result r;
    r.data.reserve(input.size());
    for (const char ch : input) {
        const auto b = static_cast<unsigned char>(ch);
        switch (state_) {
        case Data:
            if (b == IAC) state_ = Iac;
            else r.data += ch;
            break;
        case Iac:
            if (b == IAC) {
                r.data += ch;  // an escaped 255 is data
                state_ = Data;
            } else if (b >= WILL && b <= DONT) {
                verb_ = b;
                state_ = Option;
            } else if (b == SB) {
                sub_.clear();
                state_ = Sub;
            } else {
                state_ = Data;  // NOP, GA, AYT and the like carry nothing for the screen
            }
            break;
        case Option:
            command(verb_, b, r.replies);
            state_ = Data;
            break;
        case Sub:
            if (b == IAC) state_ = SubIac;
            else if (sub_.size() < kMaxSub) sub_ += ch;
            break;
        case SubIac:
            if (b == SE) {
                subnegotiation(r.replies);
                state_ = Data;
            } else {
                if (b == IAC && sub_.size() < kMaxSub) sub_ += ch;
                state_ = Sub;
            }
            break;
        }
    }
    return r;
}

void TelnetNegotiator::command(unsigned char verb, unsigned char option, QByteArray& replies) {
    if (verb == DO || verb == DONT) {
        const bool agree = verb == DO && (option == kBinary || option == kSga || option == kTtype || option == kNaws);
        const unsigned char answer = agree ? WILL : WONT;
        if (ourAnswer_[option] == answer) return;
        ourAnswer_[option] = answer;
        replies += cmd(answer, option);
        if (agree && option == kNaws) {
            // 80 columns, 24 rows, each as two bytes (none of them 255).
            replies += bytes({IAC, SB, kNaws, 0, 80, 0, 24, IAC, SE});
        }
    } else {
        const bool agree = verb == WILL && (option == kBinary || option == kSga || option == kEcho);
        const unsigned char answer = agree ? DO : DONT;
        if (theirAnswer_[option] == answer) return;
        theirAnswer_[option] = answer;
        replies += cmd(answer, option);
    }
}

void TelnetNegotiator::subnegotiation(QByteArray& replies) {
    if (sub_.size() >= 2 && static_cast<unsigned char>(sub_[0]) == kTtype &&
        static_cast<unsigned char>(sub_[1]) == kTtypeSend) {
        replies += bytes({IAC, SB, kTtype, kTtypeIs}) + "vt100" + bytes({IAC, SE});
    }
}

QByteArray TelnetNegotiator::escape(const QByteArray& bytes) {
    if (!bytes.contains(char(IAC))) return bytes;
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (const char ch : bytes) {
        out += ch;
        if (static_cast<unsigned char>(ch) == IAC) out += ch;
    }
    return out;
}
