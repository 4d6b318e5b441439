// pttclassify [--chunk N] [--bbs HOST] [--languages FILE] FILE...
//
// Replays the files in order through one screen (cut into chunks of N bytes when
// asked), and after each file classifies the screen into one session record that is
// carried from file to file, the way a session's record lives through a PTT visit.
// Prints one JSON object per file and line, keys always in this order:
//   {"file":"...","Position":N,"AlreadyLogon":b,"AutoDelay":b,"AutoReply":b,
//    "CanUseZEKURL":b,"BoardName":"...","ArticleAuthor":"...","ArticleTitle":"...",
//    "ArticleTime":"...","ArticleAID":"...","LongURL":"...","ErrorInfo":"..."}
// The record's BBS is "ptt.cc" unless --bbs names another host; the page keys come from
// languages.ini beside the executable unless --languages names a file. URLs use the
// default long prefix (ZEK_WEB_ROOT changes it).
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "app/StderrUserInteraction.h"
#include "app/Deployment.h"
#include "ptt/PageKeyTable.h"
#include "ptt/PttTextComponent.h"
#include "ptt/ZEKAddressPoolCls.h"
#include "ptt/ZEKURLModule.h"
#include "ptt/ZekUrlHost.h"
#include "screen/ScreenModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <string>

namespace {

// Stands in for the main window: holds the address text box only.
class ToolHost : public ZekUrlHost {
public:
    int getAvailablePTTLink() override { return 0; }
    void OpenBBS(const QString&) override {}
    void OpenBBS2(const QString&, int) override {}
    void AutoPTT(ZEKAddressRef) override {}
    void setTxtZEKURL(const QString& text) override { text_ = text; }
    QString TxtZEKURL() const override { return text_; }
    bool hasMainWindow() const override { return true; }

private:
    QString text_;
};

QString json(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == QLatin1Char('"')) out += QStringLiteral("\\\"");
        else if (c == QLatin1Char('\\')) out += QStringLiteral("\\\\");
        else if (c.unicode() < 32 || c.unicode() == 127) out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else out += c;
    }
    return out + QLatin1Char('"');
}

QString json(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

QString report(const QString& file, const ZEKAddressCls& r) {
    QStringList fields;
    fields << QStringLiteral("\"file\":") + json(file)
           << QStringLiteral("\"Position\":") + QString::number(r.Position())
           << QStringLiteral("\"AlreadyLogon\":") + json(r.AlreadyLogon())
           << QStringLiteral("\"AutoDelay\":") + json(r.AutoDelay())
           << QStringLiteral("\"AutoReply\":") + json(r.AutoReply())
           << QStringLiteral("\"CanUseZEKURL\":") + json(r.CanUseZEKURL())
           << QStringLiteral("\"BoardName\":") + json(r.BoardName())
           << QStringLiteral("\"ArticleAuthor\":") + json(r.ArticleAuthor())
           << QStringLiteral("\"ArticleTitle\":") + json(r.ArticleTitle())
           << QStringLiteral("\"ArticleTime\":") + json(r.ArticleTime())
           << QStringLiteral("\"ArticleAID\":") + json(r.ArticleAID())
           << QStringLiteral("\"LongURL\":") + json(r.LongURL())
           << QStringLiteral("\"ErrorInfo\":") + json(r.ErrorInfo());
    return QLatin1Char('{') + fields.join(QLatin1Char(',')) + QLatin1Char('}');
}

int usage(int code) {
    std::fprintf(stderr, "usage: pttclassify [--chunk N] [--bbs HOST] [--languages FILE] FILE...\n");
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int chunk = 0;
    QString bbs = QStringLiteral("ptt.cc");
    QString languagesPath = deployment::languagesFile();
    QStringList files;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--chunk") || a == QLatin1String("--bbs") || a == QLatin1String("--languages")) {
            if (i + 1 >= args.size()) return usage(2);
            const QString value = args[++i];
            if (a == QLatin1String("--chunk")) {
                bool ok = false;
                chunk = value.toInt(&ok);
                if (!ok || chunk <= 0) return usage(2);
            } else if (a == QLatin1String("--bbs")) {
                bbs = value;
            } else {
                languagesPath = value;
            }
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            return usage(0);
        } else {
            files << a;
        }
    }
    if (files.isEmpty()) return usage(2);
    // Every file is checked before any output, so a typo never yields half a report.
    for (const QString& f : files) {
        if (!QFileInfo(f).isReadable()) {
            std::fprintf(stderr, "pttclassify: cannot read %s\n", qPrintable(f));
            return 1;
        }
    }

    IniFile languages;
    languages.setPath(languagesPath);
    if (!languages.load()) {
        std::fprintf(stderr, "pttclassify: cannot read the page keys from %s\n", qPrintable(languagesPath));
        return 1;
    }
    LanguageTexts texts(&languages);
    StderrUserInteraction ui;
    PageKeyTable keys;
    if (!keys.load(languages, texts, ui)) return 1;

    Settings settings;
    PttTextComponent ptt;
    ZEKAddressPoolCls pool;
    ToolHost host;
    ZEKURLModule module(keys, ptt, pool, settings, texts, ui, host);

    ZEKAddressCls record;
    record.setBBS(bbs);
    ScreenModel screen;
    for (const QString& f : files) {
        QFile in(f);
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "pttclassify: cannot read %s\n", qPrintable(f));
            return 1;
        }
        const QByteArray bytes = in.readAll();
        const qsizetype step = chunk > 0 ? chunk : std::max<qsizetype>(bytes.size(), 1);
        for (qsizetype at = 0; at < bytes.size(); at += step) {
            screen.feed(reinterpret_cast<const uint8_t*>(bytes.constData()) + at,
                        static_cast<size_t>(std::min(step, bytes.size() - at)));
        }
        module.Classify(record, screen);
        const QByteArray line = report(f, record).toUtf8() + '\n';
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    }
    return 0;
}
