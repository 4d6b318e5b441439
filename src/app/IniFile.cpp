#include "app/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isQuoted(const QString& value) {
    return value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"');
}

// Quotes exactly the values that would not read back as they are.
// A line break inside a value would split the line, so it is written as a blank.
QString valueText(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool trailingBlank =
        !value.isEmpty() && (value.back() == QLatin1Char(' ') || value.back() == QLatin1Char('\t'));
    if (trailingBlank || isQuoted(value)) return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

}  // namespace

bool IniFile::load() {
    sections_.clear();
    QFile file(path_);
    if (path_.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    parse(QString::fromUtf8(bytes));
    return true;
}

void IniFile::parse(const QString& text) {
    sections_.clear();
    Section* current = nullptr;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            prepareSection(name);
            current = findSection(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // Lines without "=" and lines before the first heading carry nothing we can use.
        if (eq < 0 || current == nullptr) continue;
        const QString key = line.left(eq).trimmed();
        // The blanks right after "=" are not part of the value (hand-written "key = value"
        // files); trailing blanks are. A value wrapped in double quotes is the text between
        // them, which is how a text that ends in a blank is written plainly.
        QString value = line.mid(eq + 1);
        while (!value.isEmpty() && (value.front() == QLatin1Char(' ') || value.front() == QLatin1Char('\t')))
            value.remove(0, 1);
        if (isQuoted(value)) value = value.mid(1, value.size() - 2);
        bool found = false;
        for (Entry& entry : current->entries) {
            if (entry.key == key) {  // a repeated key: the last one wins
                entry.value = value;
                found = true;
                break;
            }
        }
        if (!found) current->entries.push_back({key, value});
    }
}

QString IniFile::serialize() const {
    QString out;
    for (const Section& section : sections_) {
        out += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry& entry : section.entries) out += entry.key + QLatin1Char('=') + valueText(entry.value) + QLatin1Char('\n');
    }
    return out;
}

bool IniFile::save(bool ownerOnly) const {
    if (path_.isEmpty()) return false;
    // QSaveFile writes a temporary file beside the target and renames it over the old
    // one on commit, so a crash leaves either the old file or the new one.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (ownerOnly) file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = serialize().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    if (ownerOnly) QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString IniFile::getValue(const QString& section, const QString& key, const QString& defaultText) const {
    const Section* found = findSection(section);
    if (found == nullptr) return defaultText;
    for (const Entry& entry : found->entries)
        if (entry.key == key) return entry.value;
    return defaultText;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    prepareKey(section, key);
    for (Entry& entry : findSection(section)->entries) {
        if (entry.key == key) {
            entry.value = value;
            return;
        }
    }
}

void IniFile::clear() { sections_.clear(); }

void IniFile::prepareSection(const QString& section) {
    if (findSection(section) == nullptr) sections_.push_back({section, {}});
}

void IniFile::prepareKey(const QString& section, const QString& key) {
    prepareSection(section);
    Section* found = findSection(section);
    for (const Entry& entry : found->entries)
        if (entry.key == key) return;
    found->entries.push_back({key, QString()});
}

IniFile::Section* IniFile::findSection(const QString& name) {
    for (Section& section : sections_)
        if (section.name == name) return &section;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    for (const Section& section : sections_)
        if (section.name == name) return &section;
    return nullptr;
}
