#include "app/NumericText.h"

#include <cfenv>
#include <cmath>

namespace numeric_text {

std::optional<double> parse(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) ++i;
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int64_t> roundHalfEven(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // 2^62 keeps the cast below well inside int64_t.
    if (std::fabs(value) >= 4611686018427387904.0) return std::nullopt;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return static_cast<int64_t>(rounded);
}

std::optional<int64_t> roundedInteger(const QString& text) {
    const std::optional<double> value = parse(text);
    if (!value) return std::nullopt;
    return roundHalfEven(*value);
}

}  // namespace numeric_text
