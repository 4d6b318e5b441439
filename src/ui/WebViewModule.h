#pragma once
// Loads the web view module (Qt WebEngine and ZekWebView) when the first web page is
// made, so that a user of BBS tabs alone never loads the engine. It is found beside the
// executable. A module that cannot be loaded gives panes that say so instead of pages.
#include "ui/WebPane.h"

#include <QString>

class LanguageTexts;

class WebViewModule {
public:
    // The module beside the running executable.
    static QString defaultPath();

    explicit WebViewModule(QString path = defaultPath());

    // A new web pane: the real view once the module is loaded (the first call loads
    // it), else an UnavailableWebPane with texts' message.
    WebPane* create(QWidget* parent, const LanguageTexts* texts = nullptr);
    // Whether the module is loaded (false before the first create()).
    bool loaded() const { return create_ != nullptr; }
    const QString& path() const { return path_; }
    // Why the module could not be loaded; empty while it is fine.
    const QString& errorString() const { return error_; }

    // The main window's factory: one module for the process, texts for the message.
    static WebPane::Factory factory(const LanguageTexts* texts);

private:
    using CreateFunction = WebPane* (*)(QWidget*);
    bool load();

    QString path_;
    QString error_;
    bool tried_ = false;
    CreateFunction create_ = nullptr;
};
