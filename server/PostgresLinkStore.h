#pragma once
#include "LinkStore.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct pg_conn;

// The store for a deployment that runs several zek-server processes (behind a load
// balancer) over one PostgreSQL database. It speaks libpq directly, like the SQLite store
// speaks SQLite's own interface: the request threads borrow connections from a small
// pool, and every statement is one atomic step, so two servers inserting the same link at
// once agree on its code (the unique code and path decide, never the servers).
//
// The schema carries its version in the table zek_schema and is brought up to date on
// open; a database written by a newer server is refused.
class PostgresLinkStore : public LinkStore {
public:
    // conninfo: a libpq connection string ("host=127.0.0.1 port=5432 dbname=zek user=zek").
    // Null with a reason in error when the database cannot be used.
    static std::unique_ptr<PostgresLinkStore> open(const std::string& conninfo, int connections, std::string* error);
    ~PostgresLinkStore() override;

    static constexpr int kSchemaVersion = 1;

    std::optional<StoredLink> insertOrGet(const StoredLink& link) override;
    std::optional<StoredLink> findByCode(const std::string& code) override;
    std::optional<StoredLink> findByPath(const std::string& path) override;
    std::vector<StoredLink> recent(int limit) override;
    std::vector<StoredLink> search(const std::string& words, int limit) override;

private:
    class Lease;
    PostgresLinkStore() = default;
    pg_conn* borrow();
    void giveBack(pg_conn* conn);

    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<pg_conn*> idle_;
    std::vector<pg_conn*> all_;
};
