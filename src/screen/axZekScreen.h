#pragma once
#include "screen/CellGeometry.h"
#include "screen/CellSource.h"
#include "screen/LinkTable.h"
#include "screen/ScreenModel.h"
#include "screen/ScreenPainter.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

// The terminal screen control: owns the interpreter and its grids, draws them onto a
// backing picture, blinks the caret and blinking text, underlines links and shows the
// marking. Mouse events pass through to the session control that owns it.
class axZekScreen : public QWidget, public CellSource, private ScreenEvents {
    Q_OBJECT
public:
    explicit axZekScreen(QWidget* parent = nullptr);
    ~axZekScreen() override;

    // Resets the interpreter, attributes, cursor and timer and clears the screen.
    void Init();
    // Interprets the bytes and redraws once.
    void VT100(const QByteArray& bytes);
    void VT100(const uint8_t* data, size_t size);
    // Interprets the bytes now and draws at the next frame: under a flood of data many
    // chunks make one picture, and the event loop stays free for keys in between.
    void interpretForNextFrame(const QByteArray& bytes);
    bool redrawPending() const { return frameTimer_.isActive(); }

    int32_t f取回銀幕文字(int col, int row) const override { return model_.f取回銀幕文字(col, row); }
    int32_t f取回銀幕前景色(int col, int row) const override { return model_.f取回銀幕前景色(col, row); }
    int32_t f取回銀幕背景色(int col, int row) const override { return model_.f取回銀幕背景色(col, row); }
    int32_t f取回銀幕閃爍色(int col, int row) const override { return model_.f取回銀幕閃爍色(col, row); }
    RowCells rowCells(int row) const override { return model_.rowCells(row); }
    int CursorX() const { return model_.CursorX(); }
    int CursorY() const { return model_.CursorY(); }
    void setCursorX(int x) { model_.setCursorX(x); }
    void setCursorY(int y) { model_.setCursorY(y); }
    QString GetChar(int, int) const { return QString(); }
    int32_t GetAttrib(int, int) const { return 0; }

    // Redraw: the rows the model reports changed since the last redraw.
    void f重繪畫面();
    // Forgets what the cells showed and redraws every one of them.
    void repaintAll();
    // Overlays the right half of a character drawn at (x, y) twips in another colour.
    void f雙色字處理(int x, int y, const QString& text, int32_t colour);
    // Recomputes the cell metrics from the font and sizes the control; the next redraw
    // repaints every cell.
    void Resize();
    void Refresh() {}
    void Focus(bool) {}

    QFont Font() const { return font_; }
    void setScreenFont(const QFont& font);
    float FontSize() const { return fontSize_; }
    // Accepted only for the sizes ScreenFont::isAcceptedSize lists; returns whether taken.
    bool setFontSize(float size);
    QString FontName() const { return fontName_; }
    // Takes the name; the cells change at the next size change or Resize.
    void setFontName(const QString& name);
    int fGetFontHeight() const { return geometry_.H; }
    int fGetFontWidth() const { return geometry_.W; }
    const CellGeometry& geometry() const { return geometry_; }

    // Marks the stream from one cell to another and returns the marked text (rows joined
    // by CR LF). All four -1 removes the marking and returns "".
    QString f標記方法(int startCol, int startRow, int endCol, int endRow);
    // Puts the marking overlay on the saved picture and rebuilds the marking result.
    void f顯示畫面();
    QString ReadMark() const { return QString(); }
    bool hasMark() const { return markStartCol_ != -1; }
    // Text of the current marking, rebuilt by every overlay.
    const QString& markingResult() const { return markingResult_; }

    // Length in cells of the link starting at (col, row) with this upper-case prefix, 0
    // when the cells there do not start with it.
    int fCheckLink(const QString& prefix, int col, int row) const;
    // Links found by this screen's last redraw.
    const LinkTable& links() const { return links_; }

    // What the control shows: the saved picture with the marking or hidden blinking
    // text on top (the caret and the link underlines are painted over it).
    const QImage& picture() const { return shown_; }
    // The picture as of the last redraw, before any overlay.
    const QImage& savedPicture() const { return saved_; }
    bool caretVisible() const { return caretVisible_; }
    QRect caretRect() const;
    // Rows the last redraw painted (24 for a full redraw).
    int rowsDrawnByLastRedraw() const { return rowsDrawn_; }
    // One tick of the 55 ms caret and blink clock; public so tests can step it.
    void timerTick();
    bool blinkingTextHidden() const { return blinkHidden_; }
    // Whether the clock is armed. It runs only while the screen is visible, and then
    // wakes only for the ticks that have work: the caret's every ninth tick while the
    // window is in front and the screen changed or a key was pressed in the last ten
    // seconds (otherwise the caret stands), and every sixteenth while some cell blinks
    // and no mark is shown.
    bool clockRunning() const { return timer_.isActive(); }
    // A key was pressed: the caret blinks again for a while, as after new data.
    void restartCaretBlink();

    ScreenModel& model() { return model_; }
    const ScreenModel& model() const { return model_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A screen hidden behind another tab gives its pictures back and is drawn afresh
    // when shown again: with a hundred tabs open the pictures are most of the memory.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void beep() override;
    void caretMoved(int col, int row) override;
    void stopTimer();
    void startTimer55();
    // The next tick after tick_ that has work, or 0 when none has.
    int nextTickWithWork() const;
    bool caretBlinks() const;
    // Behind other windows the caret stays shown instead of blinking.
    void showSteadyCaret();
    void onClock();
    void scanLinks();
    // Paints the background over every blinking cell; false when there is none.
    bool hideBlinkingText(QImage& image) const;

    ScreenModel model_;
    ScreenPainter painter_;
    CellGeometry geometry_;
    QFont font_;
    QString fontName_;
    float fontSize_ = 12;

    QImage saved_;  // the saved picture
    QImage shown_;  // the surface
    QTimer timer_;
    QTimer frameTimer_;  // a redraw waiting for the next frame
    qint64 lastRedrawMs_ = -1000;
    int tick_ = 0;
    int caretBlinkEnd_ = 0;  // the caret blinks until this tick
    int blinkPhase_ = 0;
    bool blinkHidden_ = false;
    bool parked_ = false;  // hidden after having been shown: no pictures held
    bool caretVisible_ = false;
    bool anyBlinking_ = false;  // some visible cell blinks, as of the last redraw
    int rowsDrawn_ = 0;
    QString markingResult_;

    int markStartCol_ = -1, markStartRow_ = -1, markEndCol_ = -1, markEndRow_ = -1;
    bool markBusy_ = false;
    bool markAbort_ = false;

    LinkTable links_;
};
