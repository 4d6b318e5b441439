#pragma once
#include <QDialog>

struct AppContext;

// Stand-in until the real dialog arrives: created and released at the right moments of
// start-up and shutdown, shows nothing of its own yet.
class frmAutoLogin : public QDialog {
public:
    explicit frmAutoLogin(AppContext& context, QWidget* parent = nullptr) : QDialog(parent), context_(context) {
        setObjectName(QStringLiteral("frmAutoLogin"));
    }
    // Prepares the dialog before it is shown.
    void initialize() {}

protected:
    AppContext& context_;
};
