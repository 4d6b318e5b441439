// The INI reader on any bytes: it never fails, and what it writes reads back to the same
// thing (writing is a fixed point after the first read), whatever the line ends, quotes,
// blanks and encodings of the input.
#include "FuzzCheck.h"
#include "app/IniFile.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Start-up refuses larger files before parsing; the fuzzer need not go there.
    if (size > 1 << 16) return 0;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    IniFile first;
    first.parse(input);
    const QByteArray written = first.serializeBytes();
    IniFile second;
    FUZZ_CHECK(second.parse(written) == IniFile::LoadResult::Loaded);
    FUZZ_CHECK(second.serializeBytes() == written);
    // The same sections, keys and values, in the same order.
    FUZZ_CHECK(second.sections() == first.sections());
    for (const QString& section : first.sections()) {
        FUZZ_CHECK(second.keys(section) == first.keys(section));
        for (const QString& key : first.keys(section))
            FUZZ_CHECK(second.getValue(section, key, QStringLiteral("<none>")) == first.getValue(section, key, QString()));
    }
    return 0;
}
