#pragma once
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "ptt/PageKeyTable.h"
#include "ptt/PttTextComponent.h"
#include "ptt/ZEKAddressPoolCls.h"
#include "ptt/ZEKURLModule.h"
#include "ptt/ZekUrlHost.h"
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include <QStringList>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Shared by the PTT tests: the shipped languages.ini, a recording user interaction and
// a main window double.
namespace ptttest {

// The language file that ships with the program (the page keys under test).
inline IniFile shippedLanguages() {
    IniFile ini;
    ini.setPath(QString::fromUtf8(ZEK_LANGUAGES_INI));
    ini.load();
    return ini;
}

struct RecordingUi : UserInteraction {
    QStringList messages, titles, opened;
    void message(const QString& text, const QString& title) override {
        messages << text;
        titles << title;
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    void openUrl(const QString& url) override { opened << url; }
};

// Records every call the module makes on the main window.
struct FakeHost : ZekUrlHost {
    int availablePTTLink = 0;
    bool window = true;
    bool resolvesShort = false;
    QStringList calls;  // "OpenBBS host", "OpenBBS2 host port", "AutoPTT", "resolve url"
    std::vector<ZEKAddressRef> autoRecords;
    QString txt;

    int getAvailablePTTLink() override { return availablePTTLink; }
    void OpenBBS(const QString& host) override { calls << QStringLiteral("OpenBBS ") + host; }
    void OpenBBS2(const QString& host, int port) override {
        calls << QStringLiteral("OpenBBS2 %1 %2").arg(host).arg(port);
    }
    void AutoPTT(ZEKAddressRef record) override {
        calls << QStringLiteral("AutoPTT");
        autoRecords.push_back(record);
    }
    void setTxtZEKURL(const QString& text) override { txt = text; }
    QString TxtZEKURL() const override { return txt; }
    bool hasMainWindow() const override { return window; }
    bool resolveShortURL(const QString& url) override {
        calls << QStringLiteral("resolve ") + url;
        return resolvesShort;
    }
};

// Everything a ZEKURLModule needs, wired up with the shipped page keys.
struct Rig {
    IniFile languages = shippedLanguages();
    LanguageTexts texts{&languages};
    RecordingUi ui;
    PageKeyTable keys;
    bool keysLoaded = keys.load(languages, texts, ui);
    PttTextComponent ptt;
    ZEKAddressPoolCls pool;
    Settings settings;
    FakeHost host;
    ZEKURLModule module{keys, ptt, pool, settings, texts, ui, host};

    Rig() {
        settings.prefix_of_zek_long_url = QStringLiteral("http://zek.tw/");
        settings.prefix_of_zek_short_url = QStringLiteral("http://zek.tw/?x=");
    }
};

// Feeds bytes in pieces of at most chunk bytes (0: all at once).
inline void feed(ScreenModel& screen, const std::string& bytes, size_t chunk = 0) {
    if (chunk == 0) chunk = std::max<size_t>(bytes.size(), 1);
    for (size_t at = 0; at < bytes.size(); at += chunk) screen.feed(bytes.substr(at, chunk));
}

// A screen drawn from plain text rows (UTF-8 here, Big5 on the screen).
// Row i of the list goes to screen row i; the screen is cleared first.
inline void drawRows(ScreenModel& screen, const std::vector<std::string>& rows) {
    std::string bytes = "\x1b[H\x1b[2J";
    for (size_t i = 0; i < rows.size() && i < 24; ++i)
        bytes += "\x1b[" + std::to_string(i + 1) + ";1H" + big5::fromUtf8(rows[i]);
    screen.feed(bytes);
}

}  // namespace ptttest
