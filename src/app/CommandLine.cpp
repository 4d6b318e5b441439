#include "app/CommandLine.h"

#include <cstring>

#ifndef ZEK_VERSION
#define ZEK_VERSION "0.9.13"
#endif

namespace command_line {

namespace {
const char* const kHelp =
    "Usage: zek [OPTION]... [ADDRESS]\n"
    "A desktop client for PTT and other text-mode bulletin board systems.\n"
    "\n"
    "ADDRESS is a Zek URL, a telnet://, ssh:// or wss:// URL, or a host[:port]; it opens\n"
    "in the Zek already running for the same settings folder (brought to the front), or\n"
    "in a new one.\n"
    "\n"
    "  -h, --help       show this help and exit\n"
    "  -v, --version    show the version and exit\n"
    "      --no-start-page  open no start page (and load no web engine) at start\n"
    "\n"
    "Settings live in App.ini beside the program (or in ~/.config/zek/ when that folder\n"
    "is not writable); the texts of the window in languages.ini beside the program.\n"
    "ZEK_CONFIG_DIR, ZEK_PTT_HOST and ZEK_WEB_ROOT point Zek elsewhere (see the README).\n";
}  // namespace

std::optional<int> answerInfoOptions(int argc, char** argv, std::FILE* out) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0) break;
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::fputs(kHelp, out);
            return 0;
        }
        if (std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0) {
            std::fprintf(out, "zek %s\n", ZEK_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace command_line
