#include "app/IniFile.h"

#include "screen/Big5.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <string_view>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmedBlanks(const char* begin, const char* end) {
    while (begin < end && isBlank(*begin)) ++begin;
    while (end > begin && isBlank(end[-1])) --end;
    return QByteArray(begin, end - begin);
}

bool isAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Text of bytes from the file: UTF-8 when it is, else Big5 when every pair decodes (files
// saved by older Chinese editors), else Latin-1, which takes every byte. `foreign` tells
// whether the bytes were not UTF-8.
QString decodeText(const QByteArray& bytes, bool* foreign = nullptr) {
    if (foreign != nullptr) *foreign = false;
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    if (foreign != nullptr) *foreign = true;
    const std::string big5 = big5::toUtf8(std::string_view(bytes.constData(), size_t(bytes.size())));
    // U+FFFD in UTF-8: a pair that did not decode (the bytes themselves are not UTF-8,
    // so the file cannot have held one).
    if (big5.find("\xEF\xBF\xBD") == std::string::npos) return QString::fromStdString(big5);
    return QString::fromLatin1(bytes);
}

bool isQuoted(const QString& value) {
    return value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"');
}

bool isBlankChar(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Quotes exactly the values that would not read back as they are: blanks at either end
// (the reader drops blanks after "="), values that are themselves quoted, and a "]" at
// the end of a key that starts with "[" (the line would read as a heading).
// A line break inside a value would split the line, so it is written as a blank.
QString valueText(const QString& key, QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool blankEnd = !value.isEmpty() && (isBlankChar(value.front()) || isBlankChar(value.back()));
    const bool heading = key.startsWith(QLatin1Char('[')) && value.endsWith(QLatin1Char(']'));
    if (blankEnd || heading || isQuoted(value)) return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

// The file a path names, following symbolic links (relative ones from the link's
// folder); the path itself when it is not a link. A loop of links gives up.
QString resolvedTarget(const QString& path) {
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink()) return current;
        const QString target = info.symLinkTarget();  // absolute, resolved against the link's folder
        if (target.isEmpty()) return current;
        current = target;
    }
    return path;
}

}  // namespace

bool IniFile::load() {
    clear();
    foreignBytes_.clear();
    keepAside_ = false;
    keptAside_.clear();
    loadResult_ = LoadResult::Missing;
    if (path_.isEmpty()) return false;
    const QFileInfo info(path_);
    if (!info.exists()) {
        // A dangling link is as good as missing: saving creates the file it points at.
        return false;
    }
    auto refuse = [this](LoadResult why) {
        loadResult_ = why;
        keepAside_ = true;
        keptAside_ = nextAsideName(resolvedTarget(path_));
        return false;
    };
    // Checked before opening: a FIFO or a device would block or never end.
    if (!info.isFile()) return refuse(LoadResult::Unreadable);
    if (info.size() > kMaxFileSize) return refuse(LoadResult::TooLarge);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return refuse(LoadResult::Unreadable);
    // The size may have changed since it was asked; never read more than the limit.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) return refuse(LoadResult::TooLarge);
    if (parse(bytes) == LoadResult::NotIni) {
        clear();
        return refuse(LoadResult::NotIni);
    }
    loadResult_ = LoadResult::Loaded;
    return true;
}

IniFile::LoadResult IniFile::parse(const QByteArray& input) {
    clear();
    const char* p = input.constData();
    const char* const end = p + input.size();
    if (input.startsWith("\xEF\xBB\xBF")) p += 3;
    Section* current = nullptr;
    qsizetype understood = 0, notUnderstood = 0;
    while (p < end) {
        // One line, ended by LF, CRLF or a lone CR (old Mac editors).
        const char* eol = p;
        while (eol < end && *eol != '\n' && *eol != '\r') ++eol;
        const char* lineBegin = p;
        p = eol;
        if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;

        while (lineBegin < eol && isBlank(*lineBegin)) ++lineBegin;
        const char* lineEnd = eol;
        while (lineEnd > lineBegin && isBlank(lineEnd[-1])) --lineEnd;
        if (lineBegin == lineEnd || *lineBegin == ';' || *lineBegin == '#') continue;
        if (*lineBegin == '[' && lineEnd[-1] == ']' && lineEnd - lineBegin >= 2) {
            const QString name = decodeText(trimmedBlanks(lineBegin + 1, lineEnd - 1));
            prepareSection(name);
            current = findSection(name);
            ++understood;
            continue;
        }
        const char* eq = lineBegin;
        while (eq < lineEnd && *eq != '=') ++eq;
        // Lines without "=" and lines before the first heading carry nothing we can use.
        if (eq == lineEnd || current == nullptr) {
            ++notUnderstood;
            continue;
        }
        ++understood;
        const QString key = decodeText(trimmedBlanks(lineBegin, eq));
        // Blanks right after "=" are not part of the value (hand-written "key = value");
        // trailing blanks are. A quoted value is the text between the quotes, and blanks
        // after the closing quote (an editor's leftovers) do not count.
        const char* valueBegin = eq + 1;
        while (valueBegin < eol && isBlank(*valueBegin)) ++valueBegin;
        QByteArray raw(valueBegin, eol - valueBegin);
        if (lineEnd - valueBegin >= 2 && *valueBegin == '"' && lineEnd[-1] == '"')
            raw = QByteArray(valueBegin + 1, lineEnd - valueBegin - 2);
        entry(*current, key).value = decodeValue(raw);  // a repeated key: the last one wins
    }
    return understood == 0 && notUnderstood > 0 ? LoadResult::NotIni : LoadResult::Loaded;
}

