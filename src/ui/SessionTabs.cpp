#include "ui/SessionTabs.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "app/StartupTrace.h"
#include "ptt/AutoNavigation.h"
#include "ptt/ZEKAddressPoolCls.h"
#include "ptt/ZEKURLModule.h"
#include "session/BbsAddress.h"
#include "session/axImgButton.h"
#include "session/axItem.h"
#include "session/axZEK.h"
#include "ui/DesktopNotifier.h"
#include "ui/WaterBallAlerts.h"
#include "ui/SessionStatus.h"

#include <QCoreApplication>
#include <QTime>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {
const QString kSessionKind = TabTable::kSessionKind;
const QString kStartPageKind = QStringLiteral("SearchPTT");
}  // namespace

SessionTabs::SessionTabs(AppContext& context, QWidget* content, axItem* strip, QLineEdit* txtZEKURL,
                         WebPane::Factory webFactory)
    : QObject(content),
      context_(context),
      content_(content),
      strip_(strip),
      txtZEKURL_(txtZEKURL),
      webFactory_(std::move(webFactory)) {
    connect(strip_, &axItem::ItemSelected, this, &SessionTabs::selectTab);
    connect(strip_, &axItem::ItemClosed, this, &SessionTabs::closeTab);
}

SessionTabs::~SessionTabs() = default;

QString SessionTabs::startPageUrl() { return deployment::page(QStringLiteral("/home.html")); }

void SessionTabs::ensureUrlModule() {
    if (zekUrl_ || !context_.pttText || !context_.addressPool || !context_.ui) return;
    zekUrl_ = std::make_unique<ZEKURLModule>(context_.pageKeys, *context_.pttText, *context_.addressPool,
                                             context_.settings, context_.texts, *context_.ui, *this);
}

void SessionTabs::load() {
    table_.clearSlots();
    table_.setBusy(false);
    ensureUrlModule();
    txtZEKURL_->clear();
    // The start page, and with it the web engine, comes once the window is on the
    // screen: showStartPage().
    emit LayoutRequested();
}

bool SessionTabs::startPageEnabled() const {
    return !context_.noStartPageArgument && context_.preferences.flag(kStartPageKey, true);
}

void SessionTabs::showStartPage() {
    if (tabCount() > 0 && currentTab() > 0) return;  // it comes back with the last tab closed
    if (!startPageEnabled()) return;
    if (!WB_) {
        StartupTrace::mark("web engine starting");
        WB_ = createWebPane(/*startPage=*/true);
        WB_->setObjectName(QStringLiteral("WB"));
        WB_->navigate(startPageUrl());
    }
    WB_->show();
    emit LayoutRequested();
}

void SessionTabs::unload() {
    // The module holds references to the PTT component and the pool, which go now.
    zekUrl_.reset();
}

WebPane* SessionTabs::createWebPane(bool startPage) {
    WebPane* pane = webFactory_(content_);
    filterNavigation(pane, startPage);
    return pane;
}

void SessionTabs::filterNavigation(WebPane* pane, bool startPage) {
    // Zek URLs are handed to the URL module instead of loading; the module tells them
    // from the product's own pages. Opened once the engine has returned from its hook.
    QPointer<SessionTabs> self(this);
    pane->setNavigationFilter([self, startPage](const QUrl& url, bool isMainFrame) {
        if (!self || !isMainFrame || !self->zekUrl_) return true;
        const QString text = url.toString();
        if (!self->zekUrl_->interceptsNavigation(text, startPage)) return true;
        QTimer::singleShot(0, self.data(), [self, text] {
            if (self && self->zekUrl_) self->zekUrl_->openZEKURL(text);
        });
        return false;
    });
}

int SessionTabs::currentTab() const { return strip_->ItemNowNumber(); }
int SessionTabs::tabCount() const { return strip_->ItemMaxNumber(); }

axZEK* SessionTabs::session(int slot) const {
    if (slot < 1 || slot > TabTable::kMaxSlots) return nullptr;
    return axZEK1_[static_cast<size_t>(slot)];
}

WebPane* SessionTabs::webPage(int slot) const {
    if (slot < 1 || slot > TabTable::kMaxSlots) return nullptr;
    return WBArray_[static_cast<size_t>(slot)];
}

