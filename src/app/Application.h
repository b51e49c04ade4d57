#pragma once

class Clock;
class Database;
class QString;

// The program from start to end: refuse a second copy, open the database,
// apply the style, bring up the main window, run until it closes.
class Application {
  public:
    // Returns the exit code.
    static int run(int argc, char** argv);

    // Start-up steps that need the user: false ends the program.
    static bool checkSingleInstance();
    static bool openDatabase(Database& db, const Clock& clock);
    // A damaged database: offers the newest sound automatic copy in its place.
    static bool restoreNewestCopy(Database& db, const Clock& clock, const QString& damage);
};
