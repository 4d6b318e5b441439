#pragma once
// The strip of tabs above the main window's content: one axImgButton per open session
// or web page, a scroll bar for more tabs than fit, and a panel that covers tabs
// scrolled behind the scroll bar. Tabs are numbered 1..count in strip order; removing
// a tab moves the captions of the later tabs one place left.
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QScrollBar;
class QFrame;
class axImgButton;

class axItem : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultTabWidth = 140;  // px; a new tab's width before it is sized
    static constexpr int kStripHeight = 26;       // px; the strip's preferred height
    static constexpr int kScrollGap = 8;          // 120 twips between scroll bar and edge
    static constexpr int kScrollBarWidth = 36;

    explicit axItem(QWidget* parent = nullptr);

    // Appends a tab and makes it current; returns its number. Raises no event.
    int AddItem(const QString& caption);
    // Removes tab i as if its close mark had been clicked; returns 0.
    int ItemRemove(int i);
    void CloseItem(int i) { ItemRemove(i); }
    // Lays the strip out.
    void f重新計算位置();

    int ItemMaxNumber() const { return count_; }
    void setItemMaxNumber(int value) { count_ = value; }
    int ItemNowNumber() const { return current_; }
    void setItemNowNumber(int value) { current_ = value; }

    int templateWidth() const { return templateWidth_; }
    void setTemplateWidth(int width);

    // Tab k (1..count), or nullptr.
    axImgButton* button(int k) const;
    QString caption(int k) const;
    QScrollBar* scrollBar() const { return HScroll1; }
    int scrollValue() const;

    QSize sizeHint() const override;

    // Asked before a click on a tab's close mark removes the tab; false keeps the tab.
    void setCloseGuard(std::function<bool(int item)> guard) { closeGuard_ = std::move(guard); }

    // The scroll value that keeps tab n fully left of the scroll bar, starting from
    // `value`: the add rule, bounded so that it ends even when nothing fits.
    static int scrollToShow(int n, int value, int tabWidth, int scrollLeft);

signals:
    void ItemClosed(int item);
    void ItemSelected(int item);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onButtonClicked(axImgButton* source);
    void onButtonClosed(axImgButton* source);
    int numberOf(const axImgButton* source) const;

    QScrollBar* HScroll1;
    QFrame* Picture1;
    std::vector<axImgButton*> buttons_;  // index 0 is tab 1
    int count_ = 0;
    int current_ = 0;
    int templateWidth_ = kDefaultTabWidth;
    bool inLayout_ = false;
    std::function<bool(int)> closeGuard_;
};
