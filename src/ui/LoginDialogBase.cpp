#include "ui/LoginDialogBase.h"

#include "app/AppContext.h"
#include "ui/MainForm.h"
#include "ui/MainFormParts.h"
#include "ui/SessionTabs.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

LoginDialogBase::LoginDialogBase(AppContext& context, const QString& name, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(name);
    setModal(true);
    LblInfo = new QLabel(this);
    LblInfo->setWordWrap(true);
    LblUserName = new QLabel(this);
    txtUserName = new QLineEdit(this);
    LblPassword = new QLabel(this);
    txtPassword = new QLineEdit(this);
    // Never shown, never copied out: one "*" per character.
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    ChkAutoEnabled = new QCheckBox(this);
    ChkDeletePWDLog = new QCheckBox(this);
    ChkDeleteOtherLinks = new QCheckBox(this);
    TB = new QToolBar(this);
    TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* key : {"OK", "Cancel"}) {
        QAction* action = TB->addAction(QString::fromLatin1(key));
        action->setObjectName(QString::fromLatin1(key));
        connect(action, &QAction::triggered, this, [this, key] { TB_ButtonClick(QString::fromLatin1(key)); });
    }
    const QList<QObject*> named = {LblInfo, LblUserName, txtUserName, LblPassword, txtPassword,
                                   ChkAutoEnabled, ChkDeletePWDLog, ChkDeleteOtherLinks, TB};
    const char* names[] = {"LblInfo", "LblUserName", "txtUserName", "LblPassword", "txtPassword",
                           "ChkAutoEnabled", "ChkDeletePWDLog", "ChkDeleteOtherLinks", "TB"};
    for (int i = 0; i < named.size(); ++i) named[i]->setObjectName(QString::fromLatin1(names[i]));

    auto* grid = new QGridLayout;
    grid->addWidget(LblUserName, 0, 0);
    grid->addWidget(txtUserName, 0, 1);
    grid->addWidget(LblPassword, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(TB);
    column->addWidget(LblInfo);
    column->addLayout(grid);
    column->addWidget(ChkAutoEnabled);
    column->addWidget(ChkDeletePWDLog);
    column->addWidget(ChkDeleteOtherLinks);
    setMinimumWidth(360);
    applyTexts();
}

void LoginDialogBase::applyTexts() {
    const LanguageTexts& t = context_.texts;
    setWindowTitle(t.text(QStringLiteral("Login_Title")));
    LblInfo->setText(t.text(QStringLiteral("Login_Info")));
    LblUserName->setText(t.text(QStringLiteral("Login_UserName")));
    LblPassword->setText(t.text(QStringLiteral("Login_Password")));
    ChkAutoEnabled->setText(t.text(QStringLiteral("Enable_Auto_Login")));
    ChkDeletePWDLog->setText(t.text(QStringLiteral("Login_Auto_Delete_Password_Errors")));
    ChkDeleteOtherLinks->setText(t.text(QStringLiteral("Login_Auto_Delete_Other_Links")));
    for (QAction* action : TB->actions()) action->setText(t.text(action->objectName()));
}

void LoginDialogBase::message(const QString& key) {
    if (context_.ui) context_.ui->message(context_.texts.text(key), context_.texts.messageTitle());
}

bool LoginDialogBase::checkAccount(bool required) {
    txtUserName->setText(txtUserName->text().trimmed());
    txtPassword->setText(txtPassword->text().trimmed());
    if (!required) return true;
    if (txtUserName->text().isEmpty()) {
        message(QStringLiteral("Invalid_User_Name"));
        txtUserName->setFocus();
        return false;
    }
    if (txtPassword->text().isEmpty()) {
        message(QStringLiteral("Invalid_Passwored"));
        txtPassword->setFocus();
        return false;
    }
    return true;
}

SessionTabs* LoginDialogBase::sessions() const {
    auto* form = qobject_cast<MainForm*>(parentWidget());
    return form ? &form->parts().tabs() : nullptr;
}

void LoginDialogBase::TB_ButtonClick(const QString& key) {
    if (key == QLatin1String("OK")) {
        if (!checkValues() || !confirm()) return;
        accept();
    } else if (key == QLatin1String("Cancel")) {
        reject();
    }
}

void LoginDialogBase::reject() {
    if (SessionTabs* tabs = sessions()) {
        if (ZEKAddressRef record = tabs->getCurrentBBSAddress()) record->resetAutoPTT();
    }
    QDialog::reject();
}

void LoginDialogBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applyTexts();
    txtUserName->setFocus();
}

void LoginDialogBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        TB_ButtonClick(QStringLiteral("OK"));
        return;
    }
    QDialog::keyPressEvent(event);  // Escape rejects
}
