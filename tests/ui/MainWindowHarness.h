#pragma once
// A real main window (offscreen) with its own settings folder, the shipped texts, the PTT
// domain pointed at this machine, recorded message boxes and web views that load nothing.
#include "app/AppContext.h"
#include "app/UserInteraction.h"
#include "session/axImgButton.h"
#include "session/axItem.h"
#include "session/axZEK.h"
#include "ui/MainForm.h"
#include "ui/MainFormLayout.h"
#include "ui/MainFormParts.h"
#include "ui/SessionTabs.h"
#include "ui/WebPane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

inline bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer t;
    for (t.start(); !done() && t.elapsed() < ms;) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

class RecordedMessages : public UserInteraction {
public:
    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<QString> opened;
    bool answer = false;   // what every question is answered
    bool optOut = false;   // whether "don't ask again" is ticked
    void message(const QString& text, const QString&) override { messages.push_back(text); }
    bool askYesNo(const QString& text, const QString&) override {
        questions.push_back(text);
        return answer;
    }
    bool askYesNoWithOptOut(const QString& text, const QString& title, const QString&, bool& optedOut) override {
        optedOut = optOut;
        return askYesNo(text, title);
    }
    void openUrl(const QString& url) override { opened.push_back(url); }
};

class StubWebPane : public WebPane {
public:
    using WebPane::WebPane;
    QString url;
    void navigate(const QString& target) override {
        if (beforeNavigate(QUrl(target), true)) url = target;
    }
    QString currentUrl() const override { return url; }
};

class MainWindowHarness {
public:
    // startPage false: as started with --no-start-page.
    explicit MainWindowHarness(const char* pttDomain = "127.0.0.1", bool startPage = true) {
        qputenv("ZEK_CONFIG_DIR", dir.path().toUtf8());
        qputenv("ZEK_PTT_DOMAIN", pttDomain);
        qputenv("ZEK_PTT_HOST", pttDomain);
        qputenv("ZEK_WEB_ROOT", "http://127.0.0.1:9/");
        context.ui = &ui;
        context.noStartPageArgument = !startPage;
        context.languageFile.setPath(QStringLiteral(ZEK_LANGUAGES_INI));
        context.languageFile.load();
        context.pageKeys.load(context.languageFile, context.texts, ui);
        context.pttText = std::make_unique<PttTextComponent>();
        context.addressPool = std::make_unique<ZEKAddressPoolCls>();
        form = std::make_unique<MainForm>(context);
        tabs().setWebFactory([](QWidget* parent) -> WebPane* { return new StubWebPane(parent); });
        form->load();
        form->resize(1024, 700);
        form->show();
        tabs().showStartPage();  // the window does it after its first paint
    }

    SessionTabs& tabs() const { return form->parts().tabs(); }
    axItem& strip() const { return form->parts().axItem1(); }
    MainFormLayout& layout() const { return form->parts().layout(); }
    QWidget* content() const { return form->parts().content(); }
    ZEKAddressPoolCls& pool() const { return *context.addressPool; }
    // Waits until the session in slot exists and is connected.
    bool sessionConnected(int slot) const {
        return waitFor([&] { return tabs().session(slot) && tabs().session(slot)->isConnected(); });
    }

    QTemporaryDir dir;
    RecordedMessages ui;
    AppContext context;
    std::unique_ptr<MainForm> form;
};
