#include "ui/AboutDialog.h"

#include "app/Deployment.h"
#include "app/LanguageTexts.h"
#include "ui/AppIcon.h"
#include "ui/MainMenus.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(const LanguageTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(texts.text(QStringLiteral("Menu_About")).remove(QLatin1Char('&')));

    auto* picture = new QLabel(this);
    picture->setPixmap(app_icon::icon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    const QString site = deployment::webRoot();
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextFormat(Qt::RichText);
    text->setOpenExternalLinks(false);
    text->setWordWrap(true);
    text->setText(QStringLiteral("<h2>Zek</h2><p>%1</p><p>%2</p><p>%3</p>")
                      .arg(MainMenus::versionCaption().toHtmlEscaped(),
                           texts.text(QStringLiteral("About_Text")).toHtmlEscaped(), site.toHtmlEscaped()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(texts.text(QStringLiteral("OK")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    resize(420, 200);
}
