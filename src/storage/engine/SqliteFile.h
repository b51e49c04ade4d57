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
// back sound (quick_check, which takes about a second a 150 MB); else
// `problem` says what is wrong.
bool isSound(sqlite3* db, bool everyPage, std::string& problem);

// Earlier versions declared text columns to compare ignoring letter case, so
// "vip" matched "VIP" on update and delete. Rewrites those declarations to
// compare exactly and rebuilds the indexes, in one transaction; None when
// there was nothing to do or it was done.
StorageFailure makeTextExact(sqlite3* db);

// Earlier versions kept amounts as whole yuan or as 7-digit floats. Declares
// them as money with two decimals, leaving every stored value as it is.
StorageFailure keepMoneyToTheFen(sqlite3* db);

// The failure behind the connection's last error code.
StorageFailure failureOf(sqlite3* db);

} // namespace SqliteFile
