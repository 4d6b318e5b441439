#include "ui/TabTable.h"

#include "ptt/ZekUrlSafety.h"
#include "session/BbsAddress.h"

TabTable::TabTable() { clearSlots(); }

const TabRecord& TabTable::record(int tab) const {
    static const TabRecord empty;
    if (tab < 1 || tab > kMaxTabs) return empty;
    return records_[static_cast<size_t>(tab)];
}

void TabTable::setRecord(int tab, const TabRecord& record) {
    if (tab < 1 || tab > kMaxTabs) return;
    records_[static_cast<size_t>(tab)] = record;
}

void TabTable::shiftDown(int closed, int openTabs) {
    if (closed < 1) return;
    if (openTabs > kMaxTabs) openTabs = kMaxTabs;
    for (int i = closed; i <= openTabs; ++i) {
        records_[static_cast<size_t>(i)] = records_[static_cast<size_t>(i + 1)];
    }
    // The record that moved down is no longer a tab of its own.
    const int stale = (openTabs >= closed ? openTabs + 1 : closed);
    if (stale >= 1 && stale <= kMaxTabs) records_[static_cast<size_t>(stale)] = TabRecord{};
}

bool TabTable::slotTaken(int slot) const {
    if (slot < 1 || slot > kMaxSlots) return true;
    return slots_[static_cast<size_t>(slot)];
}

void TabTable::setSlot(int slot, bool taken) {
    if (slot < 1 || slot > kMaxSlots) return;
    slots_[static_cast<size_t>(slot)] = taken;
}

int TabTable::lowestFreeSlot() const {
    for (int n = 1; n <= kMaxSlots; ++n) {
        if (!slots_[static_cast<size_t>(n)]) return n;
    }
    return 0;
}

void TabTable::clearSlots() { slots_.fill(false); }

bool TabTable::isPttHost(const QString& host, const QString& pttDomain) {
    return ZekUrlSafety::isPttHost(host, pttDomain);
}

int TabTable::spreadPort(const QString& host, int port, int tab, const QString& pttDomain) {
    // Only plain host names: an address with a scheme names its own port.
    if (BbsAddress::hasScheme(host)) return port;
    if (isPttHost(host, pttDomain) && port == 23 && tab >= 1 && tab < 11) return 3000 + tab;
    return port;
}

int TabTable::autoPttPort(int tab) { return (tab >= 1 && tab <= 10) ? 3000 + tab : 23; }
