// The user guide is long enough to live apart from the other pages.
#include "WebPages.h"

std::string WebPages::userGuide(const std::string& root) const {
    return frame(root, "使用說明 User guide",
        "<h1>Zek 使用說明</h1>"
        "<p>Zek 是 Linux 上看 PTT 的桌面程式。以下說明在寫作中會持續補充。</p>"
        "<h2 id=\"en\">Zek user guide</h2>"
        "<p>Zek is a desktop client for PTT on Linux.</p>");
}
