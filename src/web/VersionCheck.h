#pragma once
// The version check and the installer download behind FrmCheckNewVersion: the state
// of the dialog, what the service's answer means, the update folder, and the download
// written piece by piece to NAME.tmp and renamed to NAME once complete. The dialog
// only shows what StateShown says and forwards its buttons here.
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class HttpResponse;
class WebServices;

class VersionCheck : public QObject {
    Q_OBJECT
public:
    enum State : int32_t {
        Idle = 1,             // dialog hidden
        Checking = 2,         // request sent
        NoNewVersion = 3,
        NewVersionFound = 4,  // installer not in the update folder yet
        Downloading = 5,
        InstallerReady = 6,
        ServerError = 7,
    };

    // state is the process-wide version-check state; closing is the window's closing
    // flag (nothing is shown once it is set).
    VersionCheck(int32_t& state, const bool& closing, WebServices& services, QObject* parent = nullptr);
    ~VersionCheck() override;

    int32_t state() const { return state_; }
    // Language key of the message for the state shown last.
    QString infoKey() const { return infoKey_; }
    const QString& downloadUrl() const { return downloadUrl_; }
    qint64 Received() const { return received_; }
    void setReceived(qint64 bytes);
    // Expected size of the download in bytes, or -1 when the server did not say.
    qint64 expectedSize() const { return expectedSize_; }

    // The folder the installer is downloaded to (created on first use).
    QString updateFolder() const { return updateFolder_; }
    void setUpdateFolder(const QString& folder) { updateFolder_ = folder; }
    QString installerPath() const;  // "" while the download URL names no usable file
    QString tempPath() const;

    // The help menu's command: from idle, shows "checking" and asks the server; in any
    // other state shows the dialog again as it was.
    void checkForNewVersion();
    void showState(int32_t state);
    // The dialog's buttons.
    void yes();
    void close();
    void cancelDownload();

    // The installer named by the download URL lies in the update folder.
    bool IsDownloaded();
    void killTempDownloadFile();

signals:
    // Show the dialog in this state (state 1: hide it).
    void StateShown(int32_t state);
    // Hide the dialog; the state stays.
    void HideRequested();
    void ReceivedChanged(qint64 bytes);
    // Open the downloaded installer with the desktop's handler; the program then ends.
    void InstallRequested(const QString& path);

private:
    void onVersionAnswered(const QString& text);
    void onDownloadStarted(HttpResponse* response);
    void drain();
    void endDownload(bool complete);
    void dropResponse();

    int32_t& state_;
    const bool& closing_;
    WebServices& services_;
    QString infoKey_;
    QString downloadUrl_;
    QString installerFileName_;
    QString updateFolder_;
    qint64 received_ = 0;
    qint64 expectedSize_ = -1;
    QPointer<HttpResponse> response_;
    std::unique_ptr<QFile> file_;
    bool sawFirstChunk_ = false;
    bool fromDownload_ = false;
};
