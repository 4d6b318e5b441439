#include "session/axItem.h"

#include "session/axImgButton.h"

#include <QFrame>
#include <QScrollBar>

axItem::axItem(QWidget* parent) : QWidget(parent) {
    QFont captionFont = font();
    // Named explicitly: the automatic fallback picks a brush or Japanese face.
    captionFont.setFamilies({QStringLiteral("Noto Sans CJK TC"), QStringLiteral("AR PL UMing TW")});
    setFont(captionFont);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture1->setFrameShape(QFrame::NoFrame);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(0, 0);
    HScroll1->setPageStep(1);
    HScroll1->setFixedSize(kScrollBarWidth, 17);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { f重新計算位置(); });

    resize(400, kStripHeight);
    f重新計算位置();
}

QSize axItem::sizeHint() const { return QSize(400, kStripHeight); }

void axItem::setTemplateWidth(int width) {
    templateWidth_ = width > 0 ? width : 1;
    f重新計算位置();
}

axImgButton* axItem::button(int k) const {
    if (k < 1 || k > static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<size_t>(k - 1)];
}

QString axItem::caption(int k) const {
    axImgButton* b = button(k);
    return b ? b->Caption() : QString();
}

int axItem::scrollValue() const { return HScroll1->value(); }

int axItem::scrollToShow(int n, int value, int tabWidth, int scrollLeft) {
    // Stops at n at the latest (tab n first in view), which also ends the loop for a
    // strip too narrow to show a single tab.
    while (value < n && tabWidth * (n - value + 1) > scrollLeft) ++value;
    return value;
}

int axItem::AddItem(const QString& caption) {
    const int n = count_ + 1;
    auto* b = new axImgButton(this);
    b->setCaption(caption);
    b->setToolTip(caption);
    b->setFont(font());
    connect(b, &axImgButton::Click, this, [this, b] { onButtonClicked(b); });
    connect(b, &axImgButton::CloseClick, this, [this, b] { onButtonClosed(b); });
    buttons_.push_back(b);
    count_ = n;
    current_ = n;
    HScroll1->setMaximum(n);

    const int target = scrollToShow(n, HScroll1->value(), templateWidth_, HScroll1->x());
    while (HScroll1->value() < target) HScroll1->setValue(HScroll1->value() + 1);

    f重新計算位置();
    // New buttons stay under the scroll bar and its panel.
    b->show();
    Picture1->raise();
    HScroll1->raise();
    return n;
}

int axItem::ItemRemove(int i) {
    if (count_ < 1) return 0;
    // A number outside the strip closes nothing (left to us: never touch a missing tab).
    if (i < 1 || i > count_) return 0;
    for (int k = i; k <= count_ - 1; ++k) {
        const QString moved = buttons_[static_cast<size_t>(k)]->Caption();
        buttons_[static_cast<size_t>(k - 1)]->setCaption(moved);
        buttons_[static_cast<size_t>(k - 1)]->setToolTip(moved);
        buttons_[static_cast<size_t>(k - 1)]->setLocked(buttons_[static_cast<size_t>(k)]->Locked());
    }
    axImgButton* last = buttons_.back();
    buttons_.pop_back();
    last->hide();
    last->deleteLater();  // it may be the button whose close mark is being handled
    --count_;

    if (count_ == 0) {
        HScroll1->setMaximum(0);
        HScroll1->setValue(0);
    } else if (current_ > count_) {
        HScroll1->setMaximum(count_);
        current_ = count_;
    }
    emit ItemClosed(i);
    f重新計算位置();
    emit ItemSelected(current_);
    return 0;
}

void axItem::f重新計算位置() {
    if (inLayout_) return;  // value changes below call back into here
    inLayout_ = true;
    const int w = width();
    const int h = height();
    HScroll1->move(w - HScroll1->width() - kScrollGap, (h - HScroll1->height()) / 2);
    Picture1->setGeometry(HScroll1->x(), 0, qMax(0, w - HScroll1->x()), h);
    HScroll1->setMaximum(count_);

    if (count_ != 0) {
        if (HScroll1->value() == 0) HScroll1->setValue(1);
        const int s = HScroll1->value();
        for (int k = 1; k <= count_; ++k) {
            axImgButton* b = buttons_[static_cast<size_t>(k - 1)];
            b->setGeometry(templateWidth_ * (k - s), 0, templateWidth_, h);
            b->setButtonColor(k == current_ ? 1 : 2);
            b->setVisible(true);
        }
    } else {
        HScroll1->setValue(0);
        current_ = 0;
    }
    Picture1->raise();
    HScroll1->raise();
    inLayout_ = false;
}

void axItem::resizeEvent(QResizeEvent*) { f重新計算位置(); }

int axItem::numberOf(const axImgButton* source) const {
    for (size_t k = 0; k < buttons_.size(); ++k) {
        if (buttons_[k] == source) return static_cast<int>(k) + 1;
    }
    return 0;
}

void axItem::onButtonClicked(axImgButton* source) {
    const int i = numberOf(source);
    if (i == 0) return;
    current_ = i;
    f重新計算位置();
    emit ItemSelected(i);
}

void axItem::onButtonClosed(axImgButton* source) {
    const int i = numberOf(source);
    if (i != 0 && (!closeGuard_ || closeGuard_(i))) ItemRemove(i);
}
