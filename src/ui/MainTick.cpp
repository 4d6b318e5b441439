#include "ui/MainTick.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "ptt/AutoNavigation.h"
#include "ptt/ClipboardHandOff.h"
#include "ptt/ZEKURLModule.h"
#include "ui/SessionTabs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <algorithm>
#include <climits>

MainTick::MainTick(AppContext& context, SessionTabs& tabs, QLineEdit* txtZEKURL, QObject* parent)
    : QObject(parent), context_(context), tabs_(tabs), txtZEKURL_(txtZEKURL) {
    keepAliveTimer_.setSingleShot(true);
    // Minutes-long waits: a coarse timer could fire seconds early and wake again.
    keepAliveTimer_.setTimerType(Qt::PreciseTimer);
    connect(&keepAliveTimer_, &QTimer::timeout, this, [this] {
        keepAlive();
        armKeepAlive();
    });
    // Data only ever moves a deadline later, so an armed timer stays valid; a session's
    // first data arms it when nothing else did.
    connect(&tabs_, &SessionTabs::ScreenClassified, this, [this] {
        if (running_ && !keepAliveTimer_.isActive()) armKeepAlive();
    });
    connect(&tabs_, &SessionTabs::TabSelected, this, [this] {
        if (!running_) return;
        keepAlive();
        armKeepAlive();
    });
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, [this] {
            if (running_) handOffFromClipboard();
        });
    }
    // Some platforms tell a program about other programs' clipboard changes only once
    // it is in front again.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (running_ && state == Qt::ApplicationActive) handOffFromClipboard();
    });
}

void MainTick::start() {
    if (running_) return;
    running_ = true;
    // From the event loop: the hand-off may show a message box.
    QTimer::singleShot(0, this, [this] {
        if (running_) mwXTimer_Tick();
    });
}

void MainTick::stop() {
    running_ = false;
    keepAliveTimer_.stop();
}

void MainTick::mwXTimer_Tick() {
    handOffFromClipboard();
    keepAlive();
    armKeepAlive();
}

void MainTick::handOffFromClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const auto text = ClipboardHandOff::read(clipboard->text(), deployment::pttDomain(), deployment::pttDomainAlt());
    if (!text) return;
    // Cleared before the message box: the box runs the event loop, and a check meanwhile
    // must not find the same hand-off and open it twice.
    clipboard->clear();
    const QString url = context_.settings.prefix_of_zek_long_url + *text;
    txtZEKURL_->setText(QStringLiteral("Openning") + *text + QStringLiteral("..."));
    if (context_.ui) context_.ui->message(url, context_.texts.text(QStringLiteral("App_Title")));
    if (ZEKURLModule* module = tabs_.zekUrl()) module->openZEKURL(url);
}

void MainTick::keepAlive() {
    if (tabs_.getCurrentTypeOfaxZEK() != TabTable::kSessionKind || !context_.addressPool) return;
    const int32_t now = tabs_.secondsSinceMidnight();
    for (int t = 1; t <= tabs_.tabCount(); ++t) {
        const TabRecord& tab = tabs_.table().record(t);
        if (tab.kind != TabTable::kSessionKind) continue;
        const ZEKAddressRef record = context_.addressPool->Item(QString::number(tab.slot));
        if (!record) continue;
        if (!AutoNavigation::keepAliveDue(record->LastTimeOfSendingData(), now)) continue;
        tabs_.sendData2(t, AutoNavigation::kKeepAlive);
        record->setLastTimeOfSendingData(now);
    }
}

void MainTick::armKeepAlive() {
    keepAliveTimer_.stop();
    if (!running_ || tabs_.getCurrentTypeOfaxZEK() != TabTable::kSessionKind || !context_.addressPool) return;
    const int32_t now = tabs_.secondsSinceMidnight();
    int32_t wait = INT32_MAX;
    for (int t = 1; t <= tabs_.tabCount(); ++t) {
        const TabRecord& tab = tabs_.table().record(t);
        if (tab.kind != TabTable::kSessionKind) continue;
        const ZEKAddressRef record = context_.addressPool->Item(QString::number(tab.slot));
        if (!record) continue;
        const int32_t in = AutoNavigation::keepAliveIn(record->LastTimeOfSendingData(), now);
        if (in >= 0) wait = std::min(wait, in);
    }
    if (wait == INT32_MAX) return;
    // A session already due was just sent its key by the caller (or will be at once);
    // at least a second keeps a clock that stands still from spinning.
    keepAliveTimer_.start(std::max<int32_t>(wait, 1) * 1000);
}
