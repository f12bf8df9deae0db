#include "store/database.h"

#include <sqlite3.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cctype>

namespace twinscan::store {
namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void Fail(sqlite3* db, std::string_view what) {
  throw StoreError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

}  // namespace

std::string QuoteName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

void CloseConnection::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

void ConfigureSqlite() {
  // SQLite counts every allocation under a global mutex unless told not to
  // before it starts; nothing here reads the counts.
  [[maybe_unused]] static const int kNoMemoryStatistics = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
}

Connection OpenConnection(const std::filesystem::path& file, int flags) {
  ConfigureSqlite();
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  Connection db(raw);  // SQLite hands out a handle to close even when the open fails
  if (rc != SQLITE_OK)
    throw StoreError("cannot open " + file.string() + ": " + (db ? sqlite3_errmsg(db.get()) : "out of memory"));
  return db;
}

Connection OpenReader(const std::filesystem::path& file, int cacheKiB) {
  Connection db = OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
  std::string cache = "PRAGMA cache_size = -" + std::to_string(cacheKiB);
  sqlite3_exec(db.get(), cache.c_str(), nullptr, nullptr, nullptr);
  return db;
}

void BeginSnapshot(sqlite3* reader) {
  if (sqlite3_exec(reader, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
    throw StoreError(std::string("cannot begin a snapshot: ") + sqlite3_errmsg(reader));
}

void CommitOn(sqlite3* db) {
  char* error = nullptr;
  if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw StoreError("statement failed \"COMMIT\": " + message);
  }
}

// ---------------------------------------------------------------------------
void Statement::Finalize::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  stmt_.reset(stmt);
  if (rc != SQLITE_OK) Fail(db, "cannot prepare \"" + std::string(sql) + "\"");
}

Statement::~Statement() = default;

void Statement::BindNull(int index) { sqlite3_bind_null(stmt_.get(), index); }
void Statement::BindInt(int index, int64_t value) { sqlite3_bind_int64(stmt_.get(), index, value); }
void Statement::BindDouble(int index, double value) { sqlite3_bind_double(stmt_.get(), index, value); }
void Statement::BindText(int index, std::string_view utf8) {
  sqlite3_bind_text(stmt_.get(), index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::Bind(int index, const Value& value) {
  if (auto* i = std::get_if<int64_t>(&value)) return BindInt(index, *i);
  if (auto* d = std::get_if<double>(&value)) return BindDouble(index, *d);
  if (auto* s = std::get_if<std::string>(&value)) return BindText(index, *s);
  if (auto* date = std::get_if<Date>(&value)) return BindText(index, DateToStoredText(*date));
  BindNull(index);
}

void Statement::BindNoCopy(int index, const Value& value) {
  if (auto* s = std::get_if<std::string>(&value)) {
    sqlite3_bind_text(stmt_.get(), index, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
    return;
  }
  Bind(index, value);
}

void Statement::ClearBindings() { sqlite3_clear_bindings(stmt_.get()); }

bool Statement::Step() {
  int rc = sqlite3_step(stmt_.get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  std::string sql = sqlite3_sql(stmt_.get()) ? sqlite3_sql(stmt_.get()) : "";
  sqlite3_reset(stmt_.get());
  Fail(db_, "statement failed \"" + sql + "\"");
}

void Statement::Reset() { sqlite3_reset(stmt_.get()); }

int Statement::ColumnCount() const { return sqlite3_column_count(stmt_.get()); }

std::string Statement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(stmt_.get(), column);
  return name ? name : "";
}

int Statement::ColumnIndex(std::string_view name) const {
  for (int c = 0; c < ColumnCount(); ++c)
    if (SameName(ColumnName(c), name)) return c;
  return -1;
}

ColumnKind Statement::ColumnKindOf(int column) const {
  const char* declared = sqlite3_column_decltype(stmt_.get(), column);
  std::string_view type = declared ? declared : "";
  if (type == "DATE_TEXT") return ColumnKind::Date;
  if (type == "BOOL_INTEGER") return ColumnKind::Boolean;
  if (type == "INTEGER") return ColumnKind::Integer;
  if (type == "REAL") return ColumnKind::Real;
  return ColumnKind::Text;
}

int64_t Statement::ColumnInt(int column) const { return sqlite3_column_int64(stmt_.get(), column); }

Statement::Stored Statement::ColumnStored(int column) const {
  switch (sqlite3_column_type(stmt_.get(), column)) {
    case SQLITE_NULL: return Stored::Null;
    case SQLITE_INTEGER: return Stored::Integer;
    case SQLITE_FLOAT: return Stored::Real;
    default: return Stored::Text;
  }
}

double Statement::ColumnDouble(int column) const { return sqlite3_column_double(stmt_.get(), column); }

std::string_view Statement::ColumnText(int column) const {
  const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
  return {text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column))};
}

Value Statement::Column(int column, ColumnKind kind) const {
  switch (sqlite3_column_type(stmt_.get(), column)) {
    case SQLITE_NULL: return std::monostate{};
    case SQLITE_INTEGER:
      if (kind == ColumnKind::Real) return static_cast<double>(sqlite3_column_int64(stmt_.get(), column));
      return static_cast<int64_t>(sqlite3_column_int64(stmt_.get(), column));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt_.get(), column);
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
      std::string_view view(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column)));
      Date date;
      if (kind == ColumnKind::Date && ParseStoredDate(view, &date)) return date;
      return std::string(view);
    }
  }
}

