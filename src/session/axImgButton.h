#pragma once
// One tab of the tab strip: a background chosen from four pictures, a caption and a
// close mark at the right end. Clicks on the body and on the close mark are reported
// separately.
#include <QString>
#include <QWidget>

class QLabel;

class axImgButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionLeft = 2;      // 30 twips
    static constexpr int kCloseRightGap = 3;    // 45 twips
    static constexpr int kPressShift = 1;       // 15 twips
    static constexpr int kCloseMarkSize = 12;

    explicit axImgButton(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

    // A padlock before the caption: the tab's connection is encrypted.
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    int ButtonColor() const { return buttonColor_; }
    // Values outside 0..3 are ignored.
    void setButtonColor(int index);

    // The button's own switch. The widget itself stays enabled, because a disabled
    // button still reports mouse moves; QWidget::setEnabled is not used for it.
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Where the close mark lies in the button's own coordinates.
    QRect closeMarkRect() const;
    // True while the last press was on the close mark (its border is drawn).
    bool closePressed() const { return closePress_; }
    // The offset of the pressed look (0,0 or 1,1).
    QPoint frameOffset() const { return frameOffset_; }

    // Paints background picture `index` (0..3) into a rectangle: the four tab looks,
    // drawn as vectors so they stay crisp at any device pixel ratio.
    static void paintBackground(QPainter& painter, const QRectF& rect, int index);
    static void paintCloseMark(QPainter& painter, const QRectF& rect, bool withBorder);
    static void paintLock(QPainter& painter, const QRectF& rect, const QColor& colour);

signals:
    void CloseClick();
    void Click();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static int buttonCode(Qt::MouseButtons buttons);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

    QString caption_ = QStringLiteral("Label1");
    int buttonColor_ = 1;
    bool enabled_ = true;
    bool locked_ = false;
    bool closePress_ = false;
    bool bodyPress_ = false;
    QPoint frameOffset_;
};
