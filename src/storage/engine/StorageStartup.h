#pragma once
#include <string>

class Database;

// What start-up does with storage, in order: create data/ and the database
// from the template when missing, connect with the first and then the second
// connection text, upgrade the schema, seed the settings of a new store.
namespace StorageStartup {

// The fixed password both connection texts carry.
inline constexpr const char* password = "tw";

// Opens ProgramFolder::databasePath(), after removing the unfinished copies an
// earlier run left in the backup folder. False when neither connection text
// works, the file is of a later version or not sound, or the first settings
// cannot be stored; Database::lastFailure() says which, and the caller ends
// the program.
[[nodiscard]] bool openDatabase(Database& db);
[[nodiscard]] bool openDatabase(Database& db, const std::string& path);

// Connects to the shared server and seeds the settings of a new store there.
[[nodiscard]] bool openServer(Database& db, const std::string& connection);
// Why openServer failed, naming the server (host and port), never the password.
std::string serverFailureMessage(Database& db, const std::string& connection);

// What the cashier is told when openDatabase failed: a damaged file is named
// with where it is, a file of a later version with both versions, other
// causes the engine can name are given.
std::string failureMessage(const Database& db, const std::string& path);

// What the cashier is told after openDatabase succeeded because it mended
// the file; empty when there was nothing to mend.
std::string notice(const Database& db);

} // namespace StorageStartup
