#include "app/MainModule.h"

#include "app/Deployment.h"
#include "app/StartupTrace.h"
#include "app/StartupMessages.h"
#include "app/StderrUserInteraction.h"
#include "app/TerminationSignals.h"
#include "app/WebEngineEnvironment.h"
#include "ui/AppDialogs.h"
#include "ui/InstanceChannel.h"
#include "ui/LayoutMath.h"
#include "ui/MainForm.h"
#include "ui/QtUserInteraction.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QTimer>

namespace {

// App.ini was there but could not be used: the defaults are in force, and the user hears
// where the old file will be kept (saving moves it aside rather than overwriting it).
void reportUnusableSettings(AppContext& c) {
    const char* key = nullptr;
    switch (c.settingsFile.loadResult()) {
    case IniFile::LoadResult::Unreadable: key = "Error_Settings_File_Unreadable"; break;
    case IniFile::LoadResult::TooLarge: key = "Error_Settings_File_Too_Large"; break;
    case IniFile::LoadResult::NotIni: key = "Error_Settings_File_Not_INI"; break;
    default: return;
    }
    c.ui->message(c.texts.text(QString::fromLatin1(key)) + QLatin1Char(' ') + c.settingsFile.keptAsidePath(),
                  c.texts.messageTitle());
}

}  // namespace

MainModule::MainModule(UserInteraction* ui) {
    if (ui == nullptr) {
        if (qEnvironmentVariable("ZEK_MESSAGES") == QStringLiteral("stderr"))
            ownUi_ = std::make_unique<StderrUserInteraction>();
        else
            ownUi_ = std::make_unique<QtUserInteraction>();
        ui = ownUi_.get();
    }
    context_.ui = ui;
}

MainModule::~MainModule() {
    // The window refers to the context; it goes first.
    mainForm_.reset();
}

MainModule::Outcome MainModule::start() {
    AppContext& c = context_;
    // Flags and fixed indices.
    c.startupSucceeded = true;
    c.closing = false;
    c.lastRowIndex = 23;
    c.lastColumnIndex = 79;
    c.versionCheckState = 1;

    // The two INI files; a missing file is empty content, not an error.
    c.languageFile.setPath(deployment::languagesFile());
    c.languageFile.load();
    c.settingsFile.setPath(deployment::settingsFile());
    const bool freshInstall = !c.settingsFile.load();

    // Settings and preferences. The texts take the language mode now too, so that the key table's
    // messages below already speak the user's language.
    c.settings.read(c.settingsFile);
    // A first start fits the screen to the window; a saved choice is kept as it is.
    if (freshInstall) c.settings.switch_of_auto_resize_bbs = true;
    c.preferences.setPath(deployment::preferencesFile());
    c.preferences.load();
    c.texts.setFile(&c.languageFile);
    c.texts.setMode(c.settings.language_mode);

    // Page keys (their loader shows its own message) and navigation keys. Without a
    // usable language file there is no text to show but a built-in one, which names the
    // file and where it was looked for; the key table would only repeat a bare key name.
    const IniFile::LoadResult languages = c.languageFile.loadResult();
    if (languages != IniFile::LoadResult::Loaded) {
        const auto message = startup_messages::languageFileUnusable(c.languageFile.path(), languages,
                                                                    startup_messages::preferChinese());
        c.ui->message(message.text, message.title);
        c.startupSucceeded = false;
    } else {
        reportUnusableSettings(c);
        if (!c.pageKeys.load(c.languageFile, c.texts, *c.ui)) c.startupSucceeded = false;
    }
    c.navigationKeys = NavigationKeys::build();
    StartupTrace::mark("settings and texts read");

    // Shared objects, then the main window. From here on a termination signal closes
    // the window through the event loop, which saves the settings.
    TerminationSignals::setEndAtOnce(false);
    c.pttText = std::make_unique<PttTextComponent>();
    c.addressPool = std::make_unique<ZEKAddressPoolCls>();
    mainForm_ = std::make_unique<MainForm>(c);
    StartupTrace::mark("main window made");
    if (auto* qtUi = dynamic_cast<QtUserInteraction*>(c.ui)) qtUi->setOwner(mainForm_.get());

    // Load; a second copy ends here without a trace.
    if (!mainForm_->load()) {
        if (auto* qtUi = dynamic_cast<QtUserInteraction*>(c.ui)) qtUi->setOwner(nullptr);
        mainForm_.reset();
        return Outcome::SecondInstance;
    }

    // Language texts for the mode read with the settings.
    mainForm_->applyLanguageTexts(c.settings.language_mode);

    // Dialogs, not shown.
    mainForm_->setDialogs(std::make_unique<AppDialogs>(c, mainForm_.get()));
    StartupTrace::mark("dialogs made");

    // Unusable key table: unload (which writes nothing) and quit.
    if (!c.startupSucceeded) {
        mainForm_->unload();
        if (auto* qtUi = dynamic_cast<QtUserInteraction*>(c.ui)) qtUi->setOwner(nullptr);
        mainForm_.reset();
        return Outcome::Quit;
    }

    // Show, then maximise; unless a termination signal already closed the window
    // while a part of loading ran the event loop.
    if (!mainForm_->isUnloaded()) {
        if (!mainForm_->showAtSavedPlacement()) {
            if (const QScreen* screen = mainForm_->screen()) {
                const QRect free = screen->availableGeometry();
                const layout::Rect r = layout::firstStartPlacement({layout::toTwips(free.x()), layout::toTwips(free.y()),
                                                                    layout::toTwips(free.width()),
                                                                    layout::toTwips(free.height())});
                mainForm_->setGeometry(layout::toPixels(r.left), layout::toPixels(r.top), layout::toPixels(r.width),
                                       layout::toPixels(r.height));
            }
            mainForm_->show();
            mainForm_->setWindowState(mainForm_->windowState() | Qt::WindowMaximized);
        }
        StartupTrace::mark("window shown");
    }
    return Outcome::Running;
}

