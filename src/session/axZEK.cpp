#include "session/axZEK.h"

#include "screen/ScreenModel.h"

#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "screen/Big5.h"
#include "screen/axZekScreen.h"
#include "session/BbsAddress.h"
#include "session/BbsTransport.h"
#include "session/MarkedAddress.h"
#include "session/PasteKeystrokes.h"
#include "session/SessionInput.h"
#include "session/TransportFactory.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <deque>

struct axZEK::Impl {
    Impl(axZEK* q, const Settings& s, UserInteraction& u) : settings(s), ui(u), input(q) {}

    const Settings& settings;
    UserInteraction& ui;
    const LanguageTexts* texts = nullptr;
    uint64_t bytesSent = 0;
    axZekScreen* screen = nullptr;
    std::unique_ptr<BbsTransport> transport;
    QLabel* label1 = nullptr;
    SessionInput input;

    QString host;
    int port = 0;
    QString receiveText = QStringLiteral("\"");
    QString lastError;

    // Chunks wait here until the one before them has been interpreted and announced.
    std::deque<QByteArray> pending;
    bool receiveBusy = false;
    bool drainQueued = false;
};

axZEK::axZEK(const Settings& settings, UserInteraction& ui, QWidget* parent)
    : QWidget(parent), d(new Impl(this, settings, ui)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);

    d->screen = new axZekScreen(this);
    d->screen->move(0, 0);

    // A click on the label redraws the screen; it sits under the screen.
    d->label1 = new QLabel(QStringLiteral("重繪畫面"), this);
    d->label1->setObjectName(QStringLiteral("label1"));  // its caption follows the language
    d->label1->installEventFilter(this);
    d->label1->adjustSize();
    d->label1->move(0, d->screen->height());

    resize(d->screen->size());
}

axZEK::~axZEK() {
    if (d->transport) d->transport->abort();
    delete d;
}

void axZEK::Init(const QString& host, int port) {
    d->screen->move(0, 0);
    d->screen->Init();
    Resize();  // a session opened in a wide tab shows its screen centred at once
    Connection(host, port);
}

// The host is a plain host name (raw TCP to the port, as always) or an address with a
// scheme (ssh://, ws://, wss://, telnet://) that names its own port.
void axZEK::Connection(const QString& host, int port) {
    // The old connection and the bytes still queued from it go together, and so does an
    // escape sequence it left unfinished (a host that closed mid-sequence): the new host's
    // first bytes are not the rest of it. "h" (set mode, which does nothing here) closes an
    // open control sequence and is dropped after a bare ESC.
    if (d->transport) {
        d->transport->abort();
        d->transport.release()->deleteLater();  // it may be inside one of its own signals
    }
    d->pending.clear();
    d->lastError.clear();
    ScreenModel& model = d->screen->model();
    if (model.parserState() >= ScreenModel::kAfterEsc) model.feed("h");
    d->host = host;
    d->port = port;
    const BbsAddress address = BbsAddress::parse(host, port);
    d->transport = transports::make(address, d->ui, d->texts, nullptr);
    BbsTransport* t = d->transport.get();
    connect(t, &BbsTransport::connected, this, &axZEK::Connected);
    connect(t, &BbsTransport::errorOccurred, this, [this](const QString& reason) {
        d->lastError = reason;
        emit SocketError();
    });
    connect(t, &BbsTransport::closedByHost, this, &axZEK::Disconnected);
    connect(t, &BbsTransport::readyRead, this, [this] { takeArrivedBytes(); });
    if (!address.valid() || port < 0 || port > 65535) {
        // Nothing can take such an address; report it the way a failed connect is reported.
        QTimer::singleShot(0, t, [this] { emit SocketError(); });
        return;
    }
    t->open(address);
}

void axZEK::Disconnection() {
    if (d->transport) d->transport->abort();
}

void axZEK::sendData(const QByteArray& bytes) {
    if (!isConnected() || bytes.isEmpty()) return;
    d->transport->write(bytes);
    d->bytesSent += uint64_t(bytes.size());
}

uint64_t axZEK::bytesSent() const { return d->bytesSent; }

void axZEK::sendData(const QString& text) {
    const std::string big5Bytes = big5::fromUtf8(text.toStdString());
    sendData(QByteArray(big5Bytes.data(), qsizetype(big5Bytes.size())));
}

void axZEK::takeArrivedBytes() {
    const QByteArray chunk = d->transport->readAll();
    if (chunk.isEmpty()) return;
    d->pending.push_back(chunk);
    // Chunks are handled from the event loop rather than inside readyRead: the socket
    // does not report new data while a readyRead handler is still running, and a
    // DataArrived handler may run a nested event loop.
    if (!d->receiveBusy && !d->drainQueued) {
        d->drainQueued = true;
        QMetaObject::invokeMethod(this, [this] { drainReceived(); }, Qt::QueuedConnection);
    }
}

