// The two account dialogs: what OK accepts, what it stores and sends, what Cancel ends.
#include "LoopbackHost.h"
#include "MainWindowHarness.h"
#include "ui/AppDialogs.h"
#include "ui/frmAutoLogin.h"
#include "ui/frmLogin.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

struct Dialogs {
    MainWindowHarness h;
    AppDialogs* d;
    Dialogs() {
        h.form->setDialogs(std::make_unique<AppDialogs>(h.context, h.form.get()));
        d = h.form->dialogs();
    }
};

TEST(LoginDialogs, WhatOkAcceptsAndStores) {
    Dialogs t;
    const QString noAccount = t.h.context.texts.text("Invalid_User_Name");
    const QString noPassword = t.h.context.texts.text("Invalid_Passwored");
    // autoDialog: frmAutoLogin, else frmLogin; message "": accepted.
    struct Case { const char* name; bool autoDialog, autoOn; QString account, password, message; } cases[] = {
        {"login: blanks trimmed", false, false, "  tester ", " pw ", ""},
        {"login: empty password", false, true, "tester", "   ", noPassword},
        {"login: empty account first", false, true, "", "", noAccount},
        {"auto-login off accepts empty fields", true, false, "", "", ""},
        {"auto-login on needs an account", true, true, " ", "pw", noAccount},
    };
    for (const Case& c : cases) {
        t.h.ui.messages.clear();
        t.h.context.settings.switch_of_auto_login = c.autoOn ? 1 : 0;
        LoginDialogBase* dialog = c.autoDialog ? static_cast<LoginDialogBase*>(t.d->autoLogin()) : t.d->login();
        dialog->initialize();
        dialog->show();
        dialog->txtUserName->setText(c.account);
        dialog->txtPassword->setText(c.password);
        dialog->TB_ButtonClick("OK");
        EXPECT_EQ(dialog->isVisible(), !c.message.isEmpty()) << c.name;
        EXPECT_EQ(t.h.ui.messages, c.message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.message}) << c.name;
        EXPECT_EQ(dialog->txtUserName->text(), c.account.trimmed()) << c.name;
        if (c.message.isEmpty()) {
            EXPECT_EQ(t.h.context.settings.ptt_account, c.account.trimmed()) << c.name;
            EXPECT_EQ(t.h.context.settings.ptt_password, c.password.trimmed()) << c.name;
        }
        dialog->hide();
    }
    EXPECT_EQ(t.d->login()->txtPassword->echoMode(), QLineEdit::Password);
}

TEST(LoginDialogs, LoginSendsToItsTabAndSetsTheAnswers) {
    Dialogs t;
    LoopbackHost host;
    t.h.tabs().OpenBBS2("127.0.0.1", host.serverPort());  // tab 2
    ASSERT_TRUE(t.h.sessionConnected(2));
    t.h.strip().setItemNowNumber(1);  // another tab in front

    frmLogin* login = t.d->login();
    login->initialize();
    EXPECT_TRUE(t.h.context.logonAnswers.deleteOtherConnections && t.h.context.logonAnswers.deletePasswordErrors);
    login->setItemIndex(2);
    login->txtUserName->setText(" tester ");
    login->txtPassword->setText("test1234");
    login->ChkDeleteOtherLinks->setChecked(false);
    login->ChkAutoEnabled->setChecked(true);
    login->TB_ButtonClick("OK");
    EXPECT_EQ(host.take(16), QByteArray("tester\rtest1234\r"));
    EXPECT_FALSE(t.h.context.logonAnswers.deleteOtherConnections);
    EXPECT_TRUE(t.h.context.logonAnswers.deletePasswordErrors);
    EXPECT_EQ(t.h.context.logonAnswers.enteredAccount, "tester");
    EXPECT_EQ(t.h.context.settings.switch_of_auto_login, 1);

    // Cancel, Escape and the close box end the walk of the tab in front.
    t.h.strip().setItemNowNumber(2);
    for (int way = 0; way < 3; ++way) {
        const ZEKAddressRef record = t.h.pool().Item(2);
        record->setAutoPTT(true);
        record->setDestinationBoardName("Test");
        login->initialize();
        login->show();
        if (way == 0) login->TB_ButtonClick("Cancel");
        else if (way == 1) QTest::keyClick(login, Qt::Key_Escape);
        else login->close();
        EXPECT_FALSE(record->AutoPTT()) << way;
        EXPECT_TRUE(record->DestinationBoardName().isEmpty()) << way;
        EXPECT_FALSE(login->isVisible()) << way;
    }
}

}  // namespace
