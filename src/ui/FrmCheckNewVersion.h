#pragma once
// The version check's window: shows the state VersionCheck reports and forwards its
// buttons to it. Not modal; created on first use and kept.
#include <QDialog>

#include <cstdint>

struct AppContext;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class VersionCheck;

class FrmCheckNewVersion : public QDialog {
    Q_OBJECT
public:
    explicit FrmCheckNewVersion(AppContext& context, QWidget* parent = nullptr);

    void initialize() {}
    // Follows check from now on (the main window's version check).
    void attach(VersionCheck* check);

    // Sets the controls for state and shows the dialog (state 1 hides it).
    void showState(int32_t state);
    // The byte counter under the message: "N bytes".
    void NewDataReceived(qint64 total);

    QLabel* LabelInfo;
    QPushButton* CmdYes;
    QPushButton* CmdClose;
    QPushButton* CmdCancel;
    QLabel* LabelReceived;
    QProgressBar* Progress;
    QLabel* LblDownload;
    QLabel* LblInstallNote;
    QFrame* Frame1;
    QLabel* Picture1;

signals:
    // The download page link was clicked.
    void DownloadPageRequested();

private:
    QString text(const QString& key) const;

    AppContext& context_;
    VersionCheck* check_ = nullptr;
};
