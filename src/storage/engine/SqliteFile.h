#pragma once
#include "storage/engine/StorageFailure.h"
#include <string>

struct sqlite3;

// What Database needs to know about the SQLite file behind it: whether it is
// sound, how a failure of the engine reads to the cashier, and the one-time
// repair of files written by earlier versions.
namespace SqliteFile {

// True when the file is as long as its header says, holds every table and
// column of the schema with its kind, and, with `everyPage`, every page reads
// back sound and every index holds what its table does (integrity_check,
// some seconds at a million order lines); else `problem` says what is
// wrong, and `onlyIndexes` whether all of it is index entries that disagree
// with their tables, which rebuildIndexes() can mend. Reads only.
bool isSound(sqlite3* db, bool everyPage, std::string& problem, bool* onlyIndexes = nullptr);

// Rebuilds every index from its table and reads the file whole again, in one
// transaction; false with `problem`, and the file as it was, when it is
// still not sound.
bool rebuildIndexes(sqlite3* db, std::string& problem);

// Earlier versions declared text columns to compare ignoring letter case, so
// "vip" matched "VIP" on update and delete. Rewrites those declarations to
// compare exactly and rebuilds the indexes, in one transaction; None when
// there was nothing to do or it was done.
StorageFailure makeTextExact(sqlite3* db);

// Earlier versions kept amounts as whole yuan or as 7-digit floats. Declares
// them as money with two decimals, leaving every stored value as it is.
StorageFailure keepMoneyToTheFen(sqlite3* db);

// Creates the tables and adds the columns that came after the template and
// the file lacks; None when it has them all or they were added.
StorageFailure addLaterTablesAndColumns(sqlite3* db);

// The schema version the file carries (PRAGMA user_version); false when it
// cannot be read.
bool version(sqlite3* db, int& version);

// The failure behind the connection's last error code.
StorageFailure failureOf(sqlite3* db);

} // namespace SqliteFile