bool SessionTabs::startPageVisible() const { return WB_ && !WB_->isHidden(); }

QWidget* SessionTabs::currentControl() const {
    const int t = currentTab();
    if (t < 1 || t > tabCount()) return nullptr;
    const TabRecord& r = table_.record(t);
    if (r.kind == kSessionKind) return session(r.slot);
    return webPage(r.slot);
}

// The limit of 100 tabs is ours to handle: refuse with a message rather than fail
// silently. The message is a language text so it follows the language mode.
bool SessionTabs::refuseWhenFull() {
    if (table_.lowestFreeSlot() != 0 && tabCount() < TabTable::kMaxTabs) return false;
    if (context_.ui) context_.ui->message(context_.texts.text(kTooManyTabsKey), context_.texts.messageTitle());
    return true;
}

// The start page's own view becomes the tab: no second page, no second load.
void SessionTabs::turnStartPageIntoTab() {
    if (startPageVisible())
        openWebTab(context_.texts.text(QStringLiteral("Startup_Page")), kStartPageKind, startPageUrl(), WB_);
}

void SessionTabs::OpenBBS(const QString& host) { OpenBBS2(host, 23); }

void SessionTabs::OpenBBS2(const QString& host, int port) {
    if (!context_.addressPool || table_.busy()) return;
    turnStartPageIntoTab();
    if (refuseWhenFull()) return;
    if (WB_) WB_->hide();
    table_.setBusy(true);
    const int n = table_.lowestFreeSlot();
    const int t = strip_->AddItem(host);
    if (strip_->isHidden()) strip_->show();
    if (axImgButton* tab = strip_->button(t)) tab->setLocked(BbsAddress::parse(host, port).encrypted());

    const int spread = TabTable::spreadPort(host, port, t, deployment::pttDomain());
    table_.setRecord(t, {kSessionKind, host, spread, n});

    ZEKAddressRef record = context_.addressPool->Item(n);
    if (!record) {
        record = context_.addressPool->Add(QString::number(n), QString(), 0, 0, QString(), QString(),
                                           QString(), QString(), host, QString());
    }
    if (record) record->setBBSPort(spread);

    openSession(host, spread, t, n);
    table_.setBusy(false);
}

void SessionTabs::createSession(int slot, const QString& host, int port) {
    table_.setSlot(slot, true);
    auto* session = new axZEK(context_.settings, *context_.ui, content_);
    session->setObjectName(QStringLiteral("axZEK1_%1").arg(slot));
    session->setLanguageTexts(&context_.texts);
    axZEK1_[static_cast<size_t>(slot)] = session;
    attachSession(session, slot);
    emit SessionCreated(slot, session);
    session->Init(host, port);
    emit LayoutRequested();  // places it below the toolbar and the tab strip
}

void SessionTabs::openSession(const QString& host, int port, int tab, int slot) {
    createSession(slot, host, port);
    // The layout gives the session its size; its resize handler places the screen.
    showTab(tab);
}

void SessionTabs::attachSession(axZEK* session, int slot) {
    connect(session, &axZEK::Connected, this, [this, slot] { onConnected(slot); });
    connect(session, &axZEK::SocketError, this, [this, slot] { onSocketError(slot); });
    connect(session, &axZEK::DataArrived, this, [this, slot] { onDataArrived(slot); });
    connect(session, &axZEK::DataArrived, this, [this, slot] { checkWaterBall(slot); });
    connect(session, &axZEK::LinkClicked, this, &SessionTabs::onLinkClicked);
    connect(session, &axZEK::TextMarked, this, [this, slot](const QString& text) { emit TextMarked(slot, text); });
}

void SessionTabs::openURL(const QString& caption, const QString& kind, const QString& url) {
    openWebTab(caption, kind, url, nullptr);
}

