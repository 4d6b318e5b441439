#include "screen/axZekScreen.h"

#include "screen/Big5.h"
#include "screen/ScreenFont.h"
#include "screen/Selection.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHideEvent>
#include <QPaintEvent>
#include <QShowEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kTickMs = 55;
constexpr int kCaretTicks = 9;
constexpr int kBlinkTicks = 16;
// The caret blinks for about ten seconds after the screen last changed or a key was
// pressed, then stands, as desktop carets do: an idle window sleeps.
constexpr int kCaretBlinkTicks = 20 * kCaretTicks;
}  // namespace

axZekScreen::axZekScreen(QWidget* parent) : QWidget(parent), fontName_(QStringLiteral("細明體")) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The session control handles the mouse for the whole screen.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    model_.setEvents(this);
    frameTimer_.setSingleShot(true);
    connect(&frameTimer_, &QTimer::timeout, this, &axZekScreen::f重繪畫面);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &axZekScreen::onClock);
    // The stored default size 12 is set directly, without the list of accepted sizes.
    font_ = ScreenFont::make(fontName_, fontSize_);
    Init();
}

axZekScreen::~axZekScreen() { model_.setEvents(nullptr); }

void axZekScreen::Init() {
    tick_ = 0;
    caretVisible_ = false;
    model_.Init();
    Resize();
    f重繪畫面();
}

void axZekScreen::VT100(const QByteArray& bytes) {
    VT100(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

void axZekScreen::VT100(const uint8_t* data, size_t size) {
    stopTimer();
    model_.feed(data, size);
    f重繪畫面();
}

namespace {
constexpr int kFrameMs = 16;
qint64 nowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}
}  // namespace

void axZekScreen::interpretForNextFrame(const QByteArray& bytes) {
    stopTimer();
    model_.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (frameTimer_.isActive()) return;
    // A screen that has been quiet draws at once; one that drew within the last frame
    // waits for the rest of that frame, so a flood draws about 60 pictures a second.
    const qint64 wait = lastRedrawMs_ + kFrameMs - nowMs();
    frameTimer_.start(int(std::clamp<qint64>(wait, 0, kFrameMs)));
}

void axZekScreen::stopTimer() {
    timer_.stop();
    if (caretVisible_) {
        caretVisible_ = false;
        update(caretRect());
    }
}

// The clock counts 55 ms ticks as before, but sleeps through the ticks that would do
// nothing: the screen of the window in front wakes about twice a second for its caret,
// one in a window behind others only while text blinks, a hidden one never.
void axZekScreen::startTimer55() {
    if (!isVisible() || parked_) {
        timer_.stop();
        return;
    }
    showSteadyCaret();
    const int next = nextTickWithWork();
    if (next == 0) {
        timer_.stop();
        return;
    }
    timer_.start((next - tick_) * kTickMs);
}

bool axZekScreen::caretBlinks() const { return tick_ < caretBlinkEnd_ && isActiveWindow(); }

void axZekScreen::restartCaretBlink() {
    const bool sleeping = !caretBlinks();
    caretBlinkEnd_ = tick_ + kCaretBlinkTicks;
    if (sleeping) startTimer55();
}

void axZekScreen::showSteadyCaret() {
    if (caretBlinks() || caretVisible_) return;
    caretVisible_ = true;
    update(caretRect());
}

int axZekScreen::nextTickWithWork() const {
    int next = caretBlinks() ? (tick_ / kCaretTicks + 1) * kCaretTicks : 0;
    if (markStartCol_ == -1 && (anyBlinking_ || blinkHidden_)) {
        const int blink = (tick_ / kBlinkTicks + 1) * kBlinkTicks;
        next = next == 0 ? blink : std::min(next, blink);
    }
    return next;
}

void axZekScreen::onClock() {
    // Ticks slept through only keep the blink phase turning, as they would have.
    const int next = nextTickWithWork();
    if (next == 0) {
        startTimer55();  // leaves the caret standing
        return;
    }
    while (tick_ + 1 < next) {
        ++tick_;
        if (tick_ % kBlinkTicks == 0 && markStartCol_ == -1) blinkPhase_ = blinkPhase_ == 0 ? -1 : 0;
    }
    timerTick();
    startTimer55();
}

void axZekScreen::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The caret blinks only in the window in front; behind others it stands.
    if (event->type() == QEvent::ActivationChange && isVisible() && !parked_) {
        caretBlinkEnd_ = tick_ + kCaretBlinkTicks;
        startTimer55();
    }
}

