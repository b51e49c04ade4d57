#pragma once
#include "storage/schema/Schema.h"
#include <string>
#include <string_view>

// The order database as PostgreSQL holds it. Every column keeps what the
// SQLite file keeps, in the same form, so that both read back alike:
// date-times as "YYYY-MM-DD HH:MM:SS" text, yes/no as 0/1, single precision
// as a double already cut to 7 digits, and text compared byte for byte.
namespace ServerSchema {

// A name as PostgreSQL reads it: ASCII names bare (folded, as Jet ignored
// their case), any other name in double quotes.
std::string name(std::string_view name);
// Amounts kept as whole yuan by earlier versions become money with two
// decimals, each stored value as it is; harmless where they already are.
std::string moneyConversionSql();
bool isPlainName(std::string_view name); // ASCII without double quotes
std::string columnSql(const ColumnDef& column);
// Creates the tables, columns and indexes a database lacks; harmless on one
// that has them all. The seed rows are Schema::seedSql().
std::string createSql();
// CREATE INDEX IF NOT EXISTS for an index, as PostgreSQL takes it.
std::string indexSql(const IndexDef& index);
// The one-row table that holds the schema version of a server; no table of
// the order database, so never copied or imported.
inline constexpr const char* versionTable = "\"数据库版本\"";
// Creates that table when missing and records `version` in it.
std::string recordVersionSql(int version);
// One row: whether the database is empty, and whether it lacks a table,
// column or function that createSql() and functionsSql() would add.
std::string lackingSql();
// The jet_* functions that translated statements call.
std::string functionsSql();

} // namespace ServerSchema
