#pragma once
#include "ZEKAddressCls.h"

#include <QString>

// What ZEKURLModule needs from the main window: its sessions and its address text box.
// The main window implements it; tests put in a double.
class ZekUrlHost {
public:
    virtual ~ZekUrlHost() = default;

    // Session index of an open PTT session that may be reused, or a number below 1.
    virtual int getAvailablePTTLink() = 0;
    // A new session to host on port 23.
    virtual void OpenBBS(const QString& host) = 0;
    // A new session to host on port.
    virtual void OpenBBS2(const QString& host, int port) = 0;
    // Opens or reuses a session and starts driving it to the record's destination.
    virtual void AutoPTT(ZEKAddressRef record) = 0;

    virtual void setTxtZEKURL(const QString& text) = 0;
    virtual QString TxtZEKURL() const = 0;
    // False while there is no main window (the address text box is then left alone).
    virtual bool hasMainWindow() const = 0;

    // A short Zek URL (short prefix + "cmd=pas:" + code) is to be opened: ask the
    // product web server for its long form. Returns false when the host cannot; the
    // link then goes to the desktop's browser, which the web server redirects.
    virtual bool resolveShortURL(const QString& /*shortUrl*/) { return false; }
};
