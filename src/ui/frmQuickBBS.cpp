#include "ui/frmQuickBBS.h"

#include "app/AppContext.h"
#include "ui/QuickConnectInput.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

frmQuickBBS::frmQuickBBS(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmQuickBBS"));
    setWindowTitle(context_.texts.text(QStringLiteral("Quick_Connect_Title")));

    LblHost = new QLabel(context_.texts.text(QStringLiteral("Quick_Connect_Host")), this);
    LblHost->setObjectName(QStringLiteral("LblHost"));
    txtHost = new QComboBox(this);
    txtHost->setObjectName(QStringLiteral("txtHost"));
    txtHost->setEditable(true);
    txtHost->setInsertPolicy(QComboBox::NoInsert);
    txtHost->setMinimumWidth(260);
    LblPort = new QLabel(context_.texts.text(QStringLiteral("Quick_Connect_Port")), this);
    LblPort->setObjectName(QStringLiteral("LblPort"));
    txtPort = new QLineEdit(this);
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setMaximumWidth(100);

    TB = new QToolBar(this);
    TB->setObjectName(QStringLiteral("TB"));
    TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* key : {"OK", "Cancel"}) {
        QAction* action = TB->addAction(context_.texts.text(QString::fromLatin1(key)));
        action->setObjectName(QString::fromLatin1(key));
        connect(action, &QAction::triggered, this, [this, key] { buttonClicked(QString::fromLatin1(key)); });
    }

    auto* form = new QFormLayout;
    form->addRow(LblHost, txtHost);
    form->addRow(LblPort, txtPort);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(TB, 0, Qt::AlignRight);

    // Picking a recent host fills both boxes.
    connect(txtHost, &QComboBox::activated, this, [this](int index) {
        const auto& items = recent_.items();
        if (index < 0 || index >= int(items.size())) return;
        txtHost->setEditText(items[index].host);
        txtPort->setText(QString::number(items[index].port));
    });
    initialize();
}

void frmQuickBBS::initialize() {
    recent_.load();
    txtHost->clear();
    for (const RecentHosts::Item& item : recent_.items()) txtHost->addItem(RecentHosts::caption(item));
    txtHost->setEditText(QString());
    txtPort->setText(QStringLiteral("23"));
}

bool frmQuickBBS::checkValues() {
    const QuickConnectInput input = QuickConnectInput::check(txtHost->currentText(), txtPort->text());
    txtHost->setEditText(input.host);
    txtPort->setText(input.portText);
    if (!input.accepted()) {
        if (context_.ui) context_.ui->message(context_.texts.text(input.errorKey), context_.texts.messageTitle());
        return false;
    }
    return true;
}

void frmQuickBBS::buttonClicked(const QString& key) {
    if (key == QLatin1String("OK")) {
        if (!checkValues()) return;
        const QString host = txtHost->currentText();
        const int port = txtPort->text().toInt();
        recent_.add(host, port);
        recent_.save();
        hide();
        if (opener_) opener_(host, port);
    }
    hide();
}
