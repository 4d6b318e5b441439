#include "ui/MainForm.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "app/SingleInstanceLock.h"
#include "app/StartupTrace.h"
#include "ptt/ZEKURLModule.h"
#include "ui/AddressTarget.h"
#include "ui/AppDialogs.h"
#include "ui/MainFormParts.h"
#include "ui/AppIcon.h"
#include "ui/MainMenus.h"
#include "ui/SessionTabs.h"
#include "ui/MenuCommands.h"
#include "ui/QtUserInteraction.h"
#include "ui/SessionStatus.h"
#include "ui/SharingCommands.h"
#include "ui/ToolbarRow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>

MainForm::MainForm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), menus_(std::make_unique<MainMenus>(menuBar())) {
    setObjectName(QStringLiteral("MainForm"));
    parts_ = new MainFormParts(*this, context_);
    commands_ = new MenuCommands(*this, context_);
    status_ = new SessionStatus(*this, context_);
    setWindowIcon(app_icon::icon());
}

bool MainForm::mayClose() { return commands_->confirmQuit(); }

namespace {
const QString kGeometry = QStringLiteral("window_geometry");
}

bool MainForm::showAtSavedPlacement() {
    const QByteArray saved = context_.preferences.bytes(kGeometry);
    if (saved.isEmpty() || !restoreGeometry(saved)) return false;
    show();
    return true;
}

MainForm::~MainForm() {
    // The dialogs are our children; release them while we still exist.
    dialogs_.reset();
}

bool MainForm::load() {
    // One copy per settings folder: a second one would overwrite the first one's settings.
    instanceLock_ = std::make_unique<SingleInstanceLock>(deployment::configDir());
    if (!instanceLock_->tryAcquire()) {
        instanceLock_.reset();
        return false;
    }
    commands_->syncChecks();
    commands_->loadPreferences();
    parts_->load();
    return true;
}

void MainForm::applyLanguageTexts() {
    setWindowTitle(context_.texts.text(QStringLiteral("App_Title")));
    menus_->applyTexts(context_.texts);
    parts_->toolbarRow().applyTexts(context_.texts);
    parts_->sharing().applyTexts();
    commands_->applyTexts();
    status_->refresh();
    if (auto* qtUi = dynamic_cast<QtUserInteraction*>(context_.ui))
        qtUi->setButtonTexts(context_.texts.text(QStringLiteral("OK")), context_.texts.text(QStringLiteral("Yes")),
                             context_.texts.text(QStringLiteral("No")));
}

void MainForm::applyLanguageTexts(const QString& mode) {
    context_.texts.setMode(mode);
    applyLanguageTexts();
}

void MainForm::openLink(const QString& text) {
    // The desktop hands over zek: links too; what the address bar cannot read goes to
    // the Zek URL module as it is.
    const AddressTarget target = AddressTarget::parse(text, context_.settings.prefix_of_zek_long_url,
                                                      context_.settings.prefix_of_zek_short_url);
    if (target.kind == AddressTarget::Kind::Bbs || target.kind == AddressTarget::Kind::ZekUrl ||
        target.kind == AddressTarget::Kind::Web) {
        commands_->open(target);
        return;
    }
    if (ZEKURLModule* module = parts_->tabs().zekUrl()) module->openZEKURL(text);
}

void MainForm::setDialogs(std::unique_ptr<AppDialogs> dialogs) { dialogs_ = std::move(dialogs); }

void MainForm::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    context_.closing = true;
    if (!context_.startupSucceeded) return;

    context_.settings.write(context_.settingsFile);
    // App.ini holds the stored password: readable by its owner only. A failed save would
    // lose the session's changes without a word, so it is said (the old file is intact).
    if (!context_.settingsFile.save(/*ownerOnly=*/true) && context_.ui != nullptr)
        context_.ui->message(context_.texts.text(QStringLiteral("Error_Fail_To_Save_Settings")) + QLatin1Char(' ') +
                                 context_.settingsFile.path(),
                             context_.texts.messageTitle());

    // Parts write their preferences (window geometry...) while handling Unloading.
    context_.preferences.setBytes(kGeometry, saveGeometry());
    commands_->savePreferences();
    emit Unloading();
    if (!context_.preferences.save() && context_.ui != nullptr)
        context_.ui->message(context_.texts.text(QStringLiteral("Error_Fail_To_Save_Settings")) + QLatin1Char(' ') +
                                 context_.preferences.path(),
                             context_.texts.messageTitle());
    parts_->unload();
    if (dialogs_) dialogs_->release();
    context_.pttText.reset();
    context_.addressPool.reset();
}

void MainForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (painted_) return;
    painted_ = true;
    StartupTrace::mark("first paint");
    // Queued: this picture reaches the screen before the engine takes its time.
    QTimer::singleShot(0, this, [this] {
        if (!unloaded_) parts_->tabs().showStartPage();
    });
}

void MainForm::closeEvent(QCloseEvent* event) {
    // The window manager's close box asks about live sessions; close() from our own
    // code (Exit asked already, termination signals must not wait) does not.
    if (!unloaded_ && event->spontaneous() && !mayClose()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}
