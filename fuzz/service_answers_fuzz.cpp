// Answers of the product web server's short-link and version services: whatever comes
// back, a short link stays under the short prefix, a long link under the long prefix's
// host, and an installer's file name cannot leave the update folder.
#include "FuzzCheck.h"
#include "ptt/PttTextComponent.h"
#include "web/ServiceAnswers.h"

#include <QUrl>

namespace {

const QString kLongPrefix = QStringLiteral("http://zek.tw/");
const QString kShortPrefix = QStringLiteral("http://zek.tw/?x=");

bool isFileNameChar(QChar c) {
    return (c.unicode() < 0x80 && c.isLetterOrNumber()) || QStringLiteral("._+-~").contains(c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString answer = QString::fromUtf8(bytes);

    if (const auto code = service_answers::parseShortCode(answer, kShortPrefix)) {
        FUZZ_CHECK(code->link.startsWith(kShortPrefix + QStringLiteral("cmd=pas:")));
        const QString rest = code->link.mid(kShortPrefix.size() + 8);
        FUZZ_CHECK(!rest.isEmpty() && rest.size() <= 128);
        for (const QChar c : rest) FUZZ_CHECK(isFileNameChar(c) && c != u'+');
    }

    if (const auto link = service_answers::parseLongPath(answer, kLongPrefix)) {
        FUZZ_CHECK(link->startsWith(kLongPrefix));
        for (const QChar c : link->mid(kLongPrefix.size())) FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() != 0x7F);
        // The answer only continues the prefix: it cannot name another server.
        const QUrl url(*link);
        FUZZ_CHECK(url.scheme() == QStringLiteral("http") && url.host() == QStringLiteral("zek.tw") && url.port() == -1);
        static const PttTextComponent ptt;
        FUZZ_CHECK(ptt.parseURL(*link).has_value());
    }

    if (const auto installer = service_answers::parseVersionAnswer(answer)) {
        const QUrl url(*installer);
        FUZZ_CHECK(url.scheme().toLower() == QStringLiteral("http") || url.scheme().toLower() == QStringLiteral("https"));
        FUZZ_CHECK(!service_answers::installerFileName(*installer).isEmpty());
    }

    const QString name = service_answers::installerFileName(answer);
    if (!name.isEmpty()) {
        FUZZ_CHECK(!name.startsWith(u'.') && name.size() <= 200);
        for (const QChar c : name) FUZZ_CHECK(isFileNameChar(c));
    }

    service_answers::isNotFoundPage(bytes);
    return 0;
}
