#pragma once
#include "storage/engine/StorageFailure.h"
#include <string>
#include <vector>

struct sqlite3;

// How a database of an earlier schema version becomes one of Schema::version:
// the changes since databases carried a version, oldest first, each for a
// file and for a server. A change of the schema is one more step here, with
// Schema::version raised to its number.
namespace SchemaUpgrade {

struct Step {
    int version; // what the database is once the step is done
    // Changes a file: in a transaction of its own, or harmless when repeated
    // after a crash halfway.
    StorageFailure (*inFile)(sqlite3* db);
    // Statements for a server, run in the transaction that prepares it,
    // after ServerSchema::createSql() made what it lacked as this program's
    // version: harmless on a database that needs none.
    std::string onServer;
};

const std::vector<Step>& steps();

// Runs the steps a file lacks, in order, recording each as done in the file.
StorageFailure upgradeFile(sqlite3* db, int version);
// The steps' statements that bring a server of `version` up to
// Schema::version, and the record of it.
std::string serverSql(int version);

// Why a database of `version` is not used, naming it and this program's
// version; empty when this program can use it.
std::string refusal(int version);

} // namespace SchemaUpgrade
