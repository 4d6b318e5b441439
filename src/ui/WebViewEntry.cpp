// The web view module's one entry point, looked up by WebViewModule.
#include "ui/ZekWebView.h"

extern "C" Q_DECL_EXPORT WebPane* zek_create_web_pane(QWidget* parent) { return new ZekWebView(parent); }
