#include "ui/AppDialogs.h"

#include "ui/FrmCheckNewVersion.h"
#include "ui/frmAutoLogin.h"
#include "ui/frmLogin.h"
#include "ui/frmQuickBBS.h"
#include "ui/frmZEKLink.h"

namespace {
template <typename Dialog>
void unload(QPointer<Dialog>& dialog) {
    delete dialog.data();
    dialog = nullptr;
}
}  // namespace

AppDialogs::AppDialogs(AppContext& context, QWidget* owner)
    : context_(context),
      owner_(owner),
      login_(new frmLogin(context, owner)),
      quickBBS_(new frmQuickBBS(context, owner)),
      zekLink_(new frmZEKLink(context, owner)),
      autoLogin_(new frmAutoLogin(context, owner)) {}

AppDialogs::~AppDialogs() { release(); }

frmLogin* AppDialogs::login() const { return login_; }
frmQuickBBS* AppDialogs::quickBBS() const { return quickBBS_; }
frmZEKLink* AppDialogs::zekLink() const { return zekLink_; }
frmAutoLogin* AppDialogs::autoLogin() const { return autoLogin_; }
FrmCheckNewVersion* AppDialogs::versionDialog() const { return versionDialog_; }

FrmCheckNewVersion* AppDialogs::ensureVersionDialog() {
    if (versionDialog_.isNull()) versionDialog_ = new FrmCheckNewVersion(context_, owner_);
    return versionDialog_;
}

void AppDialogs::release() {
    unload(login_);
    unload(quickBBS_);
    unload(autoLogin_);
    unload(zekLink_);
    if (!versionDialog_.isNull()) versionDialog_->hide();
    unload(versionDialog_);
}