QString IniFile::decodeValue(const QByteArray& bytes) {
    bool foreign = false;
    QString text = decodeText(bytes, &foreign);
    if (foreign) foreignBytes_.insert(text, bytes);
    return text;
}

QByteArray IniFile::serializeBytes() const {
    QByteArray out;
    for (const Section& section : sections_) {
        out += '[' + section.name.toUtf8() + "]\n";
        for (const Entry& e : section.entries) {
            out += e.key.toUtf8();
            out += '=';
            const auto foreign = foreignBytes_.constFind(e.value);
            if (foreign != foreignBytes_.constEnd()) {
                // Read as it was (quoted again when it has to be: the quotes are ASCII).
                const QString quoted = valueText(e.key, e.value);
                out += quoted.size() != e.value.size() ? '"' + *foreign + '"' : *foreign;
            } else {
                out += valueText(e.key, e.value).toUtf8();
            }
            out += '\n';
        }
    }
    return out;
}

QString IniFile::serialize() const {
    QString out;
    for (const Section& section : sections_) {
        out += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry& e : section.entries) out += e.key + QLatin1Char('=') + valueText(e.key, e.value) + QLatin1Char('\n');
    }
    return out;
}

QString IniFile::nextAsideName(const QString& target) const {
    // Never replace an earlier kept file: App.ini.bad, then App.ini.bad.2, .3 ...
    QString name = target + QStringLiteral(".bad");
    for (int n = 2; QFileInfo::exists(name) && n < 1000; ++n) name = target + QStringLiteral(".bad.") + QString::number(n);
    return name;
}

bool IniFile::save(bool ownerOnly) {
    if (path_.isEmpty()) return false;
    // Replace the file a link points at, not the link: users keep App.ini in a dotfiles
    // folder and link it here.
    const QString target = resolvedTarget(path_);
    if (keepAside_) {
        // What could not be read is the user's; it is kept beside the new file, never lost.
        keptAside_ = nextAsideName(target);
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
            if (!QFile::rename(target, keptAside_)) return false;
        }
        keepAside_ = false;
    }
    // QSaveFile writes a temporary file beside the target and renames it over the old
    // one on commit, so a crash leaves either the old file or the new one.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (ownerOnly) file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = serializeBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    if (ownerOnly) QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString IniFile::getValue(const QString& section, const QString& key, const QString& defaultText) const {
    const Section* found = findSection(section);
    if (found == nullptr) return defaultText;
    const auto at = found->index.constFind(key);
    return at == found->index.constEnd() ? defaultText : found->entries[*at].value;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    prepareSection(section);
    entry(*findSection(section), key).value = value;
}

QStringList IniFile::sections() const {
    QStringList names;
    for (const Section& section : sections_) names << section.name;
    return names;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList names;
    if (const Section* found = findSection(section))
        for (const Entry& e : found->entries) names << e.key;
    return names;
}

void IniFile::clear() {
    sections_.clear();
    sectionIndex_.clear();
}

void IniFile::prepareSection(const QString& section) {
    if (sectionIndex_.contains(section)) return;
    sectionIndex_.insert(section, sections_.size());
    sections_.push_back({section, {}, {}});
}

void IniFile::prepareKey(const QString& section, const QString& key) {
    prepareSection(section);
    entry(*findSection(section), key);
}

IniFile::Entry& IniFile::entry(Section& section, const QString& key) {
    const auto at = section.index.constFind(key);
    if (at != section.index.constEnd()) return section.entries[*at];
    section.index.insert(key, section.entries.size());
    section.entries.push_back({key, QString()});
    return section.entries.back();
}

IniFile::Section* IniFile::findSection(const QString& name) {
    const auto at = sectionIndex_.constFind(name);
    return at == sectionIndex_.constEnd() ? nullptr : &sections_[*at];
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    const auto at = sectionIndex_.constFind(name);
    return at == sectionIndex_.constEnd() ? nullptr : &sections_[*at];
}
