#include "SqliteLinkStore.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>
#include <sstream>

namespace {

constexpr const char* kColumns = "code, path, bbs, board, aid, title, author, created";

// Each entry brings the schema from version (index) to version (index + 1).
const char* const kMigrations[] = {
    "CREATE TABLE links ("
    "  code    TEXT PRIMARY KEY,"
    "  path    TEXT NOT NULL UNIQUE,"
    "  bbs     TEXT NOT NULL,"
    "  board   TEXT NOT NULL DEFAULT '',"
    "  aid     TEXT NOT NULL DEFAULT '',"
    "  title   TEXT NOT NULL DEFAULT '',"
    "  author  TEXT NOT NULL DEFAULT '',"
    "  created INTEGER NOT NULL"
    ");"
    "CREATE INDEX links_by_created ON links(created DESC);",
};
static_assert(std::size(kMigrations) == SqliteLinkStore::kSchemaVersion);

std::string columnText(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column))) : std::string();
}

void bindText(sqlite3_stmt* stmt, int index, const std::string& text) {
    sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

StoredLink readRow(sqlite3_stmt* stmt) {
    StoredLink link;
    link.code = columnText(stmt, 0);
    link.path = columnText(stmt, 1);
    link.bbs = columnText(stmt, 2);
    link.board = columnText(stmt, 3);
    link.aid = columnText(stmt, 4);
    link.title = columnText(stmt, 5);
    link.author = columnText(stmt, 6);
    link.created = sqlite3_column_int64(stmt, 7);
    return link;
}

// Resets a statement on every way out of a scope.
struct StatementUse {
    sqlite3_stmt* stmt;
    ~StatementUse() {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

bool exec(sqlite3* db, const char* sql, std::string* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    if (error) *error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

int userVersion(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        version = sqlite3_column_int(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return version;
}

}  // namespace

std::unique_ptr<SqliteLinkStore> SqliteLinkStore::open(const std::string& file, Sync sync, std::string* error) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        if (error) *error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<SqliteLinkStore> store(new SqliteLinkStore(db));
    // Another process (a second server on the same file) may hold the write lock briefly.
    sqlite3_busy_timeout(db, 5000);
    const std::string pragmas = std::string("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON; PRAGMA synchronous=") +
                                (sync == Sync::Full ? "FULL;" : "NORMAL;");
    if (!exec(db, pragmas.c_str(), error)) return nullptr;
    if (store->journalMode() != "wal") {
        if (error) *error = "the database file cannot be put in WAL mode";
        return nullptr;
    }

    const int version = userVersion(db);
    if (version < 0) {
        if (error) *error = sqlite3_errmsg(db);
        return nullptr;
    }
    if (version > kSchemaVersion) {
        if (error) {
            *error = "the database has schema version " + std::to_string(version) + ", this server knows up to " +
                     std::to_string(kSchemaVersion);
        }
        return nullptr;
    }
    for (int v = version; v < kSchemaVersion; ++v) {
        const std::string step = std::string("BEGIN IMMEDIATE;") + kMigrations[v] +
                                 "PRAGMA user_version=" + std::to_string(v + 1) + ";COMMIT;";
        if (!exec(db, step.c_str(), error)) {
            exec(db, "ROLLBACK", nullptr);
            return nullptr;
        }
    }
    if (!store->prepare(error)) return nullptr;
    if (!store->startCheckpoints(file, error)) return nullptr;
    return store;
}

bool SqliteLinkStore::startCheckpoints(const std::string& file, std::string* error) {
    if (sqlite3_open_v2(file.c_str(), &checkpointDb_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) !=
        SQLITE_OK) {
        if (error) *error = checkpointDb_ ? sqlite3_errmsg(checkpointDb_) : "out of memory";
        return false;
    }
    sqlite3_busy_timeout(checkpointDb_, 5000);
    // A connection finds the WAL only when it first reads the file; until then a
    // checkpoint through it does nothing at all.
    if (!exec(checkpointDb_, "SELECT count(*) FROM sqlite_master", error)) return false;
    // The hook replaces SQLite's automatic checkpoint on this connection.
    sqlite3_wal_hook(db_, &SqliteLinkStore::walCommitted, this);
    checkpointer_ = std::thread([this] { checkpointLoop(); });
    return true;
}

int SqliteLinkStore::walCommitted(void* self, sqlite3*, const char*, int pages) {
    auto* store = static_cast<SqliteLinkStore*>(self);
    if (pages >= kCheckpointPages) {
        std::lock_guard lock(store->checkpointMutex_);
        // Until the WAL starts over every commit lands here; one wake-up is enough.
        if (!store->checkpointDue_) {
            store->checkpointDue_ = true;
            store->checkpointWanted_.notify_one();
        }
    }
    return SQLITE_OK;
}

void SqliteLinkStore::checkpoint() {
    // Passive: copies what no reader still needs and waits for nobody.
    const int rc = sqlite3_wal_checkpoint_v2(checkpointDb_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (rc != SQLITE_OK && rc != SQLITE_BUSY)
        std::fprintf(stderr, "zek-server: storage: checkpoint: %s\n", sqlite3_errmsg(checkpointDb_));
}

void SqliteLinkStore::checkpointLoop() {
    std::unique_lock lock(checkpointMutex_);
    for (;;) {
        checkpointWanted_.wait(lock, [this] { return checkpointDue_ || stopping_; });
        if (stopping_) return;
        checkpointDue_ = false;
        lock.unlock();
        // First the bulk of the WAL, while requests go on committing; then, with commits
        // held off for the moment it takes, the last few frames, so that the WAL is copied
        // whole and the next commit starts it over instead of letting it grow.
        checkpoint();
        {
            std::lock_guard store(mutex_);
            checkpoint();
        }
        lock.lock();
    }
}

SqliteLinkStore::SqliteLinkStore(sqlite3* db) : db_(db) {}

SqliteLinkStore::~SqliteLinkStore() {
    if (checkpointer_.joinable()) {
        {
            std::lock_guard lock(checkpointMutex_);
            stopping_ = true;
        }
        checkpointWanted_.notify_one();
        checkpointer_.join();
    }
    sqlite3_close(checkpointDb_);
    for (sqlite3_stmt* stmt : {byCode_, byPath_, insert_, fillDetails_, recent_}) sqlite3_finalize(stmt);
    // Closing the last connection checkpoints the WAL into the main file.
    sqlite3_close(db_);
}

bool SqliteLinkStore::prepare(std::string* error) {
    const std::string select = std::string("SELECT ") + kColumns + " FROM links ";
    const struct {
        sqlite3_stmt** stmt;
        std::string sql;
    } statements[] = {
        {&byCode_, select + "WHERE code = ?1"},
        {&byPath_, select + "WHERE path = ?1"},
        {&insert_, std::string("INSERT INTO links (") + kColumns + ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"},
        {&fillDetails_,
         "UPDATE links SET title = CASE WHEN title = '' THEN ?2 ELSE title END,"
         " author = CASE WHEN author = '' THEN ?3 ELSE author END WHERE path = ?1"},
        {&recent_, select + "ORDER BY created DESC, rowid DESC LIMIT ?1"},
    };
    for (const auto& s : statements) {
        if (sqlite3_prepare_v3(db_, s.sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, s.stmt, nullptr) != SQLITE_OK) {
            if (error) *error = sqlite3_errmsg(db_);
            return false;
        }
    }
    return true;
}

std::string SqliteLinkStore::journalMode() {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* stmt = nullptr;
    std::string mode;
    if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        mode = columnText(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return mode;
}

void SqliteLinkStore::logError(const char* what) const {
    std::fprintf(stderr, "zek-server: storage: %s: %s\n", what, sqlite3_errmsg(db_));
}

std::optional<StoredLink> SqliteLinkStore::findBy(sqlite3_stmt* stmt, const std::string& key) {
    StatementUse use{stmt};
    bindText(stmt, 1, key);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) return readRow(stmt);
    if (rc != SQLITE_DONE) logError("look-up");
    return std::nullopt;
}

std::optional<StoredLink> SqliteLinkStore::findByCode(const std::string& code) {
    std::lock_guard lock(mutex_);
    return findBy(byCode_, code);
}

std::optional<StoredLink> SqliteLinkStore::findByPath(const std::string& path) {
    std::lock_guard lock(mutex_);
    return findBy(byPath_, path);
}

std::optional<StoredLink> SqliteLinkStore::insertOrGet(const StoredLink& link) {
    std::lock_guard lock(mutex_);
    // One statement at a time is atomic; the path and code are unique in the table, so
    // another process inserting the same link at once makes our insert fail, and the
    // look-up below then finds its row.
    if (auto existing = findBy(byPath_, link.path)) {
        if ((existing->title.empty() && !link.title.empty()) || (existing->author.empty() && !link.author.empty())) {
            StatementUse use{fillDetails_};
            bindText(fillDetails_, 1, link.path);
            bindText(fillDetails_, 2, link.title);
            bindText(fillDetails_, 3, link.author);
            if (sqlite3_step(fillDetails_) == SQLITE_DONE) {
                if (existing->title.empty()) existing->title = link.title;
                if (existing->author.empty()) existing->author = link.author;
            } else {
                logError("update");
            }
        }
        return existing;
    }
    {
        StatementUse use{insert_};
        bindText(insert_, 1, link.code);
        bindText(insert_, 2, link.path);
        bindText(insert_, 3, link.bbs);
        bindText(insert_, 4, link.board);
        bindText(insert_, 5, link.aid);
        bindText(insert_, 6, link.title);
        bindText(insert_, 7, link.author);
        sqlite3_bind_int64(insert_, 8, link.created);
        const int rc = sqlite3_step(insert_);
        if (rc == SQLITE_DONE) return link;
        if ((rc & 0xff) != SQLITE_CONSTRAINT) {
            logError("insert");
            return std::nullopt;
        }
    }
    // The path or the code was taken meanwhile: hand back whoever holds it.
    if (auto samePath = findBy(byPath_, link.path)) return samePath;
    return findBy(byCode_, link.code);
}

std::vector<StoredLink> SqliteLinkStore::collect(sqlite3_stmt* stmt) {
    std::vector<StoredLink> links;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) links.push_back(readRow(stmt));
    if (rc != SQLITE_DONE) logError("list");
    return links;
}

std::vector<StoredLink> SqliteLinkStore::recent(int limit) {
    std::lock_guard lock(mutex_);
    StatementUse use{recent_};
    sqlite3_bind_int(recent_, 1, limit);
    return collect(recent_);
}

std::vector<StoredLink> SqliteLinkStore::search(const std::string& words, int limit) {
    std::vector<std::string> terms;
    std::istringstream in(words);
    for (std::string word; in >> word && terms.size() < 8;) terms.push_back(word);
    if (terms.empty()) return {};

    std::string sql = std::string("SELECT ") + kColumns + " FROM links WHERE 1";
    for (size_t i = 0; i < terms.size(); ++i) {
        const std::string p = "?" + std::to_string(i + 1);
        sql += " AND (board LIKE " + p + " ESCAPE '\\' OR title LIKE " + p + " ESCAPE '\\' OR author LIKE " + p +
               " ESCAPE '\\' OR aid LIKE " + p + " ESCAPE '\\')";
    }
    sql += " ORDER BY created DESC, rowid DESC LIMIT " + std::to_string(limit);

    std::lock_guard lock(mutex_);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        logError("search");
        return {};
    }
    for (size_t i = 0; i < terms.size(); ++i) bindText(stmt, static_cast<int>(i + 1), likePattern(terms[i]));
    auto links = collect(stmt);
    sqlite3_finalize(stmt);
    return links;
}
