#include "ZEKAddressPoolCls.h"

#include <algorithm>

ZEKAddressPoolCls::Records::const_iterator ZEKAddressPoolCls::find(const QString& key) const {
    return std::find_if(records_.begin(), records_.end(),
                        [&key](const ZEKAddressRef& r) { return r->Key() == key; });
}

ZEKAddressRef ZEKAddressPoolCls::Add(const QString& key, const QString& screen, int position,
                                     int errorCode, const QString& shortURL, const QString& longURL,
                                     const QString& articleAuthor, const QString& boardName,
                                     const QString& BBS, const QString& articleTitle) {
    if (key.isEmpty()) return nullptr;
    if (auto it = find(key); it != records_.end()) return *it;
    auto record = std::make_shared<ZEKAddressCls>();
    record->setKey(key);
    record->setScreen(screen);
    record->setPosition(position);
    record->setErrorCode(errorCode);
    record->setShortURL(shortURL);
    record->setLongURL(longURL);
    record->setArticleAuthor(articleAuthor);
    record->setBoardName(boardName);
    record->setBBS(BBS);
    record->setArticleTitle(articleTitle);
    records_.push_back(record);
    return record;
}

void ZEKAddressPoolCls::add2(const ZEKAddressRef& record) {
    if (!record || record->Key().isEmpty() || find(record->Key()) != records_.end()) return;
    records_.push_back(record);
}

ZEKAddressRef ZEKAddressPoolCls::Item(const QString& key) const {
    auto it = find(key);
    return it == records_.end() ? nullptr : *it;
}

void ZEKAddressPoolCls::Remove(const QString& key) {
    auto it = find(key);
    if (it != records_.end()) records_.erase(it);
}
