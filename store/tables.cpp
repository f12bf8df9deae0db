#include "store/tables.h"

#include <cctype>
#include <initializer_list>
#include <span>

namespace twinscan::store {
namespace {

std::string_view DeclaredType(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Integer: return "INTEGER";
    case ColumnKind::Real: return "REAL";
    case ColumnKind::Date: return "DATE_TEXT";
    case ColumnKind::Boolean: return "BOOL_INTEGER";
    case ColumnKind::Text: break;
  }
  return "TEXT COLLATE NOCASE";
}

std::string CreateTable(std::string_view table, std::initializer_list<std::span<const TableColumn>> parts) {
  std::string sql = "CREATE TABLE " + std::string(table) + " (\n";
  std::string_view separator = "  ";
  for (std::span<const TableColumn> part : parts)
    for (const TableColumn& c : part) {
      // Names that start with a digit must be quoted.
      bool quoted = std::isdigit(static_cast<unsigned char>(c.name.front())) != 0;
      sql.append(separator).append(quoted ? "\"" : "").append(c.name).append(quoted ? "\" " : " ");
      sql.append(DeclaredType(c.kind));
      separator = ",\n  ";
    }
  return sql + "\n);\n";
}

}  // namespace

std::string TableDefinitions() {
  std::array<TableColumn, kFieldCount> differences{};
  for (size_t i = 0; i < kFields.size(); ++i) differences[i] = {kFields[i].code, ColumnKind::Text, false};
  std::string record = CreateTable("TABLE1", {kRecordColumns});
  return record + CreateTable("TABLE2", {kRecordColumns}) +
         CreateTable("TABLERESULT", {kResultLeadingColumns, differences, kResultReviewColumns});
}

}  // namespace twinscan::store
