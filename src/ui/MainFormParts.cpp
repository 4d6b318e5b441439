#include "ui/MainFormParts.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "session/axItem.h"
#include "ui/AppDialogs.h"
#include "ui/MainForm.h"
#include "ui/MainFormLayout.h"
#include "ui/MainTick.h"
#include "ui/SessionTabs.h"
#include "ui/SharingCommands.h"
#include "ui/ToolbarRow.h"
#include "ui/WebViewModule.h"
#include "ui/frmLogin.h"

#include <QAction>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>

MainFormParts::MainFormParts(QMainWindow& window, AppContext& context, WebPane::Factory webFactory)
    : QObject(&window), window_(window), context_(context) {
    content_ = new QWidget(&window);
    content_->setObjectName(QStringLiteral("MainFormContent"));
    window.setCentralWidget(content_);

    row_ = new ToolbarRow(content_);
    axItem1_ = new axItem(content_);
    axItem1_->setObjectName(QStringLiteral("axItem1"));
    axItem1_->hide();
    tabs_ = new SessionTabs(context, content_, axItem1_, row_->TxtZEKURL,
                            webFactory ? std::move(webFactory) : WebViewModule::factory(&context.texts));
    layout_ = new MainFormLayout(window, context, *row_, *axItem1_, *tabs_);
    sharing_ = new SharingCommands(window, context, *tabs_, *row_);

    // A logon page met on the way to a link with automatic logon off (or after the
    // stored password was refused): the login dialog, modal, for that tab.
    connect(tabs_, &SessionTabs::LoginRequested, this, [this](int tab) {
        auto* form = qobject_cast<MainForm*>(&window_);
        frmLogin* login = (form && form->dialogs()) ? form->dialogs()->login() : nullptr;
        if (!login || login->isVisible()) return;
        login->initialize();
        login->setItemIndex(tab);
        login->exec();
    });
    tick_ = new MainTick(context, *tabs_, row_->TxtZEKURL, this);
    connect(layout_, &MainFormLayout::FirstLaidOut, tick_, &MainTick::start);
}

void MainFormParts::load() {
    layout_->setBbsFontSize(context_.settings.bbs_font_size);
    tabs_->load();
    sharing_->load();
}

void MainFormParts::unload() {
    tick_->stop();
    sharing_->unload();
    tabs_->unload();
}
