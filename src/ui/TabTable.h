#pragma once
// The main window's bookkeeping of its tabs: one record per tab of the tab strip, the
// slot numbers 1..100 shared by session and web page controls, the busy flag and the
// PTT port spreading. Plain data, no widgets, so every rule is tested directly.
#include <QString>

#include <array>

struct TabRecord {
    QString kind;     // "ZEK" for a session, the kind given to openURL for a web page
    QString address;  // the host as given, or the URL
    int port = 0;     // the port actually connected to; 80 for web pages
    int slot = 0;     // 1..100
};

class TabTable {
public:
    static constexpr int kMaxTabs = 100;
    static constexpr int kMaxSlots = 100;
    static inline const QString kSessionKind = QStringLiteral("ZEK");

    TabTable();

    // Tab records, indexed by tab number 1..kMaxTabs. Out-of-range numbers read an
    // empty record and writes to them are dropped.
    const TabRecord& record(int tab) const;
    void setRecord(int tab, const TabRecord& record);
    // After the strip removed tab `closed`: records closed+1..openTabs+1 move down one
    // place, and the record past the end is cleared. openTabs is the count after removal.
    void shiftDown(int closed, int openTabs);

    // Slots 1..kMaxSlots; out-of-range numbers read as taken and are never written.
    bool slotTaken(int slot) const;
    void setSlot(int slot, bool taken);
    // The lowest free slot, or 0 when all are taken.
    int lowestFreeSlot() const;
    void clearSlots();

    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

    // The port a session opened as tab `tab` connects to: 3000 + tab for the PTT domain
    // on port 23 in tabs 1..10, otherwise the port given.
    static int spreadPort(const QString& host, int port, int tab, const QString& pttDomain);
    // AutoPTT's rule, which applies to every host: 3000 + tab up to tab 10, else 23.
    static int autoPttPort(int tab);
    // The PTT domain itself or a name under it (ZekUrlSafety::isPttHost).
    static bool isPttHost(const QString& host, const QString& pttDomain);

private:
    std::array<TabRecord, kMaxTabs + 2> records_;  // 0 unused; one spare for the shift
    std::array<bool, kMaxSlots + 1> slots_{};      // 0 unused
    bool busy_ = false;
};
