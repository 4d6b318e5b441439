#include "ui/frmAutoLogin.h"

#include "app/AppContext.h"

#include <QCheckBox>
#include <QLineEdit>

frmAutoLogin::frmAutoLogin(AppContext& context, QWidget* parent)
    : LoginDialogBase(context, QStringLiteral("frmAutoLogin"), parent) {}

void frmAutoLogin::initialize() {
    const Settings& s = context_.settings;
    txtUserName->setText(s.ptt_account);
    txtPassword->setText(s.ptt_password);
    ChkDeletePWDLog->setChecked(s.switch_of_deleting_password_log == 1);
    ChkDeleteOtherLinks->setChecked(s.switch_of_deleting_other_links == 1);
    ChkAutoEnabled->setChecked(s.switch_of_auto_login == 1);
}

bool frmAutoLogin::checkValues() { return checkAccount(/*required=*/ChkAutoEnabled->isChecked()); }

bool frmAutoLogin::confirm() {
    Settings& s = context_.settings;
    s.ptt_account = txtUserName->text();
    s.ptt_password = txtPassword->text();
    s.switch_of_auto_login = ChkAutoEnabled->isChecked() ? 1 : 0;
    s.switch_of_deleting_password_log = ChkDeletePWDLog->isChecked() ? 1 : 0;
    s.switch_of_deleting_other_links = ChkDeleteOtherLinks->isChecked() ? 1 : 0;
    return true;
}
