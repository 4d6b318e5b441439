// Start-up costs of the application frame: parsing languages.ini, looking up texts,
// reading and writing the settings.
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>

namespace {

QString shippedLanguages() {
    QFile file(QStringLiteral(ZEK_LANGUAGES_INI));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void BM_ParseLanguagesIni(benchmark::State& state) {
    const QString text = shippedLanguages();
    for (auto _ : state) {
        IniFile ini;
        ini.parse(text);
        benchmark::DoNotOptimize(ini);
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_ParseLanguagesIni);

// What applying the main window's captions costs: one lookup per caption.
void BM_TextLookup(benchmark::State& state) {
    IniFile ini;
    ini.parse(shippedLanguages());
    const LanguageTexts texts(&ini);
    const QStringList keys = {QStringLiteral("App_Title"), QStringLiteral("Menu_Exit"),
                              QStringLiteral("Menu_Search_Count_Of_Forwarded_Articles"),
                              QStringLiteral("Checking_New_Version"), QStringLiteral("No_Such_Key")};
    for (auto _ : state)
        for (const QString& key : keys) benchmark::DoNotOptimize(texts.text(key));
    state.SetItemsProcessed(state.iterations() * keys.size());
}
BENCHMARK(BM_TextLookup);

void BM_SettingsReadWrite(benchmark::State& state) {
    Settings settings;
    settings.ptt_account = QString::fromUtf8("中文帳號");
    settings.ptt_password = QStringLiteral("a long enough password");
    IniFile file;
    settings.write(file);
    const QString text = file.serialize();
    for (auto _ : state) {
        IniFile in;
        in.parse(text);
        Settings s;
        s.read(in);
        IniFile out;
        s.write(out);
        benchmark::DoNotOptimize(out.serialize());
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_SettingsReadWrite);

// A hostile or runaway settings file: n keys in one section. Start-up reads such a file
// before anything is shown, so the parse must stay linear.
void BM_ParseManyKeys(benchmark::State& state) {
    QByteArray text = "[SysConfig]\n";
    for (int64_t i = 0; i < state.range(0); ++i) text += "key_" + QByteArray::number(i) + "=value\n";
    for (auto _ : state) {
        IniFile ini;
        ini.parse(QString::fromUtf8(text));
        benchmark::DoNotOptimize(ini);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseManyKeys)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
