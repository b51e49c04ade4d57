#pragma once

class Clock;
class Database;
class QString;
struct DatabaseSettings;

#include <string>

// The program from start to end: refuse a second copy, open the database,
// apply the style, bring up the main window, run until it closes.
class Application {
  public:
    // Returns the exit code.
    static int run(int argc, char** argv);

    // Start-up steps that need the user: false ends the program.
    static bool checkSingleInstance();
    // The engine 配置文件.ini names: this till's file, or the shared server.
    static bool openChosenDatabase(Database& db, const Clock& clock,
                                   const DatabaseSettings& settings);
    static bool openDatabase(Database& db, const Clock& clock);
    // A server that cannot be reached is named, with retry or quit.
    static bool openServer(Database& db, const Clock& clock, const std::string& connection);
    // A damaged database: offers the newest sound automatic copy in its place.
    static bool restoreNewestCopy(Database& db, const Clock& clock, const QString& damage);
};
