#pragma once
// Quick connect: any host and port, checked, then opened as a new session. The host box
// offers the last few hosts opened this way.
#include "ui/RecentHosts.h"

#include <QDialog>

#include <functional>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;

class frmQuickBBS : public QDialog {
    Q_OBJECT
public:
    using Opener = std::function<void(const QString& host, int port)>;

    explicit frmQuickBBS(AppContext& context, QWidget* parent = nullptr);

    // Empty host, port "23", the recent hosts offered again.
    void initialize();
    // Trims both boxes and checks them; a refusal is said in a message box.
    bool checkValues();
    // OpenBBS2 of the main window; without one "OK" only closes the dialog.
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    // The recent hosts (tests point it at their own file).
    RecentHosts& recentHosts() { return recent_; }

    // The toolbar's buttons by key: "OK" or "Cancel".
    void buttonClicked(const QString& key);

    QLabel* LblHost;
    QComboBox* txtHost;
    QLabel* LblPort;
    QLineEdit* txtPort;
    QToolBar* TB;

private:
    AppContext& context_;
    Opener opener_;
    RecentHosts recent_;
};