void SessionTabs::openWebTab(const QString& caption, const QString& kind, const QString& url, WebPane* adopt) {
    if (table_.busy()) return;
    if (refuseWhenFull()) return;
    table_.setBusy(true);
    const int n = table_.lowestFreeSlot();
    const int t = strip_->AddItem(caption);
    if (strip_->isHidden()) strip_->show();
    table_.setRecord(t, {kind, url, 80, n});

    table_.setSlot(n, true);
    WebPane* pane = adopt;
    if (pane) {
        if (pane == WB_) WB_ = nullptr;
        filterNavigation(pane, /*startPage=*/false);
    } else {
        pane = createWebPane(/*startPage=*/false);
        pane->navigate(url);
    }
    pane->setObjectName(QStringLiteral("WBArray_%1").arg(n));
    WBArray_[static_cast<size_t>(n)] = pane;
    if (WB_) WB_->hide();
    emit LayoutRequested();

    showTab(t);
    table_.setBusy(false);
}

void SessionTabs::showTab(int tab) {
    if (strip_->ItemNowNumber() != tab && tab >= 1 && tab <= tabCount()) {
        strip_->setItemNowNumber(tab);
        strip_->f重新計算位置();
    }
    selectTab(tab);
}

void SessionTabs::selectTab(int tab) {
    if (tabCount() == 0 || currentTab() == 0 || tab < 1 || tab > tabCount()) {
        if (tabCount() == 0 || currentTab() == 0) showStartPage();
        return;
    }
    txtZEKURL_->clear();
    for (int i = 1; i <= tabCount(); ++i) {
        const TabRecord& r = table_.record(i);
        QWidget* control = r.kind == kSessionKind ? static_cast<QWidget*>(session(r.slot)) : webPage(r.slot);
        if (control) control->hide();
    }
    const TabRecord& r = table_.record(tab);
    if (r.kind == kSessionKind) {
        if (context_.addressPool) {
            if (ZEKAddressRef record = context_.addressPool->Item(r.slot)) txtZEKURL_->setText(record->LongURL());
        }
        if (axZEK* s = session(r.slot)) {
            s->show();
            s->setFocus();
        }
    } else if (r.slot >= 1) {
        if (WebPane* page = webPage(r.slot)) {
            page->show();
            page->setFocus();
        }
    }
    emit LayoutRequested();
    emit TabSelected(tab);
}

void SessionTabs::closeTab(int c) {
    if (c < 1 || c > TabTable::kMaxTabs) return;
    const TabRecord closed = table_.record(c);
    const int n = closed.slot;
    if (context_.addressPool) context_.addressPool->Remove(QString::number(n));
    if (waterBalls_) waterBalls_->forget(n);
    if (tabCount() == 0) txtZEKURL_->clear();
    table_.shiftDown(c, tabCount());
    table_.setSlot(n, false);
    if (n >= 1 && n <= TabTable::kMaxSlots) {
        QWidget* control = nullptr;
        if (closed.kind == kSessionKind) {
            control = axZEK1_[static_cast<size_t>(n)];
            axZEK1_[static_cast<size_t>(n)] = nullptr;
        } else {
            control = WBArray_[static_cast<size_t>(n)];
            WBArray_[static_cast<size_t>(n)] = nullptr;
        }
        if (control) {
            control->hide();
            control->disconnect(this);
            // It may be inside one of its own signals right now.
            control->deleteLater();
        }
    }
    emit LayoutRequested();
}

void SessionTabs::sendToSlot(int slot, const QString& text) {
    if (axZEK* s = session(slot)) s->sendData(text);
}

void SessionTabs::sendWalkKeys(int slot, ZEKAddressCls& record, const QString& keys) {
    axZEK* s = session(slot);
    if (!s) return;
    s->sendData(keys);
    if (!record.JumpedAID().isEmpty()) record.setJumpStamp(s->bytesSent());
}

void SessionTabs::sendData(const QString& text) { sendData2(currentTab(), text); }

void SessionTabs::sendData2(int tab, const QString& text) {
    if (tab < 1 || tab > tabCount() || text.isEmpty()) return;
    const TabRecord& r = table_.record(tab);
    if (r.kind != kSessionKind) return;
    sendToSlot(r.slot, text);
}

ZEKAddressRef SessionTabs::getCurrentBBSAddress() const {
    const int t = currentTab();
    if (t < 1 || t > tabCount() || !context_.addressPool) return nullptr;
    return context_.addressPool->Item(table_.record(t).slot);
}

QString SessionTabs::getCurrentTypeOfaxZEK() const {
    const int t = currentTab();
    if (t < 1 || t > tabCount()) return QString();
    return table_.record(t).kind;
}

