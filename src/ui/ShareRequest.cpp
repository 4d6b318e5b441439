#include "ui/ShareRequest.h"

#include "ptt/ZEKAddressCls.h"

ShareRequest ShareRequest::decide(bool isSession, int position, const QString& addressText) {
    ShareRequest r;
    if (!isSession) return r;
    r.action = Action::ShowDialog;
    if (position == ZEKAddressCls::PosArticle) {
        // An article link without its identifier would open the board, not the article.
        if (!addressText.contains(QLatin1String("ArticleAID"))) {
            r.action = Action::AskForArticleId;
            return r;
        }
        r.type = QStringLiteral("Article");
        r.link = addressText;
        return r;
    }
    if (addressText.isEmpty()) return r;
    r.type = (position == ZEKAddressCls::PosArticleList || position == ZEKAddressCls::PosResultList)
                 ? QStringLiteral("Board")
                 : QStringLiteral("BBS");
    r.link = addressText;
    return r;
}
