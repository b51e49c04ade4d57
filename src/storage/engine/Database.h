#pragma once
#include "storage/engine/DbValue.h"
#include "storage/dialect/JetTranslator.h"
#include "storage/engine/StorageFailure.h"
#include <map>
#include <memory>
#include <string>

struct sqlite3;
class Clock;
class ResultRows;
class StorageEngine;

// The one connection to the order database: an SQLite file, or a PostgreSQL
// server that several tills share. Statements are written in the Access (Jet)
// dialect and translated for the engine before they run.
class Database {
  public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The two connection texts that start-up tries, in order.
    static std::string primaryConnectionText(const std::string& path, const std::string& password);
    static std::string fallbackConnectionText(const std::string& path, const std::string& password);

    // Connects to the file named by DBQ= in the connection text.
    bool NewOpenDatabase(const std::string& connectionText);
    // Start-up: creates data/ and the template file when missing, connects
    // with the first then the second connection text, refuses a file that is
    // not sound before anything writes to it, upgrades the schema. Every page
    // is read back at the first start of a day only, which a file beside the
    // database (path + ".checked") remembers: on a year's orders that takes
    // longer than a start-up may; the other checks run at every start.
    bool open(const std::string& path, const std::string& password);
    // The file is whole and every table and column is there, and with
    // `everyPage` every page reads back sound; false (with lastFailure()
    // Damaged) otherwise. Reads only.
    bool isSound(bool everyPage = true);
    // Connects to a PostgreSQL server (a libpq connection text). An empty
    // database there gets the tables and rows of the template first; tills
    // that start together create them once.
    bool openServer(const std::string& libpqConnection);
    bool isServer() const { return m_server; }

    // A statement whose text holds a NUL fails (NulInText) before it runs:
    // the engine would read it only up to the NUL.
    bool ExecuteSql(const std::string& sql);
    int OpenTable(const std::string& sql); // 0 when the statement failed
    bool IsEOF(int handle) const;
    void MoveNext(int handle);
    DbValue ReadColByName(int handle, const std::string& column) const;
    DbValue ReadColByIndex(int handle, int position) const; // positions from 1
    void CloseTable(int handle);
    int columnCount(int handle) const; // 0 for handle 0

    // Transactions for operations that must store all or nothing.
    bool begin();
    bool commit();
    void rollback();
    bool inTransaction() const;

    // ID created by the last successful insert of this connection.
    long long lastInsertId() const;
    std::string lastError() const { return m_lastError; }
    // Why the last operation failed; None after one that succeeded.
    StorageFailure lastFailure() const { return m_failure; }
    bool isOpen() const { return m_engine != nullptr; }
    // The SQLite connection itself, for measurements that compare with it;
    // null on a server.
    sqlite3* connection() const { return m_db; }
    void close();

    // The clock that completes dates written without a year; it must outlive
    // the connection. Clock::system() unless a test sets another.
    void setClock(const Clock& clock);
    // The same clock stamps the change records.
    const Clock& clock() const { return *m_clock; }
    // The statement as the engine runs it; false when it cannot be translated.
    bool translate(const std::string& jet, std::string& translated);

    // The file path named by DBQ= in a connection text (empty when none).
    static std::string pathFromConnectionText(const std::string& connectionText);

  private:
    bool upgradeSchema();
    // The columns later versions added, on a file of an earlier one.
    bool addLaterColumns();
    bool hasColumn(const std::string& table, const std::string& column);
    bool fail(StorageFailure failure, std::string message);
    bool failFromEngine();
    bool engineFailed();
    // Clears the last failure; false (NotOpen or NulInText) when `sql` cannot run.
    bool startStatement(const std::string& sql);

    std::unique_ptr<StorageEngine> m_engine;
    sqlite3* m_db = nullptr; // the SQLite engine's file; null on a server
    bool m_server = false;
    std::map<int, std::unique_ptr<ResultRows>> m_recordSets;
    int m_nextHandle = 1;
    std::string m_lastError;
    StorageFailure m_failure = StorageFailure::None;
    const Clock* m_clock;
    JetTranslator m_translator;
};
