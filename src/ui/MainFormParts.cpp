#include "ui/MainFormParts.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "session/axItem.h"
#include "ui/MainFormLayout.h"
#include "ui/SessionTabs.h"
#include "ui/ToolbarRow.h"
#include "ui/ZekWebView.h"

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
                            webFactory ? std::move(webFactory) : ZekWebView::factory());
    layout_ = new MainFormLayout(window, context, *row_, *axItem1_, *tabs_);

    if (QAction* toPtt = row_->TB->findChild<QAction*>(QStringLiteral("ToPTT"))) {
        connect(toPtt, &QAction::triggered, tabs_, [this] { tabs_->OpenBBS(deployment::pttHost()); });
    }
}

void MainFormParts::load() {
    layout_->setBbsFontSize(context_.settings.bbs_font_size);
    tabs_->load();
}

void MainFormParts::unload() {
    layout_->mwXTimer().stop();
    tabs_->unload();
}
