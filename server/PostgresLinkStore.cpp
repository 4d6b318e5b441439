#include "PostgresLinkStore.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

constexpr const char* kColumns = "code, path, bbs, board, aid, title, author, created";

// Each entry brings the schema from version (index) to version (index + 1).
const char* const kMigrations[] = {
    "CREATE TABLE links ("
    "  id      BIGSERIAL PRIMARY KEY,"
    "  code    TEXT NOT NULL UNIQUE,"
    "  path    TEXT NOT NULL UNIQUE,"
    "  bbs     TEXT NOT NULL,"
    "  board   TEXT NOT NULL DEFAULT '',"
    "  aid     TEXT NOT NULL DEFAULT '',"
    "  title   TEXT NOT NULL DEFAULT '',"
    "  author  TEXT NOT NULL DEFAULT '',"
    "  created BIGINT NOT NULL"
    ");"
    "CREATE INDEX links_by_created ON links(created DESC, id DESC);",
};
static_assert(std::size(kMigrations) == PostgresLinkStore::kSchemaVersion);

struct Result {
    PGresult* r;
    explicit Result(PGresult* result) : r(result) {}
    ~Result() { PQclear(r); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    bool ok() const {
        const ExecStatusType s = PQresultStatus(r);
        return s == PGRES_TUPLES_OK || s == PGRES_COMMAND_OK;
    }
    int rows() const { return PQntuples(r); }
    std::string text(int row, int column) const {
        return std::string(PQgetvalue(r, row, column), static_cast<size_t>(PQgetlength(r, row, column)));
    }
};

Result run(pg_conn* conn, const std::string& sql, const std::vector<std::string>& params = {}) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (const auto& p : params) {
        values.push_back(p.c_str());
        lengths.push_back(static_cast<int>(p.size()));
    }
    return Result(PQexecParams(conn, sql.c_str(), static_cast<int>(params.size()), nullptr, values.data(),
                               lengths.data(), nullptr, 0));
}

void logError(pg_conn* conn, const char* what) {
    std::fprintf(stderr, "zek-server: storage: %s: %s", what, PQerrorMessage(conn));
}

std::vector<StoredLink> readRows(const Result& res) {
    std::vector<StoredLink> links;
    for (int i = 0; i < res.rows(); ++i) {
        StoredLink link;
        link.code = res.text(i, 0);
        link.path = res.text(i, 1);
        link.bbs = res.text(i, 2);
        link.board = res.text(i, 3);
        link.aid = res.text(i, 4);
        link.title = res.text(i, 5);
        link.author = res.text(i, 6);
        link.created = std::stoll(res.text(i, 7));
        links.push_back(std::move(link));
    }
    return links;
}

std::optional<StoredLink> firstRow(pg_conn* conn, const Result& res, const char* what) {
    if (!res.ok()) {
        logError(conn, what);
        return std::nullopt;
    }
    auto links = readRows(res);
    if (links.empty()) return std::nullopt;
    return links.front();
}

const std::string kSelect = std::string("SELECT ") + kColumns + " FROM links ";

}  // namespace

// A connection borrowed from the pool for one operation.
class PostgresLinkStore::Lease {
public:
    explicit Lease(PostgresLinkStore& store) : store_(store), conn_(store.borrow()) {}
    ~Lease() { store_.giveBack(conn_); }
    pg_conn* get() const { return conn_; }

private:
    PostgresLinkStore& store_;
    pg_conn* conn_;
};

std::unique_ptr<PostgresLinkStore> PostgresLinkStore::open(const std::string& conninfo, int connections,
                                                           std::string* error) {
    std::unique_ptr<PostgresLinkStore> store(new PostgresLinkStore());
    for (int i = 0; i < std::max(connections, 1); ++i) {
        pg_conn* conn = PQconnectdb(conninfo.c_str());
        store->all_.push_back(conn);
        if (PQstatus(conn) != CONNECTION_OK) {
            if (error) *error = PQerrorMessage(conn);
            return nullptr;
        }
        store->idle_.push_back(conn);
    }
    pg_conn* conn = store->all_.front();
    // Servers starting at once would race to migrate: the advisory lock lets one at a time.
    const std::string step = "SET client_min_messages TO warning; BEGIN; SELECT pg_advisory_xact_lock(7353001);"
                             "CREATE TABLE IF NOT EXISTS zek_schema (version INTEGER NOT NULL);"
                             "INSERT INTO zek_schema SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM zek_schema);";
    Result begun(PQexec(conn, step.c_str()));
    if (!begun.ok()) {
        if (error) *error = PQerrorMessage(conn);
        PQclear(PQexec(conn, "ROLLBACK"));
        return nullptr;
    }
    Result versionRow(PQexec(conn, "SELECT version FROM zek_schema"));
    const int version = versionRow.ok() && versionRow.rows() == 1 ? std::stoi(versionRow.text(0, 0)) : -1;
    std::string migrate;
    if (version > kSchemaVersion) {
        if (error) {
            *error = "the database has schema version " + std::to_string(version) + ", this server knows up to " +
                     std::to_string(kSchemaVersion);
        }
    } else if (version >= 0) {
        for (int v = version; v < kSchemaVersion; ++v) migrate += kMigrations[v];
        migrate += "UPDATE zek_schema SET version = " + std::to_string(kSchemaVersion) + "; COMMIT;";
    } else if (error) {
        *error = PQerrorMessage(conn);
    }
    if (migrate.empty()) {
        PQclear(PQexec(conn, "ROLLBACK"));
        return nullptr;
    }
    Result done(PQexec(conn, migrate.c_str()));
    if (!done.ok()) {
        if (error) *error = PQerrorMessage(conn);
        PQclear(PQexec(conn, "ROLLBACK"));
        return nullptr;
    }
    return store;
}

