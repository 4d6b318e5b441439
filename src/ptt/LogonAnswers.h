#pragma once
#include <QString>

// What the login dialog leaves for the automatic navigation: the account it last typed
// and how to answer the two questions PTT asks right after logon. Both answers stay
// "no" until the login dialog is first used.
struct LogonAnswers {
    QString enteredAccount;
    QString enteredPassword;
    bool deleteOtherConnections = false;  // "delete your other connections?"
    bool deletePasswordErrors = false;    // "delete the record of wrong passwords?"
};
