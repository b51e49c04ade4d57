#pragma once
#include <string>

class IniFile;

// Where the orders are kept: the file data/data.mdb of this till, or a
// PostgreSQL server that several tills share. Kept in 配置文件.ini under
// [数据库]: 类型 = {sqlite} or {postgresql}, 连接 = {libpq connection text}.
struct DatabaseSettings {
    // Unknown: 类型 names neither; start-up refuses it rather than keep the
    // orders of a till meant for the server in a file of its own.
    enum class Engine { Sqlite, Postgresql, Unknown };

    Engine engine = Engine::Sqlite;
    std::string typeText; // 类型 as written
    std::string connection;
    // Kept in the password file of this user of the computer, never in the
    // INI file; empty leaves what is kept there as it is.
    std::string password;

    // A file or section without 类型 is today's single till on its file.
    static DatabaseSettings load(const IniFile& ini);
    // A password given, or one an older connection text holds, goes to the
    // password file and the rest to the INI file, which then only its owner
    // may read. False when a file could not be written.
    bool save(const IniFile& ini) const;

    // At start-up: an INI file that names a server and still holds a
    // password, or that others may read, is saved again as save() writes it.
    // False when that was needed and failed.
    bool secure(const IniFile& ini) const;

    bool onServer() const { return engine == Engine::Postgresql; }
    // What the cashier is told about an Unknown engine.
    std::string unknownEngineMessage() const;

    static constexpr const char* section = "数据库";
};