std::optional<double> NumberAt(const Statement& s, int column) {
  switch (s.ColumnStored(column)) {
    case Statement::Stored::Integer: return static_cast<double>(s.ColumnInt(column));
    case Statement::Stored::Real: return s.ColumnDouble(column);
    default: return std::nullopt;
  }
}

void DisplayTextAt(const Statement& s, int column, ColumnKind kind, std::string* out) {
  if (s.ColumnStored(column) == Statement::Stored::Text && kind != ColumnKind::Date)
    out->assign(s.ColumnText(column));
  else
    *out = DisplayText(s.Column(column, kind), kind);
}

// ---------------------------------------------------------------------------
std::unique_ptr<Database> Database::Open(const std::filesystem::path& file) {
  // One thread uses a connection: no mutexes needed.
  std::unique_ptr<Database> result(
      new Database(OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX), file));
  // WAL lets the views keep their snapshots while the import and the
  // comparison write; NORMAL sync is safe in WAL (a crash loses at most the
  // last commits, never the file).
  result->Execute("PRAGMA journal_mode = WAL");
  result->Execute("PRAGMA synchronous = NORMAL");
  result->Execute("PRAGMA cache_size = -" + std::to_string(kCacheKiB));
  // The views pin snapshots, so checkpoints during an import achieve little;
  // Views::RefreshAll checkpoints once the snapshots are released.
  result->Execute("PRAGMA wal_autocheckpoint = 0");
  sqlite3_busy_timeout(result->handle(), kBusyTimeoutMs);
  return result;
}

std::unique_ptr<Database> Database::Create(const std::filesystem::path& file, std::string_view schemaSql) {
  std::filesystem::remove(file);
  std::unique_ptr<Database> result(
      new Database(OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), file));
  result->Execute(schemaSql);
  return result;
}

Database::~Database() {
  // Leave a self-contained file behind (no -wal beside it).
  sqlite3_wal_checkpoint_v2(handle(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

void Database::Execute(std::string_view sql) {
  std::string text(sql);
  char* error = nullptr;
  if (sqlite3_exec(handle(), text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(handle());
    sqlite3_free(error);
    throw StoreError("statement failed \"" + text + "\": " + message);
  }
}

Statement Database::Prepare(std::string_view sql) { return Statement(handle(), sql); }

int64_t Database::QueryInt(std::string_view sql) {
  Statement s = Prepare(sql);
  return s.Step() ? s.ColumnInt(0) : 0;
}

void Database::Begin() { Execute("BEGIN"); }

void Database::Commit() { CommitOn(handle()); }

// SQLite's own state, not a flag of ours: a failed COMMIT that SQLite rolled
// back leaves no transaction behind, one it kept leaves it open.
bool Database::InTransaction() const { return sqlite3_get_autocommit(handle()) == 0; }

void Database::CommitPending() {
  if (InTransaction()) Commit();
}

void Database::SetCacheSize(int kib) {
  Execute("PRAGMA cache_size = -" + std::to_string(kib));
  if (kib >= cacheKiB_) {
    cacheKiB_ = kib;
    return;
  }
  cacheKiB_ = kib;
  sqlite3_db_release_memory(db_.get());
#ifdef __GLIBC__
  malloc_trim(0);  // freed pages in the middle of the heap stay resident otherwise
#endif
}

void Database::Checkpoint(bool truncate) {
  // A truncating checkpoint waits for readers through the busy handler: a
  // view's pinned snapshot must not stall the writer for its timeout.
  sqlite3_busy_timeout(handle(), 0);
  sqlite3_wal_checkpoint_v2(handle(), nullptr, truncate ? SQLITE_CHECKPOINT_TRUNCATE : SQLITE_CHECKPOINT_PASSIVE,
                            nullptr, nullptr);
  sqlite3_busy_timeout(handle(), kBusyTimeoutMs);
}

// ---------------------------------------------------------------------------
TransactionKeptOnFailure::TransactionKeptOnFailure(Database& db) : db_(db) {
  db_.CommitPending();
  db_.Begin();
}

TransactionKeptOnFailure::~TransactionKeptOnFailure() {
  try {
    db_.CommitPending();
  } catch (const StoreError&) {
    // Only reached when the run failed before (it commits at its end): that
    // failure is the one reported.
  }
}

void TransactionKeptOnFailure::CommitAndBegin() {
  db_.CommitPending();
  db_.Begin();
}

void TransactionKeptOnFailure::Commit() { db_.CommitPending(); }

}  // namespace twinscan::store
