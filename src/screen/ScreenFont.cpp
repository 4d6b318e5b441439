#include "screen/ScreenFont.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {
const char* const kUming = "AR PL UMing TW";
const char* const kNotoMono = "Noto Sans Mono CJK TC";

bool isMingLiU(const QString& name) {
    const QString n = name.trimmed();
    return n == QStringLiteral("細明體") || n == QStringLiteral("新細明體") ||
           n.compare(QStringLiteral("MingLiU"), Qt::CaseInsensitive) == 0 ||
           n.compare(QStringLiteral("PMingLiU"), Qt::CaseInsensitive) == 0 ||
           n.compare(QStringLiteral("MingLiU_HKSCS"), Qt::CaseInsensitive) == 0;
}
}  // namespace

QStringList ScreenFont::families(const QString& name) {
    QStringList list;
    if (!name.trimmed().isEmpty() && !isMingLiU(name)) list << name.trimmed();
    list << QString::fromLatin1(kUming) << QString::fromLatin1(kNotoMono);
    return list;
}

int ScreenFont::pixelSize(float points) {
    const double px = std::nearbyint(double(points) * 96.0 / 72.0);
    // Anything silly (0, negative, NaN, huge) still gives a drawable font.
    if (!(px >= 4.0)) return 4;
    return int(std::min(px, 400.0));
}

bool ScreenFont::isAcceptedSize(float points) {
    static const float kSizes[] = {8, 9, 10, 11, 13, 14, 15, 17, 18, 20, 21, 23, 24, 26, 27};
    return std::find(std::begin(kSizes), std::end(kSizes), points) != std::end(kSizes);
}

QFont ScreenFont::make(const QString& name, float points) {
    QFont font;
    font.setFamilies(families(name));
    font.setPixelSize(pixelSize(points));
    font.setStyleStrategy(QFont::PreferDefault);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

int ScreenFont::sampleHeight(const QFont& font) {
    const int em = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    return std::max(2, em);
}

int ScreenFont::baseline(const QFont& font) {
    const QFontMetrics m(font);
    const int total = std::max(1, m.ascent() + m.descent());
    return int(std::lround(double(sampleHeight(font)) * m.ascent() / total));
}
