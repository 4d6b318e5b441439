#pragma once
#include "RecordingUi.h"
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "ptt/PageKeyTable.h"
#include "ptt/PttTextComponent.h"
#include "ptt/ZEKAddressPoolCls.h"
#include "ptt/ZEKURLModule.h"
#include "ptt/ZekUrlHost.h"
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include <ostream>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ptttest {

// A main window that records every call the module makes on it.
struct FakeHost : ZekUrlHost {
    int availablePTTLink = 0;
    bool window = true, resolvesShort = false;
    QStringList calls;  // "OpenBBS host", "OpenBBS2 host port", "AutoPTT bbs/board/aid", "resolve url"
    ZEKAddressRef autoRecord;
    QString txt;

    int getAvailablePTTLink() override { return availablePTTLink; }
    void OpenBBS(const QString& host) override { calls << "OpenBBS " + host; }
    void OpenBBS2(const QString& host, int port) override { calls << QStringLiteral("OpenBBS2 %1 %2").arg(host).arg(port); }
    void AutoPTT(ZEKAddressRef r) override {
        calls << "AutoPTT " + r->BBS() + "/" + r->DestinationBoardName() + "/" + r->DestinationAID();
        autoRecord = r;
    }
    void setTxtZEKURL(const QString& text) override { txt = text; }
    QString TxtZEKURL() const override { return txt; }
    bool hasMainWindow() const override { return window; }
    bool resolveShortURL(const QString& url) override { return calls << "resolve " + url, resolvesShort; }
};

// A ZEKURLModule wired to the shipped languages.ini and the doubles above.
struct Rig {
    IniFile languages = [] {
        IniFile ini;
        ini.setPath(QString::fromUtf8(ZEK_LANGUAGES_INI));
        ini.load();
        return ini;
    }();
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

}  // namespace ptttest
