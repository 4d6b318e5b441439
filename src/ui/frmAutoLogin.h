#pragma once
#include "ui/LoginDialogBase.h"

// Edits the stored PTT account, its password and the automatic-logon switches (from the
// option menu). Sends nothing to any session.
class frmAutoLogin : public LoginDialogBase {
    Q_OBJECT
public:
    explicit frmAutoLogin(AppContext& context, QWidget* parent = nullptr);

    void initialize() override;
    // Account and password are needed only while automatic logon is checked.
    bool checkValues() override;

protected:
    bool confirm() override;
};
