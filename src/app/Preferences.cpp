#include "app/Preferences.h"

bool Preferences::save() {
    if (!dirty_) return true;
    if (!file_.save()) return false;
    dirty_ = false;
    return true;
}

QString Preferences::text(const QString& key, const QString& defaultText) const {
    return file_.getValue(kSection, key, defaultText);
}

void Preferences::setText(const QString& key, const QString& value) {
    // A missing key reads as a default that can never be a stored value, so that
    // setting a key to the empty text still counts as a change.
    static const QString kAbsent = QStringLiteral("\x01");
    if (file_.getValue(kSection, key, kAbsent) == value) return;
    file_.setValue(kSection, key, value);
    dirty_ = true;
}

bool Preferences::flag(const QString& key, bool defaultValue) const {
    const QString v = text(key).trimmed();
    if (v == QLatin1String("1")) return true;
    if (v == QLatin1String("0")) return false;
    return defaultValue;
}

void Preferences::setFlag(const QString& key, bool value) {
    setText(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int Preferences::number(const QString& key, int defaultValue) const {
    bool ok = false;
    const int v = text(key).trimmed().toInt(&ok, 10);
    return ok ? v : defaultValue;
}

void Preferences::setNumber(const QString& key, int value) { setText(key, QString::number(value)); }

QByteArray Preferences::bytes(const QString& key) const {
    const QByteArray encoded = text(key).toLatin1();
    const auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? decoded.decoded : QByteArray();
}

void Preferences::setBytes(const QString& key, const QByteArray& value) {
    setText(key, QString::fromLatin1(value.toBase64()));
}
