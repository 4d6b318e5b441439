#pragma once
#include "LinkStore.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct sqlite3;
struct sqlite3_stmt;

// The embedded store: one SQLite file in WAL mode, so readers of other processes (a
// backup, the sqlite3 shell) never block the server. One connection serves every
// thread under a mutex; a look-up takes microseconds, far below the cost of the HTTP
// exchange around it. Checkpoints (copying the WAL back into the file, with two disk
// flushes) run on a thread and a connection of their own: done by the committing request
// under the mutex, as SQLite does by default, they held every request up for
// milliseconds once every hundred or so new links.
//
// The schema carries its version in PRAGMA user_version and is brought up to date on
// open; a file written by a newer server is refused rather than guessed at.
class SqliteLinkStore : public LinkStore {
public:
    // Durability of a commit: "normal" survives a crash or kill of the server (WAL),
    // "full" also a power cut, at the price of a disk flush per new link.
    enum class Sync { Normal, Full };

    // Opens (creating when needed) the database file. Null with a reason in error when
    // the file cannot be used.
    static std::unique_ptr<SqliteLinkStore> open(const std::string& file, Sync sync, std::string* error);
    ~SqliteLinkStore() override;

    static constexpr int kSchemaVersion = 1;

    std::optional<StoredLink> insertOrGet(const StoredLink& link) override;
    std::optional<StoredLink> findByCode(const std::string& code) override;
    std::optional<StoredLink> findByPath(const std::string& path) override;
    std::vector<StoredLink> recent(int limit) override;
    std::vector<StoredLink> search(const std::string& words, int limit) override;

    // PRAGMA journal_mode as SQLite reports it ("wal").
    std::string journalMode();

    // WAL pages after which a commit wakes the checkpoint thread (SQLite's own default).
    static constexpr int kCheckpointPages = 1000;

private:
    explicit SqliteLinkStore(sqlite3* db);
    bool prepare(std::string* error);
    std::optional<StoredLink> findBy(sqlite3_stmt* stmt, const std::string& key);
    std::vector<StoredLink> collect(sqlite3_stmt* stmt);
    void logError(const char* what) const;
    bool startCheckpoints(const std::string& file, std::string* error);
    static int walCommitted(void* self, sqlite3* db, const char* name, int pages);
    void checkpointLoop();
    void checkpoint();

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* byCode_ = nullptr;
    sqlite3_stmt* byPath_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* fillDetails_ = nullptr;
    sqlite3_stmt* recent_ = nullptr;

    sqlite3* checkpointDb_ = nullptr;
    std::thread checkpointer_;
    std::mutex checkpointMutex_;
    std::condition_variable checkpointWanted_;
    bool checkpointDue_ = false;
    bool stopping_ = false;
};