PostgresLinkStore::~PostgresLinkStore() {
    for (pg_conn* conn : all_) PQfinish(conn);
}

pg_conn* PostgresLinkStore::borrow() {
    std::unique_lock lock(mutex_);
    returned_.wait(lock, [this] { return !idle_.empty(); });
    pg_conn* conn = idle_.back();
    idle_.pop_back();
    lock.unlock();
    // A database restarted under us: connect again before the statement rather than fail it.
    if (PQstatus(conn) != CONNECTION_OK) PQreset(conn);
    return conn;
}

void PostgresLinkStore::giveBack(pg_conn* conn) {
    {
        std::lock_guard lock(mutex_);
        idle_.push_back(conn);
    }
    returned_.notify_one();
}

std::optional<StoredLink> PostgresLinkStore::findByCode(const std::string& code) {
    Lease conn(*this);
    return firstRow(conn.get(), run(conn.get(), kSelect + "WHERE code = $1", {code}), "look-up");
}

std::optional<StoredLink> PostgresLinkStore::findByPath(const std::string& path) {
    Lease conn(*this);
    return firstRow(conn.get(), run(conn.get(), kSelect + "WHERE path = $1", {path}), "look-up");
}

std::optional<StoredLink> PostgresLinkStore::insertOrGet(const StoredLink& link) {
    Lease lease(*this);
    pg_conn* conn = lease.get();
    // Title and author fill in where the stored link has none; the row comes back either way.
    const Result filled = run(conn,
                              "UPDATE links SET title = CASE WHEN title = '' THEN $2 ELSE title END,"
                              " author = CASE WHEN author = '' THEN $3 ELSE author END WHERE path = $1 RETURNING " +
                                  std::string(kColumns),
                              {link.path, link.title, link.author});
    if (!filled.ok()) {
        logError(conn, "update");
        return std::nullopt;
    }
    if (filled.rows() > 0) return readRows(filled).front();
    const Result inserted =
        run(conn,
            std::string("INSERT INTO links (") + kColumns +
                ") VALUES ($1, $2, $3, $4, $5, $6, $7, $8) ON CONFLICT DO NOTHING RETURNING " + kColumns,
            {link.code, link.path, link.bbs, link.board, link.aid, link.title, link.author, std::to_string(link.created)});
    if (!inserted.ok()) {
        logError(conn, "insert");
        return std::nullopt;
    }
    if (inserted.rows() > 0) return readRows(inserted).front();
    // The path or the code was taken meanwhile: hand back whoever holds it.
    if (auto samePath = firstRow(conn, run(conn, kSelect + "WHERE path = $1", {link.path}), "look-up")) return samePath;
    return firstRow(conn, run(conn, kSelect + "WHERE code = $1", {link.code}), "look-up");
}

std::vector<StoredLink> PostgresLinkStore::recent(int limit) {
    Lease conn(*this);
    const Result res = run(conn.get(), kSelect + "ORDER BY created DESC, id DESC LIMIT $1", {std::to_string(limit)});
    if (!res.ok()) {
        logError(conn.get(), "list");
        return {};
    }
    return readRows(res);
}

std::vector<StoredLink> PostgresLinkStore::search(const std::string& words, int limit) {
    std::vector<std::string> terms;
    std::istringstream in(words);
    for (std::string word; in >> word && terms.size() < 8;) terms.push_back(likePattern(word));
    if (terms.empty()) return {};
    std::string sql = kSelect + "WHERE TRUE";
    for (size_t i = 0; i < terms.size(); ++i) {
        const std::string p = "$" + std::to_string(i + 1);
        sql += " AND (board ILIKE " + p + " OR title ILIKE " + p + " OR author ILIKE " + p + " OR aid ILIKE " + p + ")";
    }
    sql += " ORDER BY created DESC, id DESC LIMIT " + std::to_string(limit);
    Lease conn(*this);
    const Result res = run(conn.get(), sql, terms);
    if (!res.ok()) {
        logError(conn.get(), "search");
        return {};
    }
    return readRows(res);
}
