#include "ui/UnavailableWebPane.h"

#include "app/LanguageTexts.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

UnavailableWebPane::UnavailableWebPane(const QString& message, const QString& detail, QWidget* parent)
    : WebPane(parent) {
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("UnavailableMessage"));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label_->setTextFormat(Qt::RichText);
    label_->setText(QStringLiteral("<p style=\"font-size:large\">%1</p><p><small>%2</small></p>")
                        .arg(message.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                             detail.toHtmlEscaped()));
    layout->addWidget(label_);
}

QString UnavailableWebPane::message(const LanguageTexts* texts) {
    if (texts) {
        const QString text = texts->text(kMessageKey);
        if (!text.isEmpty() && text != kMessageKey) return text;
    }
    return QStringLiteral("無法載入網頁元件，這個分頁不能顯示網頁；BBS 分頁與 Zek 網址照常可用。\n"
                          "The web component could not be loaded, so this tab cannot show web pages; "
                          "BBS tabs and Zek links work as usual.");
}

void UnavailableWebPane::navigate(const QString& url) {
    // A Zek URL is still handed to the URL module through the filter.
    if (!beforeNavigate(QUrl(url), true)) return;
    url_ = url;
    QTimer::singleShot(0, this, [this] { emit NavigateComplete(false); });
}

QString UnavailableWebPane::text() const { return label_->text(); }