void axZekScreen::beep() { QApplication::beep(); }

void axZekScreen::caretMoved(int, int) {
    // The bar follows the cursor at once when shown; hidden, it is placed again when the
    // next blink shows it.
    if (caretVisible_) update();
}

QRect axZekScreen::caretRect() const {
    const int col = std::clamp(model_.CursorX(), 0, 80);
    const int row = std::clamp(model_.CursorY(), 0, 24);
    return QRect(geometry_.caretLeftPx(col), geometry_.caretTopPx(row), geometry_.caretWidthPx(),
                 std::max(1, geometry_.caretHeightPx()));
}

void axZekScreen::setScreenFont(const QFont& font) {
    fontName_ = font.family();
    if (font.pointSizeF() > 0) fontSize_ = float(font.pointSizeF());
    font_ = ScreenFont::make(fontName_, fontSize_);
    Resize();
    f重繪畫面();
}

bool axZekScreen::setFontSize(float size) {
    if (!ScreenFont::isAcceptedSize(size)) return false;
    fontSize_ = size;
    font_ = ScreenFont::make(fontName_, fontSize_);
    Resize();
    f重繪畫面();
    return true;
}

void axZekScreen::setFontName(const QString& name) {
    fontName_ = name;
    font_ = ScreenFont::make(fontName_, fontSize_);
}

void axZekScreen::Resize() {
    geometry_ = CellGeometry::fromSampleHeight(ScreenFont::sampleHeight(font_));
    painter_.setFont(font_, geometry_);
    const QSize size(geometry_.screenWidthPx(), geometry_.screenHeightPx());
    if (!parked_ && saved_.size() != size) {
        shown_ = QImage();
        saved_ = QImage(size, QImage::Format_RGB32);
        saved_.fill(Qt::black);
        shown_ = saved_;
    }
    setFixedSize(size);
    model_.damageAll();
    updateGeometry();
}

QSize axZekScreen::sizeHint() const { return QSize(geometry_.screenWidthPx(), geometry_.screenHeightPx()); }

void axZekScreen::f重繪畫面() {
    stopTimer();
    frameTimer_.stop();
    lastRedrawMs_ = nowMs();
    if (parked_) {
        // Nothing is drawn while hidden; the links still follow the screen, and the
        // first redraw after showing repaints every cell.
        scanLinks();
        startTimer55();
        return;
    }

    // Paint straight onto the saved picture: it is what the surface is restored to first.
    shown_ = QImage();
    rowsDrawn_ = 0;
    anyBlinking_ = false;
    {
        QPainter p(&saved_);
        for (int r = 0; r < 24; ++r) {
            const bool draw = model_.rowDamaged(r);
            if (!draw && anyBlinking_) continue;
            const RowCells cells = model_.rowCells(r);
            for (const ScreenCell& cell : cells) anyBlinking_ = anyBlinking_ || cell.blink || cell.blink2;
            if (!draw) continue;
            painter_.drawRow(p, cells, r);
            ++rowsDrawn_;
        }
    }
    model_.clearDamage();
    scanLinks();
    // Whatever blinking text showed, the new picture shows it.
    blinkHidden_ = false;
    f顯示畫面();
    update();
    caretBlinkEnd_ = tick_ + kCaretBlinkTicks;
    startTimer55();
}

void axZekScreen::repaintAll() {
    model_.damageAll();
    f重繪畫面();
}

void axZekScreen::f雙色字處理(int x, int y, const QString& text, int32_t colour) {
    if (text.isEmpty() || parked_) return;
    shown_ = QImage();
    {
        QPainter p(&saved_);
        p.setFont(font_);
        const int x0 = CellGeometry::toPixels(double(x) + geometry_.W);
        const int x1 = CellGeometry::toPixels(double(x) + 2.0 * geometry_.W);
        const int y0 = CellGeometry::toPixels(y);
        const int y1 = CellGeometry::toPixels(double(y) + geometry_.H);
        p.setClipRect(x0, y0, x1 - x0, y1 - y0);
        p.setPen(ScreenPainter::colour(colour));
        p.drawText(CellGeometry::toPixels(x), y0 + ScreenFont::baseline(font_), text);
    }
    shown_ = saved_;
    update();
}

