#pragma once
// Lays the main window out: the minimum size, the toolbar row, the tab strip and the
// content below it, and the terminal font size of the current session. The numbers come
// from LayoutMath (twips); this class only measures the widgets and applies them.
#include <QFont>
#include <QObject>

struct AppContext;
class QWidget;
class SessionTabs;
class ToolbarRow;
class axItem;

class MainFormLayout : public QObject {
    Q_OBJECT
public:
    MainFormLayout(QWidget& window, AppContext& context, ToolbarRow& row, axItem& strip, SessionTabs& tabs);

    // The window resize step: snap to the minimum size, ResizeMainForm, and announce the
    // first layout.
    void resizeStep();
    void ResizeMainForm();

    // Label1's font: its family is the terminal font; its size holds the automatic size.
    QFont& Label1Font() { return label1Font_; }
    // The user's terminal font size (bbs_font_size at load, then the font dialog's).
    int bbsFontSize() const { return bbsFontSize_; }
    void setBbsFontSize(int size) { bbsFontSize_ = size; }
    // The window's outer size in twips, as the layout sees it.
    int windowWidthTwips() const;
    int windowHeightTwips() const;

signals:
    // The window was laid out for the first time: the background duties may begin.
    void FirstLaidOut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    AppContext& context_;
    ToolbarRow& row_;
    axItem& strip_;
    SessionTabs& tabs_;
    QFont label1Font_;
    int bbsFontSize_ = 9;
    bool inResize_ = false;
    bool laidOut_ = false;
};
