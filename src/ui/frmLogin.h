#pragma once
#include "ui/LoginDialogBase.h"

// Asks for the PTT account when a session driven to a Zek URL meets the logon page with
// automatic logon off (or after the stored password was refused). OK logs that session on
// with what was typed, remembers the account and sets the answers to the questions PTT
// asks after logon.
class frmLogin : public LoginDialogBase {
    Q_OBJECT
public:
    explicit frmLogin(AppContext& context, QWidget* parent = nullptr);

    void initialize() override;
    bool checkValues() override;

    // The tab of the session to log on; 0 or less: the current tab.
    int ItemIndex() const { return itemIndex_; }
    void setItemIndex(int tab) { itemIndex_ = static_cast<int16_t>(tab); }

protected:
    bool confirm() override;

private:
    int16_t itemIndex_ = 0;
};
