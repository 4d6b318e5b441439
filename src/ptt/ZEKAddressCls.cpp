#include "ZEKAddressCls.h"

void ZEKAddressCls::setBBSPort(int port) {
    BBSPort_ = (port >= 0 && port <= 65535) ? port : 0;
}

void ZEKAddressCls::setBBSPort(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    setBBSPort(ok ? port : 0);
}

void ZEKAddressCls::setBBSPort(const QVariant& value) {
    // Numbers and numeric text alike; anything else (a list, an invalid variant) is 0.
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
        setBBSPort(value.toString());
        return;
    }
    bool ok = false;
    const qlonglong port = value.toLongLong(&ok);
    setBBSPort(ok && port >= 0 && port <= 65535 ? static_cast<int>(port) : 0);
}

void ZEKAddressCls::resetAutoPTT() {
    AutoPTT_ = false;
    DestinationBoardName_.clear();
}

void ZEKAddressCls::OutOfArticle() {
    ArticleAuthor_.clear();
    ArticleTitle_.clear();
    ArticleTime_.clear();
    ArticleAID_.clear();
}
