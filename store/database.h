// Database: the one writing connection to the working SQLite database.
//
// Statements that carry data always bind their values; no data value ever
// becomes part of a statement text. Errors throw StoreError with SQLite's
// message. Not thread-safe: a connection, and each statement on it, is used
// by one thread at a time (the full compare's search workers read on
// connections of their own).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace twinscan::store {

class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A view that could not be opened; the desktop app answers it with the
// connection message, as it does at start-up.
class ViewError : public StoreError {
 public:
  using StoreError::StoreError;
};

// Quotes a column or table name for SQLite ("1A" -> "\"1A\"").
std::string QuoteName(std::string_view name);
// Column names compare without regard to case ("1a" is "1A").
bool SameName(std::string_view a, std::string_view b);
// An owned SQLite connection, closed when it goes.
struct CloseConnection {
  void operator()(sqlite3* db) const;
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;
// Settings of the SQLite library for the whole process; before the first
// connection opens (later calls do nothing).
void ConfigureSqlite();
// A connection of its own to file, with SQLite's open flags; throws StoreError.
Connection OpenConnection(const std::filesystem::path& file, int flags);
// A connection of its own for reading beside the writing one (the views'
// snapshots, the full compare's search workers), with a page cache of
// cacheKiB kibibytes; throws StoreError.
Connection OpenReader(const std::filesystem::path& file, int cacheKiB);
// Begins a transaction on a reader: its first read pins a snapshot until
// the connection closes or commits. A reader that reads outside one starts
// anew on every statement and loses its page cache to every commit of the
// writing connection. Throws StoreError.
void BeginSnapshot(sqlite3* reader);
// Ends the transaction open on db with COMMIT; throws StoreError when the
// commit fails (db is then out of the transaction when SQLite rolled it back).
void CommitOn(sqlite3* db);

// A prepared statement. Bind indexes are 1-based, column indexes 0-based.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(Statement&&) noexcept = default;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;

  void Bind(int index, const Value& value);
  // As Bind, but a text is not copied: it must stay unchanged until the next
  // Step or Reset (the import's row buffers do).
  void BindNoCopy(int index, const Value& value);
  void BindNull(int index);
  void BindInt(int index, int64_t value);
  void BindDouble(int index, double value);
  void BindText(int index, std::string_view utf8);

  // Sets every parameter to Null.
  void ClearBindings();
  // Runs one step; true while a row is available.
  bool Step();
  // Makes the statement ready to run again (bindings are kept).
  void Reset();

  int ColumnCount() const;
  std::string ColumnName(int column) const;
  int ColumnIndex(std::string_view name) const;  // by SameName; -1 when absent
  ColumnKind ColumnKindOf(int column) const;     // from the declared type
  Value Column(int column, ColumnKind kind) const;
  int64_t ColumnInt(int column) const;

  // Raw access for readers of many rows (the corrected-file writer): the
  // class of the stored value, and the value as a double or as UTF-8 text
  // (valid until the next Step or Reset).
  enum class Stored { Null, Integer, Real, Text };
  Stored ColumnStored(int column) const;
  double ColumnDouble(int column) const;
  std::string_view ColumnText(int column) const;

 private:
  struct Finalize {
    void operator()(sqlite3_stmt* stmt) const;
  };
  sqlite3* db_;
  std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
};

// A cell of a statement's current row as the grids read it, without
// building a Value: the same as NumberOf(s.Column(column, kind)) and
// DisplayText(s.Column(column, kind), kind). For readers of many rows (the
// full compare); DisplayTextAt keeps the storage of *out.
std::optional<double> NumberAt(const Statement& s, int column);
void DisplayTextAt(const Statement& s, int column, ColumnKind kind, std::string* out);

class Database {
 public:
  // Opens an existing database file; throws StoreError when it cannot.
  static std::unique_ptr<Database> Open(const std::filesystem::path& file);
  // Creates a fresh database from a schema script (the build's pristine file).
  static std::unique_ptr<Database> Create(const std::filesystem::path& file, std::string_view schemaSql);
  // Folds the write-ahead log back into the file, then closes.
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Execute(std::string_view sql);
  Statement Prepare(std::string_view sql);
  int64_t QueryInt(std::string_view sql);  // the first column of the first row

  // Writes are grouped in transactions by their callers (see
  // TransactionKeptOnFailure); Commit ends one and throws when it fails.
  void Begin();
  void Commit();
  bool InTransaction() const;
  // Commits when a transaction is open (before views take a new snapshot).
  void CommitPending();
  // Folds the write-ahead log back into the file as far as readers allow,
  // without waiting for any; with truncate, the log file is also emptied when
  // nothing pins it. Failures are left to the next write to report.
  void Checkpoint(bool truncate);

  // The page cache of this connection, in kibibytes (kCacheKiB when
  // opened: large imports stay in memory until they commit). A smaller one
  // hands the pages beyond it back, to the operating system where the C
  // library lets it (the full compare reads on connections of its own and
  // needs little here).
  static constexpr int kCacheKiB = 65536;
  void SetCacheSize(int kib);

  const std::filesystem::path& file() const { return file_; }
  sqlite3* handle() const { return db_.get(); }

 private:
  Database(Connection db, std::filesystem::path file) : db_(std::move(db)), file_(std::move(file)) {}
  Connection db_;
  std::filesystem::path file_;
  int cacheKiB_ = kCacheKiB;
};

// The transaction of a long run of writes (an import, a compare). Its rule:
// what was written is kept, never rolled back. The run commits now and then
// and at its end; when it is left by an exception, the guard commits what was
// written so far before the exception travels on, so that the rows the user
// then sees are the rows that were stored. Whoever else commits the
// database's open transaction meanwhile (Views::RefreshAll) only commits
// earlier: the guard commits whatever is open when it goes.
class TransactionKeptOnFailure {
 public:
  // Commits a transaction left open on db, then begins one.
  explicit TransactionKeptOnFailure(Database& db);
  // Commits what is open; a failing commit while an exception is on its way
  // is dropped, so that the first failure is the one reported.
  ~TransactionKeptOnFailure();
  TransactionKeptOnFailure(const TransactionKeptOnFailure&) = delete;
  TransactionKeptOnFailure& operator=(const TransactionKeptOnFailure&) = delete;

  // Commits what is open and begins the next transaction.
  void CommitAndBegin();
  // Commits what is open; throws StoreError when the commit fails.
  void Commit();

 private:
  Database& db_;
};

// The three tables.
inline constexpr const char* kTable1 = "TABLE1";
inline constexpr const char* kTable2 = "TABLE2";
inline constexpr const char* kTableResult = "TABLERESULT";

}  // namespace twinscan::store