QString MainModule::commandLineLink(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString a = arguments[i].trimmed();
        if (!a.isEmpty() && !a.startsWith(QLatin1Char('-'))) return a;
    }
    return QString();
}

int MainModule::run(int argc, char** argv) {
    StartupTrace::mark("main");
    // The web engine is loaded with the first web page, but what it reads from the
    // environment (sandbox, GPU) must be in place before the application. Its shared GL
    // context is made by the module loader (WebViewModule), not here: made with the
    // application it costs every start a GL driver.
    WebEngineEnvironment::apply();
    QApplication app(argc, argv);
    StartupTrace::mark("application made");
    QApplication::setApplicationName(QStringLiteral("zek"));
    // Menus and dialogs show Traditional Chinese: name a TC face rather than trusting
    // the fallback, which picks a Japanese or brush face under LANG=C.UTF-8.
    QFont uiFont = QApplication::font();
    uiFont.setFamilies({QStringLiteral("Noto Sans CJK TC"), QStringLiteral("AR PL UMing TW"), uiFont.family()});
    QApplication::setFont(uiFont);

    // SIGTERM, SIGINT and SIGHUP close the window as its close box does, then leave every event
    // loop (a modal dialog may be open). Until the main window exists they end the program
    // at once (nothing to save yet, and reading a huge settings file runs no loop); a
    // signal that comes while the window loads is handled as soon as the loop runs.
    MainModule module;
    module.context().noStartPageArgument = QCoreApplication::arguments().contains(QStringLiteral("--no-start-page"));
    TerminationSignals termination;
    TerminationSignals::setEndAtOnce(true);  // until start-up reaches the main window
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&module] {
        if (MainForm* form = module.mainForm()) form->close();
        QCoreApplication::exit(0);
    });

    // "zek LINK": a copy already running for this settings folder opens it; else we do.
    const QString link = commandLineLink(QCoreApplication::arguments());
    if (!link.isEmpty() && InstanceChannel::sendToRunning(deployment::configDir(), link)) return 0;

    const Outcome outcome = module.start();
    if (outcome == Outcome::SecondInstance) return 0;
    if (outcome == Outcome::Quit) return 1;
    MainForm* form = module.mainForm();
    if (form == nullptr || form->isUnloaded()) return 0;
    auto* channel = new InstanceChannel(form);
    channel->listen(deployment::configDir());
    QObject::connect(channel, &InstanceChannel::textReceived, form, [form](const QString& text) {
        form->openLink(text);
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
        form->raise();
        form->activateWindow();
    });
    if (!link.isEmpty()) QTimer::singleShot(0, form, [form, link] { form->openLink(link); });
    return app.exec();
}
