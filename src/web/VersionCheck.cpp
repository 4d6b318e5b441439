#include "web/VersionCheck.h"

#include "app/Deployment.h"
#include "web/HttpResponse.h"
#include "web/ServiceAnswers.h"
#include "web/WebServices.h"

#include <QDir>
#include <QFileInfo>

VersionCheck::VersionCheck(int32_t& state, const bool& closing, WebServices& services, QObject* parent)
    : QObject(parent),
      state_(state),
      closing_(closing),
      services_(services),
      updateFolder_(QFileInfo(deployment::settingsFile()).absolutePath() + QStringLiteral("/update")) {
    connect(&services_, &WebServices::VersionAnswered, this, &VersionCheck::onVersionAnswered);
    connect(&services_, &WebServices::VersionFailed, this, [this] { showState(ServerError); });
    connect(&services_, &WebServices::DownloadStarted, this, &VersionCheck::onDownloadStarted);
    connect(&services_, &WebServices::DownloadFailed, this, [this] {
        if (state_ == Downloading) showState(ServerError);
    });
}

VersionCheck::~VersionCheck() { dropResponse(); }

void VersionCheck::setReceived(qint64 bytes) {
    received_ = bytes;
    emit ReceivedChanged(received_);
}

QString VersionCheck::installerPath() const {
    const QString name = service_answers::installerFileName(downloadUrl_);
    return name.isEmpty() ? QString() : updateFolder_ + QLatin1Char('/') + name;
}

QString VersionCheck::tempPath() const {
    const QString path = installerPath();
    return path.isEmpty() ? QString() : path + QStringLiteral(".tmp");
}

bool VersionCheck::IsDownloaded() {
    installerFileName_ = service_answers::installerFileName(downloadUrl_);
    if (installerFileName_.isEmpty()) return false;
    return QFileInfo(installerPath()).isFile();
}

void VersionCheck::killTempDownloadFile() {
    const QString path = tempPath();
    if (!path.isEmpty() && QFileInfo::exists(path)) QFile::remove(path);
}

void VersionCheck::checkForNewVersion() {
    if (closing_) return;
    if (state_ != Idle) {
        showState(state_);
        return;
    }
    showState(Checking);
    // No service configured, or the request refused at once: the server is out of reach.
    if (!services_.sendVersionRequest()) showState(ServerError);
}

void VersionCheck::showState(int32_t state) {
    if (closing_) return;
    switch (state) {
        case Checking: infoKey_ = QStringLiteral("Checking_New_Version"); break;
        case NoNewVersion: infoKey_ = QStringLiteral("No_New_Version"); break;
        case NewVersionFound:
            if (IsDownloaded()) {
                state = InstallerReady;
                infoKey_ = QStringLiteral("New_Version_Found1");
            } else {
                infoKey_ = QStringLiteral("New_Version_Found");
            }
            break;
        case Downloading: infoKey_ = QStringLiteral("Downloading_New_Version"); break;
        case InstallerReady:
            // Shown again as it was: the message keeps saying how the installer came.
            if (state_ != InstallerReady)
                infoKey_ = fromDownload_ ? QStringLiteral("New_Version_Available") : QStringLiteral("New_Version_Found1");
            break;
        case ServerError: infoKey_ = QStringLiteral("Remote_Server_Error"); break;
        default: state = Idle; infoKey_.clear(); break;
    }
    fromDownload_ = false;
    state_ = state;
    emit StateShown(state_);
}

void VersionCheck::yes() {
    if (state_ == NewVersionFound) {
        setReceived(0);
        expectedSize_ = -1;
        showState(Downloading);
        services_.DownloadNewVersion(downloadUrl_);
    } else if (state_ == InstallerReady) {
        if (IsDownloaded()) emit InstallRequested(installerPath());
    }
}

void VersionCheck::close() {
    if (state_ == NoNewVersion || state_ == NewVersionFound) showState(Idle);
    else emit HideRequested();
}

void VersionCheck::cancelDownload() {
    if (state_ != Downloading) return;
    services_.cancelDownload();
    dropResponse();
    killTempDownloadFile();
    showState(NewVersionFound);
}

void VersionCheck::onVersionAnswered(const QString& text) {
    if (const auto url = service_answers::parseVersionAnswer(text)) {
        downloadUrl_ = *url;
        killTempDownloadFile();
        showState(NewVersionFound);
    } else {
        showState(NoNewVersion);
    }
}

void VersionCheck::onDownloadStarted(HttpResponse* response) {
    dropResponse();
    if (state_ != Downloading) {
        response->deleteLater();
        return;
    }
    response_ = response;
    sawFirstChunk_ = false;
    expectedSize_ = response->expectedSize();
    emit ReceivedChanged(received_);
    connect(response, &HttpResponse::MoreData, this, &VersionCheck::drain);
    drain();
}

void VersionCheck::drain() {
    if (!response_) return;
    for (;;) {
        QByteArray chunk;
        switch (response_->nextChunk(chunk)) {
            case HttpResponse::Chunk::Pending: return;
            case HttpResponse::Chunk::Failed: endDownload(false); return;
            case HttpResponse::Chunk::End: endDownload(true); return;
            case HttpResponse::Chunk::Data: break;
        }
        if (!sawFirstChunk_) {
            sawFirstChunk_ = true;
            // Some servers answer a missing file with a page and a success status.
            if (service_answers::isNotFoundPage(chunk)) {
                dropResponse();
                showState(ServerError);
                return;
            }
            const QString path = tempPath();
            QDir().mkpath(updateFolder_);
            file_ = std::make_unique<QFile>(path);
            if (path.isEmpty() || !file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                file_.reset();
                dropResponse();
                showState(ServerError);
                return;
            }
        }
        if (file_->write(chunk) != chunk.size()) {  // disk full: the partial file stays as .tmp
            endDownload(false);
            return;
        }
        setReceived(received_ + chunk.size());
    }
}

void VersionCheck::endDownload(bool complete) {
    dropResponse();
    if (!file_) {
        // Not one byte came: nothing to install.
        showState(ServerError);
        return;
    }
    file_->close();
    file_.reset();
    // A reply can end without an error when the server drops the connection mid-body
    // (how it is reported races with the disconnect), so fewer bytes than the announced
    // length mean the download was cut short, whatever the reply said.
    if (expectedSize_ >= 0 && received_ < expectedSize_) complete = false;
    if (complete) {
        const QString target = installerPath();
        QFile::remove(target);
        if (!QFile::rename(tempPath(), target)) {
            showState(ServerError);
            return;
        }
    }
    // A download cut short keeps its .tmp (the next positive answer deletes it) and
    // still ends here; "Install now" then finds no installer and does nothing.
    fromDownload_ = true;
    showState(InstallerReady);
}

void VersionCheck::dropResponse() {
    if (!response_) return;
    HttpResponse* response = response_;
    response_ = nullptr;
    response->disconnect(this);
    response->abort();
    response->deleteLater();
}
