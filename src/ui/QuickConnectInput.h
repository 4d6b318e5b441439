#pragma once
// The quick-connect dialog's two boxes, checked: the host and port as the user typed
// them, and what the dialog writes back and opens.
#include <QString>

struct QuickConnectInput {
    // Blanks trimmed from both boxes; the port written back as a plain decimal when it
    // was accepted ("0023" -> "23", "2.6" -> "3").
    QString host;
    QString portText;
    int port = 0;
    // "" when accepted, else the language key of the message: "Invalid_Host" or
    // "Invalid_Port".
    QString errorKey;

    bool accepted() const { return errorKey.isEmpty(); }

    // A port is a number (digits, an optional sign and decimal point, blanks around)
    // rounded half to even; it must lie in 1..65535.
    static QuickConnectInput check(const QString& host, const QString& portText);
};
