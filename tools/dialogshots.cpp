// dialogshots FOLDER [TW|EN]: draws the logon, link, quick-connect and version dialogs in their
// states with the shipped texts and saves each in FOLDER as dialog-NAME-tw.png or -en.png. Nothing is sent
// anywhere: the version check is put into each state directly.
#include "app/AppContext.h"
#include "app/StderrUserInteraction.h"
#include "ui/FrmCheckNewVersion.h"
#include "ui/frmAutoLogin.h"
#include "ui/frmLogin.h"
#include "ui/frmQuickBBS.h"
#include "ui/frmZEKLink.h"
#include "web/VersionCheck.h"
#include "web/WebServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {
class NoHost : public WebServicesHost {
    void showShortLink(const QString&, const QString&) override {}
    void openZEKURL(const QString&) override {}
};

void save(QWidget* w, const QString& folder, const QString& name) {
    w->show();
    w->adjustSize();
    // adjustSize takes the width's height from the hint alone; wrapped labels need more.
    if (w->heightForWidth(w->width()) > w->height()) w->resize(w->width(), w->heightForWidth(w->width()));
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    w->grab().save(folder + QStringLiteral("/dialog-") + name + QStringLiteral(".png"));
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: dialogshots FOLDER [TW|EN]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir home;
    qputenv("ZEK_CONFIG_DIR", home.path().toUtf8());
    app.setFont(QFont(QStringLiteral("Noto Sans CJK TC"), 10));

    AppContext context;
    StderrUserInteraction ui;
    context.ui = &ui;
    context.languageFile.setPath(QCoreApplication::applicationDirPath() + QStringLiteral("/languages.ini"));
    context.languageFile.load();
    context.texts.setMode(argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("TW"));
    const QString root = QStringLiteral("http://zek.tw/");
    context.settings.prefix_of_zek_long_url = root;
    context.settings.prefix_of_zek_short_url = root + QStringLiteral("?x=");
    context.settings.url_for_long_url = root + QStringLiteral("shorten");

    const QString suffix = QLatin1Char('-') + context.texts.mode().toLower();
    // The logon dialogs as a Zek URL's walk and the Options menu show them.
    context.settings.ptt_account = QStringLiteral("tester");
    frmLogin login(context);
    login.initialize();
    save(&login, folder, QStringLiteral("login") + suffix);
    login.hide();
    context.settings.switch_of_auto_login = 1;
    context.settings.ptt_password = QStringLiteral("secret");
    frmAutoLogin autoLogin(context);
    autoLogin.initialize();
    save(&autoLogin, folder, QStringLiteral("auto-login") + suffix);
    autoLogin.hide();

    frmZEKLink link(context);
    link.setShortLinksAvailable(true);
    link.setForm(QString(), QString());
    save(&link, folder, QStringLiteral("link-none") + suffix);
    const QString article = root + QStringLiteral("?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
    link.setForm(QStringLiteral("Article"), article);
    save(&link, folder, QStringLiteral("link-article-long") + suffix);
    link.CmdMakeShort->click();
    link.setForm(QStringLiteral("Article"), root + QStringLiteral("?x=cmd=pas:a_D9PWdqc1"));
    save(&link, folder, QStringLiteral("link-article-short") + suffix);
    link.setForm(QStringLiteral("Board"), root + QStringLiteral("?cmd=pas:BBS=ptt.cc&Board=Test"));
    save(&link, folder, QStringLiteral("link-board") + suffix);
    link.hide();

    frmQuickBBS quick(context);
    quick.recentHosts().add(QStringLiteral("bbs.example.org"), 23);
    quick.recentHosts().add(QStringLiteral("ptt.cc"), 23);
    quick.txtHost->addItems({QStringLiteral("ptt.cc"), QStringLiteral("bbs.example.org")});
    quick.txtHost->setEditText(QStringLiteral("bbs.example.org"));
    save(&quick, folder, QStringLiteral("quick-connect") + suffix);
    quick.hide();

    NoHost host;
    WebServices services(context.settings, host);
    VersionCheck check(context.versionCheckState, context.closing, services);
    check.setUpdateFolder(home.path() + QStringLiteral("/update"));
    FrmCheckNewVersion version(context);
    version.attach(&check);
    const struct { int32_t state; const char* name; } states[] = {
        {VersionCheck::Checking, "version-2-checking"},     {VersionCheck::NoNewVersion, "version-3-none"},
        {VersionCheck::NewVersionFound, "version-4-found"}, {VersionCheck::Downloading, "version-5-downloading"},
        {VersionCheck::InstallerReady, "version-6-ready"},  {VersionCheck::ServerError, "version-7-error"},
    };
    for (const auto& s : states) {
        check.showState(s.state);
        if (s.state == VersionCheck::Downloading) version.NewDataReceived(1843200);
        save(&version, folder, QString::fromLatin1(s.name) + suffix);
    }
    return 0;
}
