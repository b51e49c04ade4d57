#pragma once
#include <string>
#include <string_view>
#include <vector>

// What a column holds, as the order database declares it.
// Memo is Access's long text: no length limit.
enum class ColumnKind {
    AutoNumber,
    Int32,
    Int16,
    Single,
    Double,
    Decimal,
    Money, // yuan with two decimals: what the cashier saw, to the fen
    YesNo,
    Text,
    Memo,
    DateTime
};

struct ColumnDef {
    std::string name;
    ColumnKind kind;
    int length = 0;         // characters, text columns only
    bool inTemplate = true; // false: added by the schema upgrade
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    bool inTemplate = true; // false: created by the schema upgrade
};

// An index of the order database. One with `nonEmpty` holds only the rows
// whose text column of that name is not empty.
struct IndexDef {
    std::string name;
    std::string table;
    std::vector<std::string> columns;
    std::string nonEmpty;
    bool inTemplate = false; // false: created at start-up
};

// The tables of the order database, the SQLite text that creates them and
// the rows a new database starts with. Kept free of the rest of the storage
// layer: the template generator is built from this file alone.
namespace Schema {

// The version of the tables, columns and indexes this program uses. A file
// keeps it as PRAGMA user_version, a server in a one-row table; files from
// before versions read 0. Every later change of the schema raises it and
// adds its step to SchemaUpgrade, which brings older databases up to it. A
// database of a later version is refused, never written to.
inline constexpr int version = 9;

const std::vector<TableDef>& tables();
// Every index of both engines; nothing else creates one.
const std::vector<IndexDef>& indexes();
// CREATE INDEX IF NOT EXISTS for an index, as SQLite takes it.
std::string createIndexSql(const IndexDef& index);
const TableDef* findTable(std::string_view name); // ASCII case ignored
const ColumnDef* findColumn(const TableDef& table, std::string_view name);
// The same, looking first at the column after `previous` (statements list
// columns mostly in table order).
const ColumnDef* findColumnAfter(const TableDef& table, std::string_view name,
                                 const ColumnDef* previous);
// The date-time columns of any table are named like this.
bool isDateTimeColumnName(std::string_view name);

// Column definition for CREATE TABLE / ALTER TABLE ADD, with the checks that
// make SQLite refuse what the Access engine refused.
std::string columnSql(const ColumnDef& column);
// CREATE TABLE IF NOT EXISTS for a table, every column of it included.
std::string createTableSql(const TableDef& table);
// Statements that create an empty, seeded database (the template).
std::string templateSql();
// The INSERTs of the rows a new database starts with.
std::string seedSql();

// Declared type text of a column kind, and the kind back from a declared
// type (as sqlite3_column_decltype reports it).
std::string declaredType(ColumnKind kind, int length);
bool kindFromDeclaredType(const char* declared, ColumnKind& kind);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace Schema
