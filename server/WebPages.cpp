#include "WebPages.h"

#include <ctime>

namespace {

std::string date(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

std::string describe(const StoredLink& link) {
    if (!link.title.empty()) return link.title;
    if (!link.aid.empty()) return link.board + " #" + link.aid;
    if (!link.board.empty()) return link.board;
    return link.bbs;
}

}  // namespace

WebPages::WebPages(const ServerConfig& config)
    : pttHost_(config.pttHost.toStdString()), installer_(config.installer.toStdString()) {}

std::string WebPages::escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string WebPages::handOffText(const StoredLink& link) { return "pas:" + link.path; }

const std::string& WebPages::styleSheet() {
    static const std::string css = R"CSS(
:root { --ink: #1d2330; --muted: #5b6475; --line: #d9dee7; --accent: #0b5cad; --paper: #ffffff; --band: #f3f5f9; }
* { box-sizing: border-box; }
body { margin: 0; font: 16px/1.6 "Noto Sans CJK TC", "Noto Sans TC", "Microsoft JhengHei", sans-serif;
       color: var(--ink); background: var(--band); }
header { background: #17324f; color: #fff; }
header .wrap { display: flex; align-items: center; gap: 1.5em; flex-wrap: wrap; padding: .7em 1em; }
header a { color: #dbe8f6; text-decoration: none; }
header a:hover { color: #fff; text-decoration: underline; }
header .brand { font-weight: 700; font-size: 1.25em; color: #fff; letter-spacing: .04em; }
.wrap { max-width: 56em; margin: 0 auto; padding: 1em; }
main .wrap { background: var(--paper); border: 1px solid var(--line); border-radius: 6px; margin-top: 1.2em; padding: 1.2em 1.6em; }
h1 { font-size: 1.6em; margin: .2em 0 .6em; }
h2 { font-size: 1.2em; margin: 1.6em 0 .5em; border-bottom: 1px solid var(--line); padding-bottom: .2em; }
h3 { font-size: 1.05em; margin: 1.2em 0 .3em; }
a { color: var(--accent); }
p.lead { font-size: 1.1em; color: var(--muted); }
.en { color: var(--muted); }
form.search { display: flex; gap: .5em; margin: 1em 0; }
form.search input { flex: 1; font: inherit; padding: .45em .6em; border: 1px solid var(--line); border-radius: 4px; }
button, .button { font: inherit; padding: .5em 1.1em; border: 0; border-radius: 4px; background: var(--accent);
                  color: #fff; cursor: pointer; text-decoration: none; display: inline-block; }
button:hover, .button:hover { background: #084a8c; }
ul.links { list-style: none; padding: 0; margin: 0; }
ul.links li { padding: .45em 0; border-bottom: 1px solid var(--line); display: flex; gap: 1em; justify-content: space-between; }
ul.links .meta { color: var(--muted); font-size: .9em; white-space: nowrap; }
dl.card { display: grid; grid-template-columns: max-content 1fr; gap: .35em 1.2em; margin: 1em 0 1.5em; }
dl.card dt { color: var(--muted); }
dl.card dd { margin: 0; font-weight: 600; overflow-wrap: anywhere; }
code, .url { font-family: "Noto Sans Mono CJK TC", monospace; font-size: .92em; background: var(--band);
             padding: .1em .35em; border-radius: 3px; overflow-wrap: anywhere; }
.status { min-height: 1.6em; color: #17693a; font-weight: 600; }
.status.fail { color: #a32020; }
table { border-collapse: collapse; width: 100%; margin: .6em 0; }
th, td { text-align: left; border-bottom: 1px solid var(--line); padding: .35em .5em; vertical-align: top; }
footer { color: var(--muted); font-size: .9em; text-align: center; padding: 1.5em 1em 2em; }
footer a { color: var(--muted); }
)CSS";
    return css;
}

std::string WebPages::frame(const std::string& root, const std::string& title, const std::string& body) const {
    const std::string r = escape(root);
    return "<!DOCTYPE html>\n<html lang=\"zh-Hant\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" + escape(title) + " - Zek</title>"
           "<link rel=\"stylesheet\" href=\"" + r + "style.css\"></head><body>"
           "<header><div class=\"wrap\"><a class=\"brand\" href=\"" + r + "home.html\">Zek</a>"
           "<a href=\"" + r + "home.html\">首頁 Home</a>"
           "<a href=\"" + r + "search.php\">搜尋 Search</a>"
           "<a href=\"" + r + "userguide.html\">使用說明 Guide</a>"
           "<a href=\"" + r + "bbs-download.html\">下載 Download</a></div></header>"
           "<main><div class=\"wrap\">" + body + "</div></main>"
           "<footer><a href=\"" + r + "terms.html\">使用條款 Terms</a> · "
           "<a href=\"" + r + "troubleticket.html\">問題回報 Report a problem</a></footer>"
           "</body></html>\n";
}

std::string WebPages::linkList(const std::string& root, const std::vector<StoredLink>& links) const {
    if (links.empty()) return "<p class=\"en\">還沒有分享過的連結。 No shared links yet.</p>";
    std::string html = "<ul class=\"links\">";
    for (const StoredLink& link : links) {
        std::string where = link.bbs;
        if (!link.board.empty()) where += " / " + link.board;
        html += "<li><a href=\"" + escape(root + link.path) + "\">" + escape(describe(link)) + "</a>"
                "<span class=\"meta\">" + escape(where) + (link.author.empty() ? "" : " · " + escape(link.author)) +
                " · " + date(link.created) + "</span></li>";
    }
    return html + "</ul>";
}

std::string WebPages::home(const std::string& root, const std::vector<StoredLink>& recent) const {
    const std::string r = escape(root);
    return frame(root, "首頁 Home",
        "<h1>Zek：看 PTT 的桌面程式</h1>"
        "<p class=\"lead\">Zek 是 Linux 上的 BBS 用戶端，為 PTT 而做。它把 BBS 連線與網頁並排在分頁裡，"
        "以 80 × 24 的畫面顯示 ANSI 彩色與 Big5 中文，並把你正在看的看板或文章變成一個 Zek 連結："
        "任何人都能在瀏覽器打開它，Zek 自己打開時會登入 PTT 並直接走到同一篇文章。</p>"
        "<p class=\"en\">Zek is a desktop client for text-mode bulletin boards, made for PTT. It shows BBS "
        "sessions and web pages side by side in tabs and turns what you are reading into a Zek link: anyone "
        "can open it in a browser, and Zek opens it by logging on and walking PTT to the same article.</p>"
        "<p><a class=\"button\" href=\"telnet://" + escape(pttHost_) + "\">連上 PTT　Connect to PTT</a></p>"
        "<h2>搜尋分享過的看板與文章 Search shared boards and articles</h2>"
        "<form class=\"search\" action=\"" + r + "search.php\" method=\"get\">"
        "<input name=\"q\" maxlength=\"200\" placeholder=\"看板、標題、作者或文章代碼 board, title, author or article id\">"
        "<button type=\"submit\">搜尋 Search</button></form>"
        "<h2>最近分享的連結 Recently shared</h2>" + linkList(root, recent) +
        "<h2>開始使用 Getting started</h2>"
        "<p>第一次使用？請看<a href=\"" + r + "userguide.html\">使用說明</a>；還沒有 Zek？到"
        "<a href=\"" + r + "bbs-download.html\">下載頁</a>。 <span class=\"en\">New here? Read the "
        "<a href=\"" + r + "userguide.html#en\">user guide</a> or <a href=\"" + r + "bbs-download.html\">get Zek</a>.</span></p>");
}

std::string WebPages::search(const std::string& root, const std::string& query,
                             const std::vector<StoredLink>& found) const {
    const std::string r = escape(root);
    std::string heading = query.empty() ? "最近分享的連結 Recently shared"
                                        : "「" + escape(query) + "」的結果 Results for “" + escape(query) + "”";
    return frame(root, "搜尋 Search",
        "<h1>搜尋 Search</h1>"
        "<p class=\"en\">這裡搜尋的是經由 Zek 分享過的看板與文章（看板名稱、標題、作者、文章代碼），不是 PTT 的全部內容。 "
        "This searches the boards and articles that were shared through Zek links (board, title, author, "
        "article id), not the whole of PTT.</p>"
        "<form class=\"search\" action=\"" + r + "search.php\" method=\"get\">"
        "<input name=\"q\" maxlength=\"200\" value=\"" + escape(query) + "\" autofocus>"
        "<button type=\"submit\">搜尋 Search</button></form>"
        "<h2>" + heading + "</h2>" +
        (found.empty() && !query.empty() ? std::string("<p>沒有找到。 Nothing found.</p>") : linkList(root, found)));
}

std::string WebPages::landing(const std::string& root, const StoredLink& link) const {
    const std::string longUrl = root + link.path;
    std::string card = "<dl class=\"card\"><dt>BBS</dt><dd>" + escape(link.bbs) + "</dd>";
    if (!link.board.empty()) card += "<dt>看板 Board</dt><dd>" + escape(link.board) + "</dd>";
    if (!link.aid.empty()) card += "<dt>文章代碼 Article</dt><dd>#" + escape(link.aid) + "</dd>";
    if (!link.title.empty()) card += "<dt>標題 Title</dt><dd>" + escape(link.title) + "</dd>";
    if (!link.author.empty()) card += "<dt>作者 Author</dt><dd>" + escape(link.author) + "</dd>";
    card += "<dt>連結 Link</dt><dd><span class=\"url\">" + escape(longUrl) + "</span></dd>";
    if (!link.code.empty()) {
        card += "<dt>短網址 Short</dt><dd><span class=\"url\">" + escape(root + "?x=cmd=pas:" + link.code) + "</span></dd>";
    }
    card += "</dl>";
    const std::string what = !link.aid.empty()     ? "用 Zek 開啟這篇文章 <span class=\"en\">Open this article in Zek</span>"
                             : !link.board.empty() ? "用 Zek 開啟這個看板 <span class=\"en\">Open this board in Zek</span>"
                                                   : "用 Zek 連上這個 BBS <span class=\"en\">Open this BBS in Zek</span>";
    return frame(root, link.title.empty() ? "Zek 連結 Zek link" : link.title,
        "<h1>" + what + "</h1>" + card +
        "<p><button id=\"open\" type=\"button\" data-handoff=\"" + escape(handOffText(link)) + "\">在 Zek 開啟　Open in Zek</button></p>"
        "<p id=\"status\" class=\"status\" role=\"status\"></p>"
        "<p>按下按鈕後，執行中的 Zek 會在一秒內接手這個連結：登入 " + escape(link.bbs) + "，進入看板並跳到文章。"
        "按鈕只是把連結交給剪貼簿，Zek 讀到後會清掉它。 <span class=\"en\">With Zek running, the button hands "
        "the link over through the clipboard; within a second Zek logs on, enters the board and jumps to the "
        "article, then clears the clipboard.</span></p>"
        "<p>只想連上這個 BBS？<a href=\"telnet://" + escape(link.bbs) + "\">在 Zek 開啟 telnet://" + escape(link.bbs) + "</a>"
        "（Zek 是 telnet 連結的處理程式時）。 <span class=\"en\">Just the BBS: the telnet link opens it in Zek "
        "when Zek handles telnet links.</span></p>"
        "<p>還沒有 Zek？<a href=\"" + escape(root) + "bbs-download.html\">下載 Get Zek</a></p>"
        "<script>\n"
        "(function () {\n"
        "  var button = document.getElementById('open'), status = document.getElementById('status');\n"
        "  function report(ok) {\n"
        "    status.className = ok ? 'status' : 'status fail';\n"
        "    status.textContent = ok ? '已交給 Zek，請切換到 Zek 視窗。 Handed to Zek: switch to its window.'\n"
        "                            : '無法寫入剪貼簿，請複製上面的連結貼到 Zek 的網址列。 The clipboard is not available: copy the link above into Zek\\u2019s address bar.';\n"
        "  }\n"
        "  function fallback(text) {\n"
        "    var area = document.createElement('textarea');\n"
        "    area.value = text; area.setAttribute('readonly', '');\n"
        "    area.style.position = 'fixed'; area.style.opacity = '0';\n"
        "    document.body.appendChild(area); area.select();\n"
        "    var ok = false; try { ok = document.execCommand('copy'); } catch (e) {}\n"
        "    document.body.removeChild(area); report(ok);\n"
        "  }\n"
        "  button.addEventListener('click', function () {\n"
        "    var text = button.getAttribute('data-handoff');\n"
        "    if (navigator.clipboard && window.isSecureContext) {\n"
        "      navigator.clipboard.writeText(text).then(function () { report(true); }, function () { fallback(text); });\n"
        "    } else { fallback(text); }\n"
        "  });\n"
        "})();\n"
        "</script>");
}

std::string WebPages::terms(const std::string& root) const {
    return frame(root, "使用條款 Terms",
        "<h1>使用條款 Terms of use</h1>"
        "<h2>中文</h2>"
        "<ol><li>Zek 免費提供，不附任何保證；使用 Zek 連上的 BBS 各有其站規，請遵守。</li>"
        "<li>短網址服務只保存連結本身：BBS 主機、看板、文章代碼，以及分享時附上的標題與作者。"
        "不保存帳號、密碼或文章內容。</li>"
        "<li>伺服器為每個請求記錄一行：時間、來源位址、請求路徑與結果，用來處理問題與防止濫用。</li>"
        "<li>同一來源在短時間內送出過多請求時會被暫時拒絕（HTTP 429）。</li>"
        "<li>已建立的短網址不會被改指到其他地方。</li></ol>"
        "<h2 id=\"en\">English</h2>"
        "<ol><li>Zek is free and comes without warranty; every BBS you reach with it has its own rules, which apply.</li>"
        "<li>The short-link service keeps the link only: BBS host, board, article id, and the title and author "
        "when the sharer's client sent them. It never keeps accounts, passwords or article text.</li>"
        "<li>The server logs one line per request (time, client address, path, result) to handle faults and abuse.</li>"
        "<li>A client sending too many requests in a short time is refused for a moment (HTTP 429).</li>"
        "<li>A short link, once made, never points anywhere else.</li></ol>");
}

std::string WebPages::troubleTicket(const std::string& root) const {
    const std::string r = escape(root);
    return frame(root, "問題回報 Report a problem",
        "<h1>問題回報 Report a problem</h1>"
        "<p>回報前請先看<a href=\"" + r + "userguide.html\">使用說明</a>的「常見問題」。回報時請附上：</p>"
        "<ul><li>Zek 的版本（說明選單）與 Linux 發行版；</li>"
        "<li>你做了什麼、預期看到什麼、實際看到什麼；</li>"
        "<li>有關的 Zek 連結（不要附上帳號或密碼）；</li>"
        "<li>以 <code>ZEK_MESSAGES=stderr</code> 執行 Zek 時終端機上的訊息。</li></ul>"
        "<h2 id=\"en\">English</h2>"
        "<p>Before reporting, see the FAQ in the <a href=\"" + r + "userguide.html#en\">user guide</a>. Please include:</p>"
        "<ul><li>Zek's version (Help menu) and your Linux distribution;</li>"
        "<li>what you did, what you expected and what happened;</li>"
        "<li>the Zek link involved (never your account or password);</li>"
        "<li>the messages Zek prints when started with <code>ZEK_MESSAGES=stderr</code>.</li></ul>"
        "<p>回報請交給這台伺服器的管理者；本機執行的伺服器（<code>./zek.sh run</code> 自動啟動的）就是你自己。"
        " <span class=\"en\">Send reports to whoever runs this server; for the one <code>./zek.sh run</code> "
        "starts on your own machine, that is you.</span></p>");
}

std::string WebPages::download(const std::string& root, const std::vector<std::string>& files) const {
    std::string list;
    for (const std::string& f : files) {
        list += "<li><a href=\"" + escape(root + "download/" + f) + "\">" + escape(f) + "</a>" +
                (f == installer_ ? " （最新版 latest）" : "") + "</li>";
    }
    if (list.empty()) list = "<li>這台伺服器目前沒有提供安裝檔。 This server offers no installer at the moment.</li>";
    return frame(root, "下載 Download",
        "<h1>下載 Zek　Get Zek</h1>"
        "<h2>安裝檔 Installers</h2><ul>" + list + "</ul>"
        "<h2>從原始碼建置 Build from source (Debian 12)</h2>"
        "<p>在原始碼資料夾執行下面的指令，會安裝缺少的套件、建置並啟動 Zek：</p>"
        "<p class=\"en\">In the source folder, this installs the missing packages, builds and starts Zek:</p>"
        "<p><code>./zek.sh run</code></p>"
        "<p>沒有顯示器的機器請用 <code>xvfb-run -a ./zek.sh run</code>；執行測試：<code>./zek.sh test</code>。 "
        "<span class=\"en\">Without a display use <code>xvfb-run -a ./zek.sh run</code>; run the tests with "
        "<code>./zek.sh test</code>.</span></p>");
}

std::string WebPages::notFound(const std::string& root, const std::string& what) const {
    return frame(root, "404 Not Found",
        "<h1>404 Not Found</h1><p>" + escape(what) + "</p>"
        "<p><a href=\"" + escape(root) + "home.html\">回首頁 Back to the start page</a></p>");
}
