#pragma once
#include <string>

class Database;

// What start-up does with storage, in order: create data/ and the database
// from the template when missing, connect with the first and then the second
// connection text, upgrade the schema, seed the settings of a new store.
namespace StorageStartup {

// The fixed password both connection texts carry.
inline constexpr const char* password = "tw";

// Opens ProgramFolder::databasePath(). False when neither connection text
// works; the caller then shows "数据库打开失败。" and ends the program.
bool openDatabase(Database& db);
bool openDatabase(Database& db, const std::string& path);

} // namespace StorageStartup