int SessionTabs::getAvailablePTTLink() {
    if (currentTab() < 1 || !context_.addressPool) return -1;
    const QString domain = deployment::pttDomain();
    int found = 0;
    ZEKAddressRef foundRecord;
    for (const bool loggedOn : {true, false}) {
        for (int t = 1; t <= tabCount() && !found; ++t) {
            const TabRecord& r = table_.record(t);
            ZEKAddressRef record = context_.addressPool->Item(r.slot);
            if (record && TabTable::isPttHost(record->BBS(), domain) && record->AlreadyLogon() == loggedOn) {
                found = t;
                foundRecord = record;
            }
        }
        if (found) break;
    }
    if (!found) return -1;
    showTab(found);
    strip_->f重新計算位置();
    bool ok = false;
    const int index = foundRecord->Key().toInt(&ok);
    return ok ? index : -1;
}

int SessionTabs::tabOfSession(int slot) const {
    for (int t = 1; t <= tabCount(); ++t) {
        const TabRecord& r = table_.record(t);
        if (r.kind == kSessionKind && r.slot == slot) return t;
    }
    return 0;
}

void SessionTabs::AutoPTT(ZEKAddressRef record) {
    if (!record || !context_.addressPool || table_.busy()) return;
    turnStartPageIntoTab();
    const bool needsSession = record->Key().isEmpty();
    if (needsSession && refuseWhenFull()) return;
    if (WB_) WB_->hide();
    table_.setBusy(true);
    const int n = table_.lowestFreeSlot();
    record->setAutoPTT(true);

    int tab = 0;
    bool askLogin = false;
    if (!needsSession) {
        const int k = record->Key().toInt();
        tab = tabOfSession(k);
        const AutoNavigation::Inputs in{context_.settings, context_.logonAnswers, context_.pageKeys,
                                        context_.pttText.get(), QString(),
                                        TabTable::isPttHost(record->BBS(), deployment::pttDomain())};
        const AutoNavigation::Step step = AutoNavigation::onReusedSession(*record, in);
        if (!step.keys.isEmpty()) sendWalkKeys(k, *record, step.keys);
        askLogin = step.loginDialog;
    } else {
        tab = strip_->AddItem(record->BBS());
        if (strip_->isHidden()) strip_->show();
        // A link that names its port (BBS=host:port) keeps it; spreading is for the
        // default port.
        const int given = record->BBSPort();
        const int port = (given > 0 && given != 23) ? given : TabTable::autoPttPort(tab);
        table_.setRecord(tab, {kSessionKind, record->BBS(), port, n});
        record->setBBSPort(port);
        record->setKey(QString::number(n));
        context_.addressPool->add2(record);
        createSession(n, record->BBS(), port);
    }
    if (tab >= 1) showTab(tab);
    table_.setBusy(false);
    // The dialog is modal: asked for once the tab is shown and opening is free again.
    if (askLogin) emit LoginRequested(tab);
}

bool SessionTabs::classifyingInBackground() const {
    if (classifyingSlot_ == 0) return false;
    const int t = currentTab();
    if (t < 1 || t > tabCount()) return true;
    const TabRecord& r = table_.record(t);
    return r.kind != kSessionKind || r.slot != classifyingSlot_;
}

// A session in the background keeps its URL in its record (shown when its tab is
// selected); the box shows the current tab's only. Classification reads the box back
// into the record, so a background session writes to a box of its own meanwhile.
void SessionTabs::setTxtZEKURL(const QString& text) {
    if (classifyingInBackground()) {
        backgroundTxt_ = text;
        return;
    }
    txtZEKURL_->setText(text);
}

QString SessionTabs::TxtZEKURL() const {
    return classifyingInBackground() ? backgroundTxt_ : txtZEKURL_->text();
}

int32_t SessionTabs::systemSecondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000; }

int32_t SessionTabs::secondsSinceMidnight() const { return clock_ ? clock_() : systemSecondsSinceMidnight(); }

