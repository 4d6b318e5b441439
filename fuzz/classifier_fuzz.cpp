// Classification on any screen: the row texts it reads agree with the Big5 row decoder the
// rest of the program uses, and classifying never fails, whatever the screen holds.
#include "FuzzCheck.h"
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

namespace {

struct QuietUi : UserInteraction {
    void message(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    void openUrl(const QString&) override {}
};

struct NoWindow : ZekUrlHost {
    QString txt;
    int getAvailablePTTLink() override { return 0; }
    void OpenBBS(const QString&) override {}
    void OpenBBS2(const QString&, int) override {}
    void AutoPTT(ZEKAddressRef) override {}
    void setTxtZEKURL(const QString& text) override { txt = text; }
    QString TxtZEKURL() const override { return txt; }
    bool hasMainWindow() const override { return true; }
};

// The shipped page keys, read once.
struct Rig {
    IniFile languages;
    LanguageTexts texts{&languages};
    QuietUi ui;
    PageKeyTable keys;
    PttTextComponent ptt;
    ZEKAddressPoolCls pool;
    Settings settings;
    NoWindow host;
    ZEKURLModule module{keys, ptt, pool, settings, texts, ui, host};
    Rig() {
        languages.setPath(QString::fromUtf8(ZEK_LANGUAGES_INI));
        languages.load();
        keys.load(languages, texts, ui);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Rig rig;
    ScreenModel screen;
    ZEKAddressCls record;
    // Up to three screens in a row for one record, cut where the input says: what one
    // classification learns is what the next one starts from.
    const size_t cuts[] = {size / 3, 2 * size / 3, size};
    size_t at = 0;
    for (const size_t cut : cuts) {
        screen.feed(data + at, cut - at);
        at = cut;
        for (int row = -1; row <= ScreenModel::kRows; ++row) {
            const QString text = ZEKURLModule::RowText(screen, row);
            if (row < 0 || row >= ScreenModel::kRows) {
                FUZZ_CHECK(text.isEmpty());
                continue;
            }
            FUZZ_CHECK(text == QString::fromStdString(big5::rowToUtf8(screen, row)));
        }
        rig.module.Classify(record, screen);
        FUZZ_CHECK(record.Position() >= 0 && record.Position() <= 8);
        FUZZ_CHECK(record.LongURL() == rig.host.txt);
    }
    return 0;
}
