#include "ui/frmZEKLink.h"

#include "app/AppContext.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// A label that acts like a link: hand pointer, click signal through linkActivated.
QLabel* clickableLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setCursor(Qt::PointingHandCursor);
    label->setTextFormat(Qt::RichText);
    return label;
}

QString asLink(const QString& text) { return QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()); }
}  // namespace

frmZEKLink::frmZEKLink(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmZEKLink"));
    setWindowTitle(text("ZEK_Link_Title"));

    LblInfo1 = new QLabel(this);
    LblInfo1->setObjectName(QStringLiteral("LblInfo1"));
    LblInfo2 = new QLabel(this);
    LblInfo2->setObjectName(QStringLiteral("LblInfo2"));
    LblInfo2->setWordWrap(true);
    TxtZEKURL = new QLineEdit(this);
    TxtZEKURL->setObjectName(QStringLiteral("TxtZEKURL"));
    TxtZEKURL->setReadOnly(true);
    TxtZEKURL->setMinimumWidth(460);
    CmdCopyLong = new QPushButton(text("ZEK_Link_Copy"), this);
    CmdCopyLong->setObjectName(QStringLiteral("CmdCopyLong"));
    LblShortURL = new QLabel(text("ZEK_Link_Short"), this);
    LblShortURL->setObjectName(QStringLiteral("LblShortURL"));
    TxtShortURL = new QLineEdit(this);
    TxtShortURL->setObjectName(QStringLiteral("TxtShortURL"));
    TxtShortURL->setReadOnly(true);
    CmdMakeShort = new QPushButton(text("ZEK_Link_Make_Short"), this);
    CmdMakeShort->setObjectName(QStringLiteral("CmdMakeShort"));
    CmdCopyShort = new QPushButton(text("ZEK_Link_Copy"), this);
    CmdCopyShort->setObjectName(QStringLiteral("CmdCopyShort"));

    // The explanation shown without a link sits where the link's explanation is.
    LblInfo3 = new QLabel(text("Note") + QStringLiteral(":\r\n\r\n") + text("ZEK_Link_Info3"), this);
    LblInfo3->setObjectName(QStringLiteral("LblInfo3"));
    LblInfo3->setWordWrap(true);
    LblIntroZEKURL = clickableLabel(this, "LblIntroZEKURL");
    LblIntroZEKURL->setText(asLink(text("ZEK_Link_Intro_ZEK_URL")));

    LblIE = clickableLabel(this, "LblIE");
    LblIE->setText(asLink(text("ZEK_Link_Publish_To_IE")));
    // Kept for their captions; there is nothing to publish to from here.
    LblFacebook = new QLabel(text("ZEK_Link_Publish_To_Facebook"), this);
    LblFacebook->setObjectName(QStringLiteral("LblFacebook"));
    LblFacebook->hide();
    LblPlurk = new QLabel(text("ZEK_Link_Publish_To_Plurk"), this);
    LblPlurk->setObjectName(QStringLiteral("LblPlurk"));
    LblPlurk->hide();

    TB = new QToolBar(this);
    TB->setObjectName(QStringLiteral("TB"));
    TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* exit = TB->addAction(text("Button_Exit"));
    exit->setObjectName(QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::hide);

    auto* grid = new QGridLayout;
    grid->addWidget(LblInfo1, 0, 0, 1, 3);
    grid->addWidget(LblInfo3, 0, 0, 1, 3);
    grid->addWidget(TxtZEKURL, 1, 0, 1, 2);
    grid->addWidget(CmdCopyLong, 1, 2);
    grid->addWidget(LblIntroZEKURL, 1, 0, 1, 3);
    grid->addWidget(LblInfo2, 2, 0, 1, 3);
    grid->addWidget(LblShortURL, 3, 0, 1, 3);
    grid->addWidget(TxtShortURL, 4, 0);
    grid->addWidget(CmdMakeShort, 4, 1);
    grid->addWidget(CmdCopyShort, 4, 2);
    grid->addWidget(LblIE, 5, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(TB, 0, Qt::AlignRight);

    auto copy = [](QLineEdit* box) {
        if (!box->text().isEmpty()) QGuiApplication::clipboard()->setText(box->text());
    };
    connect(CmdCopyLong, &QPushButton::clicked, this, [this, copy] { copy(TxtZEKURL); });
    connect(CmdCopyShort, &QPushButton::clicked, this, [this, copy] { copy(TxtShortURL); });
    connect(CmdMakeShort, &QPushButton::clicked, this, [this] {
        pendingLong_ = TxtZEKURL->text();
        TxtShortURL->clear();
        TxtShortURL->setPlaceholderText(text("ZEK_Link_Short_Pending"));
        CmdMakeShort->setEnabled(false);
        emit ShortLinkRequested(pendingLong_);
    });
    connect(LblIE, &QLabel::linkActivated, this, [this] {
        const QString link = TxtShortURL->text().isEmpty() ? TxtZEKURL->text() : TxtShortURL->text();
        if (!link.isEmpty()) emit BookmarkRequested(type_, link);
    });
    connect(LblIntroZEKURL, &QLabel::linkActivated, this, &frmZEKLink::IntroRequested);
    setForm(QString(), QString());
}

QString frmZEKLink::text(const char* key) const { return context_.texts.text(QString::fromLatin1(key)); }

bool frmZEKLink::isShortLink(const QString& link) const {
    const QString& prefix = context_.settings.prefix_of_zek_short_url;
    return !prefix.isEmpty() && link.startsWith(prefix + QStringLiteral("cmd=pas:"));
}

void frmZEKLink::setForm(const QString& type, const QString& link) {
    if (!type.isEmpty() && !pendingLong_.isEmpty() && isShortLink(link) && TxtZEKURL->text() == pendingLong_) {
        pendingLong_.clear();
        TxtShortURL->setText(link);
        updateShortRow();
        return;
    }
    type_ = type;
    pendingLong_.clear();
    QString info1 = text("ZEK_Link_Info1");
    QString info2 = text("ZEK_Link_Info2");
    const bool hasLink = !type.isEmpty();
    if (type == QLatin1String("Board") || type == QLatin1String("Article") || type == QLatin1String("BBS")) {
        const QString word = context_.texts.text(type);
        info1.replace(QStringLiteral("<XXX>"), word);
        info2.replace(QStringLiteral("<XXX>"), word);
        info2 += QStringLiteral("\r\n") + text("Or");
    }
    LblInfo1->setText(info1);
    LblInfo2->setText(info2);
    for (QWidget* w : {static_cast<QWidget*>(LblInfo1), static_cast<QWidget*>(LblInfo2),
                       static_cast<QWidget*>(TxtZEKURL), static_cast<QWidget*>(CmdCopyLong),
                       static_cast<QWidget*>(LblIE)})
        w->setVisible(hasLink);
    LblInfo3->setVisible(!hasLink);
    LblIntroZEKURL->setVisible(!hasLink);
    TxtZEKURL->setText(link);
    TxtZEKURL->setCursorPosition(0);
    TxtShortURL->clear();
    setShortRowVisible(hasLink && !isShortLink(link));
    updateShortRow();
}

void frmZEKLink::setShortRowVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(LblShortURL), static_cast<QWidget*>(TxtShortURL),
                       static_cast<QWidget*>(CmdMakeShort), static_cast<QWidget*>(CmdCopyShort)})
        w->setVisible(visible);
}

void frmZEKLink::updateShortRow() {
    const bool have = !TxtShortURL->text().isEmpty();
    CmdMakeShort->setEnabled(shortAvailable_ && !have && pendingLong_.isEmpty());
    CmdCopyShort->setEnabled(have);
    if (!have && pendingLong_.isEmpty())
        TxtShortURL->setPlaceholderText(shortAvailable_ ? QString() : text("ZEK_Link_Short_Unavailable"));
}

void frmZEKLink::shortLinkFailed() {
    if (pendingLong_.isEmpty()) return;
    pendingLong_.clear();
    TxtShortURL->setPlaceholderText(text("ZEK_Link_Short_Failed"));
    CmdMakeShort->setEnabled(shortAvailable_);
}

void frmZEKLink::setShortLinksAvailable(bool available) {
    shortAvailable_ = available;
    updateShortRow();
}

void frmZEKLink::showModal() {
    setWindowModality(Qt::WindowModal);
    show();
    raise();
    activateWindow();
}
