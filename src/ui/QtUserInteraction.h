#pragma once
#include "app/UserInteraction.h"

#include <QPointer>

class QWidget;

// The desktop's own message boxes and URL handler.
class QtUserInteraction : public UserInteraction {
public:
    explicit QtUserInteraction(QWidget* owner = nullptr) : owner_(owner) {}
    // Boxes are centred on and modal to this window (the main window once it exists).
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    void openUrl(const QString& url) override;
    bool askPassword(const QString& text, const QString& title, QString& password) override;
    bool askYesNoWithOptOut(const QString& text, const QString& title, const QString& optOutLabel,
                            bool& optedOut) override;
    // Captions of the boxes' buttons, from the language texts (empty: the toolkit's own).
    void setButtonTexts(const QString& ok, const QString& yes, const QString& no);

private:
    void captionButtons(class QMessageBox& box) const;

    QPointer<QWidget> owner_;
    QString ok_, yes_, no_;
};
