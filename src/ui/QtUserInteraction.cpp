#include "ui/QtUserInteraction.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void QtUserInteraction::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_.data());
    captionButtons(box);
    box.exec();
}

bool QtUserInteraction::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner_.data());
    box.setDefaultButton(QMessageBox::No);
    captionButtons(box);
    return box.exec() == QMessageBox::Yes;
}

bool QtUserInteraction::askYesNoWithOptOut(const QString& text, const QString& title, const QString& optOutLabel,
                                           bool& optedOut) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner_.data());
    box.setDefaultButton(QMessageBox::No);
    captionButtons(box);
    auto* check = new QCheckBox(optOutLabel, &box);
    box.setCheckBox(check);
    const bool yes = box.exec() == QMessageBox::Yes;
    optedOut = check->isChecked();
    return yes;
}

void QtUserInteraction::setButtonTexts(const QString& ok, const QString& yes, const QString& no) {
    ok_ = ok;
    yes_ = yes;
    no_ = no;
}

void QtUserInteraction::captionButtons(QMessageBox& box) const {
    const std::pair<QMessageBox::StandardButton, const QString*> captions[] = {
        {QMessageBox::Ok, &ok_}, {QMessageBox::Yes, &yes_}, {QMessageBox::No, &no_}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* b = box.button(which); b && !caption->isEmpty()) b->setText(*caption);
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
