#pragma once
#include "ZEKAddressCls.h"

#include <QString>

#include <vector>

// All sessions' address records, keyed by the session index in decimal ("1".."100"),
// in insertion order. A record stored under a key stays until it is removed: adding
// under a key that is taken never replaces it.
class ZEKAddressPoolCls {
public:
    using Records = std::vector<ZEKAddressRef>;

    // A new record with these values under key, or the record already there (unchanged).
    // Null for an empty key.
    ZEKAddressRef Add(const QString& key, const QString& screen, int position, int errorCode,
                      const QString& shortURL, const QString& longURL, const QString& articleAuthor,
                      const QString& boardName, const QString& BBS, const QString& articleTitle);
    // Stores the record under its own Key when it is not null, the key is not empty and
    // not taken; otherwise nothing happens.
    void add2(const ZEKAddressRef& record);
    // Null when there is no record under key.
    ZEKAddressRef Item(const QString& key) const;
    ZEKAddressRef Item(int sessionIndex) const { return Item(QString::number(sessionIndex)); }
    int Count() const { return static_cast<int>(records_.size()); }
    void Remove(const QString& key);
    void Clear() { records_.clear(); }

    // Iteration in insertion order.
    const Records& records() const { return records_; }
    Records::const_iterator begin() const { return records_.begin(); }
    Records::const_iterator end() const { return records_.end(); }

private:
    Records::const_iterator find(const QString& key) const;
    Records records_;
};
