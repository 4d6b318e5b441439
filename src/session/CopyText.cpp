#include "session/CopyText.h"

#include <QStringList>

namespace copy_text {

QString forClipboard(const QString& marked) {
    QString text = marked;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        qsizetype end = line.size();
        while (end > 0 && (line.at(end - 1) == QLatin1Char(' ') || line.at(end - 1) == QChar(0x3000) ||
                           line.at(end - 1) == QLatin1Char('\t')))
            --end;
        line.truncate(end);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace copy_text