// Classifies session slot's screen into its record (a fresh, unstored one when the pool
// has none); null when the session or the URL module is gone.
ZEKAddressRef SessionTabs::classify(int slot) {
    ensureUrlModule();
    axZEK* s = session(slot);
    if (!s || !zekUrl_) return nullptr;
    // A jump the user typed over (PTT did not have the article, and the user went on)
    // names no article any more.
    if (context_.addressPool) {
        const ZEKAddressRef known = context_.addressPool->Item(QString::number(slot));
        if (known && !known->JumpedAID().isEmpty() && known->JumpStamp() != s->bytesSent()) known->setJumpedAID(QString());
    }
    classifyingSlot_ = slot;
    backgroundTxt_.clear();
    ZEKAddressRef record = zekUrl_->Classify(slot, *s);
    classifyingSlot_ = 0;
    return record;
}

void SessionTabs::onConnected(int slot) {
    const ZEKAddressRef record = classify(slot);
    if (!record) return;
    context_.settings.last_bbs = record->BBS();
    context_.settings.last_bbs_port = static_cast<int16_t>(record->BBSPort());
}

void SessionTabs::onSocketError(int slot) {
    const ZEKAddressRef record = classify(slot);
    if (!record || record->ErrorCode() == 1) return;
    // Marked before the box is up: the box runs the event loop, and another error of
    // the same session arriving meanwhile must not show a second box.
    record->setErrorCode(1);
    if (context_.ui) {
        const axZEK* s = session(slot);
        context_.ui->message(SessionStatus::connectionError(context_.texts, record->BBS(), record->BBSPort(),
                                                            s ? s->lastError() : QString()),
                             context_.texts.messageTitle());
    }
}

void SessionTabs::onDataArrived(int slot) {
    const ZEKAddressRef record = classify(slot);
    if (!record) return;
    record->setErrorCode(0);
    drive(slot, record);
    record->setLastTimeOfSendingData(secondsSinceMidnight());
    emit ScreenClassified(slot, record);
}

// The automatic navigation's step for this screen, and the link dialog a pending task
// was waiting for.
void SessionTabs::drive(int slot, const ZEKAddressRef& record) {
    if (record->AutoPTT()) {
        const AutoNavigation::Inputs in{context_.settings, context_.logonAnswers, context_.pageKeys,
                                        context_.pttText.get(),
                                        record->Position() == ZEKAddressCls::PosResultList && session(slot)
                                            ? ZEKURLModule::RowText(*session(slot), 3)
                                            : QString(),
                                        TabTable::isPttHost(record->BBS(), deployment::pttDomain())};
        const AutoNavigation::Step step = AutoNavigation::afterScreen(*record, in);
        if (!step.keys.isEmpty()) sendWalkKeys(slot, *record, step.keys);
        // Modal: the session queues what arrives meanwhile.
        if (step.loginDialog) emit LoginRequested(tabOfSession(slot));
    }
    if (AutoNavigation::takePendingLinkTask(*record)) emit LinkDialogRequested(QStringLiteral("Article"), record->LongURL());
}

void SessionTabs::setNotifier(Notifier* notifier) {
    notifier_ = notifier;
    waterBalls_.reset();
}

void SessionTabs::checkWaterBall(int slot) {
    axZEK* s = session(slot);
    if (!s) return;
    if (!waterBalls_) {
        if (!notifier_) {
            desktopNotifier_ = std::make_unique<DesktopNotifier>(content_->window(), &context_.texts);
            notifier_ = desktopNotifier_.get();
        }
        waterBalls_ = std::make_unique<WaterBallAlerts>(*notifier_, [this](int n) { bringSessionToFront(n); });
    }
    const int tab = currentTab();
    const bool inFront = tab >= 1 && table_.record(tab).kind == kSessionKind && table_.record(tab).slot == slot &&
                         content_->window()->isActiveWindow();
    waterBalls_->screenChanged(slot, *s, inFront);
}

void SessionTabs::bringSessionToFront(int slot) {
    const int tab = tabOfSession(slot);
    if (tab < 1) return;  // closed meanwhile
    QWidget* window = content_->window();
    window->show();
    window->raise();
    window->activateWindow();
    showTab(tab);
}

void SessionTabs::onLinkClicked(const QString& link) {
    ensureUrlModule();
    if (zekUrl_) zekUrl_->LinkClicked(link);
}
