#include "ui/FrmCheckNewVersion.h"

#include "app/AppContext.h"
#include "web/VersionCheck.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

FrmCheckNewVersion::FrmCheckNewVersion(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("FrmCheckNewVersion"));
    setWindowTitle(text(QStringLiteral("Title_of_Checking_New_Version")));
    setMinimumWidth(420);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Picture1 = new QLabel(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_ArrowDown).pixmap(32, 32));
    LabelInfo = new QLabel(Frame1);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setWordWrap(true);
    LabelReceived = new QLabel(Frame1);
    LabelReceived->setObjectName(QStringLiteral("LabelReceived"));
    Progress = new QProgressBar(Frame1);
    Progress->setObjectName(QStringLiteral("Progress"));
    LblDownload = new QLabel(Frame1);
    LblDownload->setObjectName(QStringLiteral("LblDownload"));
    LblDownload->setCursor(Qt::PointingHandCursor);
    LblDownload->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(text(QStringLiteral("Download_Page")).toHtmlEscaped()));
    // Zek never runs a downloaded file itself: the desktop decides what opens it.
    LblInstallNote = new QLabel(text(QStringLiteral("Install_Opens_With_Desktop")), Frame1);
    LblInstallNote->setObjectName(QStringLiteral("LblInstallNote"));
    LblInstallNote->setWordWrap(true);

    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->addWidget(Picture1, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(LabelInfo);
    texts->addWidget(Progress);
    texts->addWidget(LabelReceived);
    texts->addWidget(LblInstallNote);
    texts->addWidget(LblDownload);
    frameLayout->addLayout(texts, 1);

    CmdYes = new QPushButton(this);
    CmdYes->setObjectName(QStringLiteral("CmdYes"));
    CmdCancel = new QPushButton(text(QStringLiteral("Cancel")), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdClose = new QPushButton(this);
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdYes);
    buttons->addWidget(CmdCancel);
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    connect(LblDownload, &QLabel::linkActivated, this, &FrmCheckNewVersion::DownloadPageRequested);
    connect(CmdYes, &QPushButton::clicked, this, [this] {
        if (check_) check_->yes();
    });
    connect(CmdClose, &QPushButton::clicked, this, [this] {
        if (check_) check_->close();
        else hide();
    });
    connect(CmdCancel, &QPushButton::clicked, this, [this] {
        if (check_) check_->cancelDownload();
    });
}

QString FrmCheckNewVersion::text(const QString& key) const { return context_.texts.text(key); }

void FrmCheckNewVersion::attach(VersionCheck* check) {
    if (check_) check_->disconnect(this);
    check_ = check;
    if (!check_) return;
    connect(check_, &VersionCheck::StateShown, this, &FrmCheckNewVersion::showState);
    connect(check_, &VersionCheck::HideRequested, this, &QWidget::hide);
    connect(check_, &VersionCheck::ReceivedChanged, this, &FrmCheckNewVersion::NewDataReceived);
}

void FrmCheckNewVersion::showState(int32_t state) {
    setWindowTitle(text(QStringLiteral("Title_of_Checking_New_Version")));
    LabelReceived->hide();
    LblDownload->hide();
    Progress->hide();
    CmdCancel->hide();
    LblInstallNote->hide();
    CmdYes->hide();
    CmdYes->setEnabled(true);
    const QString info = check_ ? check_->infoKey() : QString();
    if (!info.isEmpty()) LabelInfo->setText(text(info));
    switch (state) {
        case VersionCheck::Idle: hide(); return;
        case VersionCheck::Checking: CmdClose->setText(text(QStringLiteral("Hide"))); break;
        case VersionCheck::NoNewVersion:
        case VersionCheck::ServerError: CmdClose->setText(text(QStringLiteral("Finish"))); break;
        case VersionCheck::NewVersionFound:
            CmdClose->setText(text(QStringLiteral("Finish")));
            // Downloading is offered here; the page stays for those who prefer a browser.
            CmdYes->setText(text(QStringLiteral("Download_Now")));
            CmdYes->show();
            LblDownload->show();
            break;
        case VersionCheck::Downloading:
            CmdClose->setText(text(QStringLiteral("Hide")));
            LabelReceived->clear();
            LabelReceived->show();
            Progress->setRange(0, 0);
            Progress->show();
            CmdCancel->show();
            break;
        case VersionCheck::InstallerReady:
            CmdClose->setText(text(QStringLiteral("Install_Later")));
            CmdYes->setText(text(QStringLiteral("Install_Now")));
            CmdYes->show();
            // A download cut short leaves no installer: the button then has nothing to do.
            CmdYes->setEnabled(check_ == nullptr || check_->IsDownloaded());
            LblInstallNote->show();
            break;
        default: break;
    }
    // The texts wrap: the box takes the height its width needs, so no line is cut off.
    layout()->activate();
    const int w = qMax(width(), minimumWidth());
    resize(w, qMax(heightForWidth(w), minimumSizeHint().height()));
    show();
    raise();
    activateWindow();
}

void FrmCheckNewVersion::NewDataReceived(qint64 total) {
    if (total > 0) LabelReceived->setText(QString::number(total) + QLatin1Char(' ') + text(QStringLiteral("bytes")));
    else LabelReceived->clear();
    const qint64 expected = check_ ? check_->expectedSize() : -1;
    if (expected > 0) {
        // QProgressBar counts in int: show per mille.
        Progress->setRange(0, 1000);
        Progress->setValue(int(std::min<qint64>(1000, total * 1000 / expected)));
    }
}