void axZEK::drainReceived() {
    d->drainQueued = false;
    if (d->receiveBusy) return;  // the running drain takes the rest in order
    d->receiveBusy = true;
    QPointer<axZEK> alive(this);
    while (!d->pending.empty()) {
        const QByteArray chunk = d->pending.front();
        d->pending.pop_front();
        // The cells change now and DataArrived reads them; the picture follows at the
        // next frame, once for however many chunks arrive meanwhile.
        d->screen->interpretForNextFrame(chunk);
        emit DataArrived();
        if (!alive) return;  // the handler closed the session
        emit ReceiveTextChanged();
        if (!alive) return;
    }
    d->receiveBusy = false;
}

void axZEK::f貼上資料() { d->input.pasteAsTyping(); }
void axZEK::f複製含色彩() { d->input.copyMarkedWithColours(); }

void axZEK::SetFont(const QString& fontName, float size) {
    d->screen->setFontName(fontName);
    d->screen->setFontSize(size);
    Resize();
}

void axZEK::Resize() {
    d->screen->move((width() - d->screen->width()) / 2, 0);
    d->label1->move(d->screen->x(), d->screen->height());
}

int32_t axZEK::f取回銀幕文字(int col, int row) const { return d->screen->f取回銀幕文字(col, row); }
int32_t axZEK::f取回銀幕前景色(int col, int row) const { return d->screen->f取回銀幕前景色(col, row); }
int32_t axZEK::f取回銀幕背景色(int col, int row) const { return d->screen->f取回銀幕背景色(col, row); }
int32_t axZEK::f取回銀幕閃爍色(int col, int row) const { return d->screen->f取回銀幕閃爍色(col, row); }
RowCells axZEK::rowCells(int row) const { return d->screen->rowCells(row); }

QString axZEK::get標記文字() const { return d->input.markedText(); }
QString axZEK::ReceiveText() const { return d->receiveText; }
void axZEK::setReceiveText(const QString& text) {
    d->receiveText = text;
    emit ReceiveTextChanged();
}

QString axZEK::lastError() const { return d->lastError; }
bool axZEK::isConnected() const { return d->transport && d->transport->isConnected(); }
bool axZEK::isEncrypted() const { return BbsAddress::parse(d->host, d->port).encrypted(); }
axZekScreen* axZEK::screen() const { return d->screen; }
QString axZEK::host() const { return d->host; }
int axZEK::port() const { return d->port; }

const Settings& axZEK::settings() const { return d->settings; }
UserInteraction& axZEK::userInteraction() const { return d->ui; }

void axZEK::setLanguageTexts(const LanguageTexts* texts) { d->texts = texts; }

void axZEK::keyPressEvent(QKeyEvent* e) {
    d->screen->restartCaretBlink();
    d->input.keyPress(e);
}
void axZEK::keyReleaseEvent(QKeyEvent* e) { d->input.keyRelease(e); }
void axZEK::inputMethodEvent(QInputMethodEvent* e) { d->input.inputMethod(e); }
QSize axZEK::sizeHint() const {
    return QSize(d->screen->width(), d->screen->height() + d->label1->height());
}

QVariant axZEK::inputMethodQuery(Qt::InputMethodQuery query) const {
    // Candidate windows open at the caret.
    if (query == Qt::ImCursorRectangle) return d->screen->caretRect().translated(d->screen->pos());
    return QWidget::inputMethodQuery(query);
}
void axZEK::mousePressEvent(QMouseEvent* e) { d->input.mousePress(e); }
void axZEK::mouseMoveEvent(QMouseEvent* e) { d->input.mouseMove(e); }
void axZEK::mouseReleaseEvent(QMouseEvent* e) { d->input.mouseRelease(e); }
void axZEK::wheelEvent(QWheelEvent* e) {
    // One event, one step. Events without a vertical delta (the begin and end of a
    // touchpad scroll, sideways scrolling) are no step in either direction: dropped.
    int dy = e->angleDelta().y();
    if (dy == 0) dy = e->pixelDelta().y();
    if (dy != 0) d->input.addWheelStep(dy);
    e->accept();
}
void axZEK::focusInEvent(QFocusEvent* e) {
    d->input.setFocused(true);
    d->screen->Focus(true);
    QWidget::focusInEvent(e);
}
void axZEK::focusOutEvent(QFocusEvent* e) {
    d->input.setFocused(false);
    d->screen->Focus(false);
    QWidget::focusOutEvent(e);
}
void axZEK::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Resize();
}
bool axZEK::focusNextPrevChild(bool) { return false; }  // Tab is a key for the host

bool axZEK::eventFilter(QObject* watched, QEvent* event) {
    // The label is there for a screen that looks wrong: it repaints every cell.
    if (watched == d->label1 && event->type() == QEvent::MouseButtonRelease) d->screen->repaintAll();
    return QWidget::eventFilter(watched, event);
}