void axZekScreen::timerTick() {
    ++tick_;
    if (tick_ % kCaretTicks == 0) {
        caretVisible_ = !caretVisible_;
        update(caretRect());
    }
    if (tick_ % kBlinkTicks == 0 && markStartCol_ == -1 && !parked_) {
        if (blinkPhase_ == 0) {
            blinkPhase_ = -1;
            if (blinkHidden_) {
                shown_ = saved_;
                blinkHidden_ = false;
                update();
            }
        } else {
            blinkPhase_ = 0;
            QImage hidden = saved_;
            // No blinking cell: keep sharing the saved picture instead of a copy.
            blinkHidden_ = hideBlinkingText(hidden);
            if (blinkHidden_) {
                shown_ = hidden;
                update();
            }
        }
    }
}

bool axZekScreen::hideBlinkingText(QImage& image) const {
    bool any = false;
    QPainter p;
    for (int r = 0; r < 24; ++r) {
        for (const ScreenCell& cell : model_.rowCells(r)) {
            if (!cell.blink && !cell.blink2) continue;
            if (!any) {
                any = true;
                p.begin(&image);
            }
            // A blinking lead takes its pair's other half with it, in its own background.
            if (cell.blink) painter_.fillCell(p, cell.column, r, cell.bg);
            if (cell.isPair() && (cell.blink || cell.blink2)) painter_.fillCell(p, cell.column + 1, r, cell.bg2);
        }
    }
    return any;
}

void axZekScreen::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, shown_, r);
    // Link underlines: one red pixel under each link.
    for (const ScreenLink& e : links_.links()) {
        const int x0 = geometry_.cellLeftPx(e.column);
        const int x1 = geometry_.cellLeftPx(e.column + e.length);
        p.fillRect(x0, geometry_.underlineTopPx(e.row), x1 - x0, 1, QColor(255, 0, 0));
    }
    if (caretVisible_) p.fillRect(caretRect(), Qt::white);
}

void axZekScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
    if (event->spontaneous()) return;  // minimised: the pictures come back at once
    parked_ = true;
    shown_ = QImage();
    saved_ = QImage();
    blinkHidden_ = false;
}

void axZekScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!parked_) {
        caretBlinkEnd_ = tick_ + kCaretBlinkTicks;
        startTimer55();
        return;
    }
    parked_ = false;
    Resize();  // allocates the picture again and marks every cell for drawing
    f重繪畫面();
}

void axZekScreen::scanLinks() {
    links_.set(LinkScanner::scan(model_));
}

int axZekScreen::fCheckLink(const QString& prefix, int col, int row) const {
    const QByteArray p = prefix.toLatin1();
    return LinkScanner::fCheckLink(model_, std::string_view(p.constData(), size_t(p.size())), col, row);
}

QString axZekScreen::f標記方法(int startCol, int startRow, int endCol, int endRow) {
    const Selection::Range r = Selection::clamp(startCol, startRow, endCol, endRow);
    markStartCol_ = r.startCol;
    markStartRow_ = r.startRow;
    markEndCol_ = r.endCol;
    markEndRow_ = r.endRow;
    if (markBusy_) {
        // Another call is drawing further down the stack: it sees the flag and draws again
        // with these newest ends, so the later call wins and nothing waits.
        markAbort_ = true;
        return markingResult_;
    }
    markBusy_ = true;
    do {
        markAbort_ = false;
        f顯示畫面();
    } while (markAbort_);
    markBusy_ = false;
    // A mark stops text blinking, its removal lets it go on (the clock may be asleep).
    startTimer55();
    return markingResult_;
}

void axZekScreen::f顯示畫面() {
    shown_ = saved_;
    blinkHidden_ = false;
    markingResult_.clear();
    const Selection::Result mark = Selection::mark(model_, markStartCol_, markStartRow_, markEndCol_, markEndRow_);
    if (mark.range.active() && parked_) {
        markingResult_ = QString::fromStdString(mark.text);
    } else if (mark.range.active()) {
        QPainter p(&shown_);
        p.setFont(font_);
        const CellGeometry& g = geometry_;
        for (const Selection::Box& b : mark.boxes) {
            const int x0 = g.cellLeftPx(b.firstCol), x1 = g.cellLeftPx(b.lastCol + 1);
            p.fillRect(x0, g.cellTopPx(b.row), x1 - x0, g.cellBottomPx(b.row) - g.cellTopPx(b.row), Qt::white);
        }
        for (const Selection::Glyph& gl : mark.glyphs) {
            painter_.drawGlyph(p, gl.col, gl.row, gl.codePoint, 0);
            if (gl.twoColour) painter_.drawRightHalf(p, gl.col, gl.row, gl.codePoint, gl.trailColour);
        }
        markingResult_ = QString::fromStdString(mark.text);
    }
    update();
}
