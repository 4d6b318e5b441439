#include "ui/QtUserInteraction.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

void QtUserInteraction::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_.data());
    box.exec();
}

bool QtUserInteraction::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner_.data());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtUserInteraction::openUrl(const QString& url) {
    // Failures of the desktop's handler are not reported: there is nothing the user
    // could do about them here.
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

bool QtUserInteraction::askPassword(const QString& text, const QString& title, QString& password) {
    bool ok = false;
    password = QInputDialog::getText(owner_.data(), title, text, QLineEdit::Password, QString(), &ok);
    return ok;
}
