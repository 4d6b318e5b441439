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

MainTick::MainTick(AppContext& context, SessionTabs& tabs, QLineEdit* txtZEKURL, QObject* parent)
    : QObject(parent), context_(context), tabs_(tabs), txtZEKURL_(txtZEKURL) {}

void MainTick::mwXTimer_Tick() {
    handOffFromClipboard();
    keepAlive();
}

void MainTick::handOffFromClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const auto text = ClipboardHandOff::read(clipboard->text(), deployment::pttDomain(), deployment::pttDomainAlt());
    if (!text) return;
    // Cleared before the message box: the box runs the event loop, and the next tick
    // must not find the same hand-off and open it twice.
    clipboard->clear();
    const QString url = context_.settings.prefix_of_zek_long_url + *text;
    txtZEKURL_->setText(QStringLiteral("Openning") + *text + QStringLiteral("..."));
    if (context_.ui) context_.ui->message(url, context_.texts.text(QStringLiteral("App_Title")));
    if (ZEKURLModule* module = tabs_.zekUrl()) module->openZEKURL(url);
}

void MainTick::keepAlive() {
    if (tabs_.getCurrentTypeOfaxZEK() != TabTable::kSessionKind || !context_.addressPool) return;
    for (int t = 1; t <= tabs_.tabCount(); ++t) {
        const TabRecord& tab = tabs_.table().record(t);
        if (tab.kind != TabTable::kSessionKind) continue;
        const ZEKAddressRef record = context_.addressPool->Item(QString::number(tab.slot));
        if (!record) continue;
        const int32_t now = tabs_.secondsSinceMidnight();
        if (!AutoNavigation::keepAliveDue(record->LastTimeOfSendingData(), now)) continue;
        tabs_.sendData2(t, AutoNavigation::kKeepAlive);
        record->setLastTimeOfSendingData(now);
    }
}
