// Classification on any screen: the row texts it reads agree with the Big5 row decoder the
// rest of the program uses, and classifying never fails, whatever the screen holds.
#include "FuzzCheck.h"
#include "PttTestSupport.h"
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ptttest::Rig rig;  // the shipped page keys, read once
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
