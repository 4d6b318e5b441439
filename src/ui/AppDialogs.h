#pragma once
#include <QPointer>

struct AppContext;
class QWidget;
class frmLogin;
class frmQuickBBS;
class frmZEKLink;
class frmAutoLogin;
class FrmCheckNewVersion;

// The dialogs start-up creates after the main window (not shown) and shutdown releases.
// The dialogs are children of the main window; the pointers here go null if the window
// takes them down first.
class AppDialogs {
public:
    AppDialogs(AppContext& context, QWidget* owner);
    ~AppDialogs();
    AppDialogs(const AppDialogs&) = delete;
    AppDialogs& operator=(const AppDialogs&) = delete;

    frmLogin* login() const;
    frmQuickBBS* quickBBS() const;
    frmZEKLink* zekLink() const;
    frmAutoLogin* autoLogin() const;
    // The version dialog exists only once it was first needed.
    FrmCheckNewVersion* versionDialog() const;
    FrmCheckNewVersion* ensureVersionDialog();

    // Shutdown order: login, quick connect, auto-login, link sharing, then the version
    // dialog (hidden first); every pointer is null afterwards.
    void release();

private:
    AppContext& context_;
    QWidget* owner_;
    QPointer<frmLogin> login_;
    QPointer<frmQuickBBS> quickBBS_;
    QPointer<frmZEKLink> zekLink_;
    QPointer<frmAutoLogin> autoLogin_;
    QPointer<FrmCheckNewVersion> versionDialog_;
};
