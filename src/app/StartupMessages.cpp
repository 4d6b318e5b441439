#include "app/StartupMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace startup_messages {

bool preferChinese() { return QLocale().language() == QLocale::Chinese; }

Message languageFileUnusable(const QString& filePath, IniFile::LoadResult why, bool chinese) {
    const QFileInfo info(filePath);
    const QString name = info.fileName();
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    using R = IniFile::LoadResult;
    QString text;
    if (chinese) {
        switch (why) {
        case R::TooLarge: text = QStringLiteral("資料夾 %2 中的語言檔 %1 超過 1 MiB，沒有讀取。"); break;
        case R::NotIni: text = QStringLiteral("資料夾 %2 中的 %1 不是語言檔。"); break;
        case R::Unreadable: text = QStringLiteral("無法讀取資料夾 %2 中的語言檔 %1。"); break;
        default: text = QStringLiteral("在資料夾 %2 中找不到語言檔 %1。"); break;
        }
        text += QStringLiteral("Zek 需要這個檔案才能啟動，請重新安裝 Zek 或把檔案放回這個資料夾。");
    } else {
        switch (why) {
        case R::TooLarge: text = QStringLiteral("The language file %1 in the folder %2 is larger than 1 MiB and was not read."); break;
        case R::NotIni: text = QStringLiteral("The file %1 in the folder %2 is not a language file."); break;
        case R::Unreadable: text = QStringLiteral("The language file %1 in the folder %2 could not be read."); break;
        default: text = QStringLiteral("The language file %1 was not found in the folder %2."); break;
        }
        text += QStringLiteral(" Zek needs it to start: reinstall Zek or put the file back in that folder.");
    }
    return {text.arg(name, folder), QStringLiteral("Zek")};
}

}  // namespace startup_messages
