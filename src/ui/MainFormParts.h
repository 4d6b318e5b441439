#pragma once
// What the main window shows below its menu bar: the toolbar row, the tab strip, the
// start page and the tabs, and the layout that places them. MainForm owns one of these
// and forwards its load and unload steps to it.
#include "ui/WebPane.h"

#include <QObject>

struct AppContext;
class MainFormLayout;
class MainTick;
class QMainWindow;
class QWidget;
class SessionTabs;
class SharingCommands;
class ToolbarRow;
class axItem;

class MainFormParts : public QObject {
    Q_OBJECT
public:
    // webFactory makes the web views; by default they come from the web view module.
    MainFormParts(QMainWindow& window, AppContext& context, WebPane::Factory webFactory = {});

    // The load steps of the tabs: slots, busy flag, address box, font size, start page.
    void load();
    void unload();

    QWidget* content() const { return content_; }
    ToolbarRow& toolbarRow() const { return *row_; }
    axItem& axItem1() const { return *axItem1_; }
    SessionTabs& tabs() const { return *tabs_; }
    MainFormLayout& layout() const { return *layout_; }
    // The once-a-second duties (clipboard hand-off, keep-alive).
    MainTick& tick() const { return *tick_; }
    SharingCommands& sharing() const { return *sharing_; }

private:
    QMainWindow& window_;
    AppContext& context_;
    QWidget* content_;
    ToolbarRow* row_;
    axItem* axItem1_;
    SessionTabs* tabs_;
    MainFormLayout* layout_;
    MainTick* tick_;
    SharingCommands* sharing_;
};
