// twinscan-baseline: the bars the program's figures are measured against,
// done with the SQLite library alone and nothing of the program's work.
//   twinscan-baseline load SOURCE_DB TABLE TARGET_DB [--indexes]
//     reads TABLE's rows from SOURCE_DB into memory, then times loading them
//     into a new TABLE in TARGET_DB through one prepared statement in
//     5,000-row transactions (with --indexes, followed by building TABLE's
//     indexes as SOURCE_DB has them).
//   twinscan-baseline compare DB
//     times one INSERT ... SELECT that pairs TABLE1 and TABLE2 as the start
//     settings do and writes the difference texts into TABLERESULT, error-free
//     records only, in one transaction.
//   twinscan-baseline write FILE OUT
//     times writing FILE's bytes to OUT as the program writes its files.
// Prints the timed seconds on stdout.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench.h"
#include "record/output_file.h"
#include "store/database.h"

namespace {

using namespace twinscan;
using bench::Stopwatch;
using store::QuoteName;

constexpr int kRowsPerTransaction = 5000;

std::vector<std::string> Strings(store::Database& db, const std::string& sql) {
  std::vector<std::string> out;
  store::Statement s = db.Prepare(sql);
  while (s.Step()) out.emplace_back(s.ColumnText(0));
  return out;
}

std::vector<std::string> ColumnsOf(store::Database& db, const std::string& table) {
  return Strings(db, "SELECT name FROM pragma_table_info('" + table + "') ORDER BY cid");
}

int Load(const std::string& sourceFile, const std::string& table, const std::string& targetFile, bool indexes) {
  auto source = store::Database::Open(sourceFile);
  std::string create =
      Strings(*source, "SELECT sql FROM sqlite_master WHERE type='table' AND name='" + table + "'").at(0);
  std::vector<std::string> indexSql = Strings(
      *source, "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name='" + table + "' AND sql NOT NULL");
  std::vector<std::string> columns = ColumnsOf(*source, table);
  std::vector<std::vector<store::Value>> rows;
  {
    store::Statement read = source->Prepare("SELECT * FROM " + QuoteName(table));
    std::vector<store::ColumnKind> kinds;
    for (int c = 0; c < read.ColumnCount(); ++c) kinds.push_back(read.ColumnKindOf(c));
    while (read.Step()) {
      std::vector<store::Value> row;
      for (int c = 0; c < read.ColumnCount(); ++c) row.push_back(read.Column(c, kinds[static_cast<size_t>(c)]));
      rows.push_back(std::move(row));
    }
  }
  source.reset();

  std::remove(targetFile.c_str());
  store::Database::Create(targetFile, "PRAGMA journal_mode = WAL;\n" + create + ";").reset();
  auto target = store::Database::Open(targetFile);  // the program's connection settings
  std::string names, marks;
  for (size_t c = 0; c < columns.size(); ++c) {
    names += (c ? ", " : "") + QuoteName(columns[c]);
    marks += c ? ", ?" : "?";
  }
  Stopwatch watch;
  store::Statement insert =
      target->Prepare("INSERT INTO " + QuoteName(table) + " (" + names + ") VALUES (" + marks + ")");
  target->Begin();
  for (size_t r = 0; r < rows.size(); ++r) {
    if (r > 0 && r % kRowsPerTransaction == 0) {
      target->Commit();
      target->Begin();
    }
    insert.Reset();
    for (size_t c = 0; c < columns.size(); ++c) insert.BindNoCopy(static_cast<int>(c) + 1, rows[r][c]);
    insert.Step();
  }
  target->Commit();
  if (indexes)
    for (const std::string& sql : indexSql) target->Execute(sql);
  std::printf("%.3f\n", watch.Seconds());
  return 0;
}

int Compare(const std::string& file) {
  auto db = store::Database::Open(file);
  std::vector<std::string> primaryColumns = ColumnsOf(*db, "TABLE1");
  std::string columns = "linenumber, linenumber2", values = "p.linenumber, s.linenumber";
  for (const std::string& c : ColumnsOf(*db, "TABLERESULT")) {
    bool field = false;
    for (const std::string& p : primaryColumns) field = field || (p == c && c != "linenumber");
    if (!field) continue;
    std::string q = QuoteName(c);
    columns += ", " + q;
    values += ", CASE WHEN p." + q + " IS NOT s." + q + " THEN p." + q + " || ' <-> ' || s." + q + " END";
  }
  std::string sql = "INSERT INTO TABLERESULT (" + columns + ") SELECT " + values +
                    " FROM TABLE1 p JOIN TABLE2 s INDEXED BY TABLE2_4C ON s.\"4C\" IS p.\"4C\" AND"
                    " s.\"1A\" IS p.\"1A\" AND s.\"6A\" = p.\"6A\" AND s.\"4A\" = p.\"4A\" AND"
                    " s.\"13Y\" = p.\"13Y\" WHERE p.error = 0 AND s.error = 0";
  Stopwatch watch;
  db->Begin();
  db->Execute("DELETE FROM TABLERESULT");
  db->Execute(sql);
  db->Commit();
  double seconds = watch.Seconds();
  std::fprintf(stderr, "baseline pairs: %lld\n",
               static_cast<long long>(db->QueryInt("SELECT count(*) FROM TABLERESULT")));
  std::printf("%.3f\n", seconds);
  return 0;
}

int Write(const std::string& file, const std::string& out) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string data = bytes.str();
  Stopwatch watch;
  AtomicOutputFile target(out);
  if (!target.Open() || !target.Write(data) || !target.Commit()) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%.3f\n", watch.Seconds());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  try {
    if (a.size() >= 4 && a[0] == "load") return Load(a[1], a[2], a[3], a.size() > 4 && a[4] == "--indexes");
    if (a.size() == 2 && a[0] == "compare") return Compare(a[1]);
    if (a.size() == 3 && a[0] == "write") return Write(a[1], a[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "twinscan-baseline: %s\n", e.what());
    return 1;
  }
  std::fputs("usage: twinscan-baseline load SOURCE_DB TABLE TARGET_DB [--indexes] | compare DB | write FILE OUT\n",
             stderr);
  return 2;
}
