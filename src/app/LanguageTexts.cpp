#include "app/LanguageTexts.h"

#include "app/IniFile.h"

QString LanguageTexts::text(const QString& key) const {
    if (file_ == nullptr) return key;
    return file_->getValue(QStringLiteral("Language Setting"), mode_ + QLatin1Char('/') + key, key);
}

QString LanguageTexts::messageTitle() const {
    return text(QStringLiteral("App_Title")) + text(QStringLiteral("Note"));
}
