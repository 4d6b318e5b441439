#include "ui/frmLogin.h"

#include "app/AppContext.h"
#include "ui/SessionTabs.h"

#include <QCheckBox>
#include <QLineEdit>

frmLogin::frmLogin(AppContext& context, QWidget* parent)
    : LoginDialogBase(context, QStringLiteral("frmLogin"), parent) {
    ChkDeletePWDLog->setChecked(true);
    ChkDeleteOtherLinks->setChecked(true);
}

void frmLogin::initialize() {
    const Settings& s = context_.settings;
    txtUserName->setText(s.ptt_account);
    txtPassword->setText(s.ptt_password);
    ChkDeletePWDLog->setChecked(true);
    ChkDeleteOtherLinks->setChecked(true);
    ChkAutoEnabled->setChecked(s.switch_of_auto_login == 1);
    LogonAnswers& a = context_.logonAnswers;
    a.enteredAccount.clear();
    a.enteredPassword.clear();
    a.deleteOtherConnections = true;
    a.deletePasswordErrors = true;
}

bool frmLogin::checkValues() { return checkAccount(/*required=*/true); }

bool frmLogin::confirm() {
    LogonAnswers& a = context_.logonAnswers;
    Settings& s = context_.settings;
    a.enteredAccount = txtUserName->text();
    a.enteredPassword = txtPassword->text();
    s.ptt_account = a.enteredAccount;
    s.ptt_password = a.enteredPassword;
    s.switch_of_auto_login = ChkAutoEnabled->isChecked() ? 1 : 0;
    if (!ChkDeletePWDLog->isChecked()) a.deletePasswordErrors = false;
    if (!ChkDeleteOtherLinks->isChecked()) a.deleteOtherConnections = false;
    if (SessionTabs* tabs = sessions()) {
        const QString keys = a.enteredAccount + QLatin1Char('\r') + a.enteredPassword + QLatin1Char('\r');
        if (itemIndex_ <= 0) tabs->sendData(keys);
        else tabs->sendData2(itemIndex_, keys);
    }
    return true;
}
