#pragma once
// What a web tab shows when the web view module cannot be loaded: a plain message in
// place of the page, with the reason underneath. BBS tabs and Zek links do not need
// the module and go on working.
#include "ui/WebPane.h"

class LanguageTexts;
class QLabel;

class UnavailableWebPane : public WebPane {
    Q_OBJECT
public:
    static inline const QString kMessageKey = QStringLiteral("Error_Web_Module_Unavailable");

    UnavailableWebPane(const QString& message, const QString& detail, QWidget* parent = nullptr);

    // The language file's text, or a built-in one in both languages when it has none.
    static QString message(const LanguageTexts* texts);

    void navigate(const QString& url) override;
    QString currentUrl() const override { return url_; }
    QString text() const;

private:
    QLabel* label_;
    QString url_;
};
