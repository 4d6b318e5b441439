#pragma once
#include <QByteArray>

// Terminal key sequences that the automatic navigation and the PTT shortcut menu send.
// Built once at start-up; the bytes are sent as they are.
struct NavigationKeys {
    QByteArray up;        // ESC [ A
    QByteArray down;      // ESC O B (application form, used for the keep-alive)
    QByteArray left;      // ESC [ D
    QByteArray right;     // ESC [ C
    QByteArray home;      // ESC [ 1 ~
    QByteArray end;       // ESC [ 4 ~
    QByteArray pageUp;    // ESC [ 5 ~
    QByteArray pageDown;  // ESC [ 6 ~
    QByteArray enter;     // CR

    static NavigationKeys build();
};
