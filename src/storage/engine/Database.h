#pragma once
#include "storage/dialect/JetTranslator.h"
#include "storage/engine/CheckMarker.h"
#include "storage/engine/DbValue.h"
#include "storage/engine/ReadResult.h"
#include "storage/engine/Rows.h"
#include "storage/engine/StorageFailure.h"
#include <map>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
class Clock;
class ResultRows;
class StorageEngine;
struct ColumnDef;
struct TableDef;

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
    // with the first then the second connection text, refuses a file of a
    // later schema version (LaterVersion) or one that is not sound (Damaged)
    // before anything writes to it, upgrades the schema. Every page is read
    // back, and indexes that disagree with their tables rebuilt, at the first
    // start of a day and after an end that was not clean (see CheckMarker):
    // on a year's orders that takes longer than every start may.
    bool open(const std::string& path, const std::string& password);
    // The last open() found indexes that disagreed with their tables and
    // rebuilt them from the tables.
    bool indexesRebuilt() const { return m_indexesRebuilt; }
    // The file is whole and every table and column is there, and with
    // `everyPage` every page reads back sound; false (with lastFailure()
    // Damaged) otherwise. Reads only.
    bool isSound(bool everyPage = true);
    // Connects to a PostgreSQL server (a libpq connection text). An empty
    // database there gets the tables and rows of the template first; tills
    // that start together create them once.
    bool openServer(const std::string& libpqConnection);
    bool isServer() const { return m_server; }
    // "host:port" and the database of the server; empty on the file.
    const std::string& serverName() const { return m_serverName; }
    const std::string& serverDatabase() const { return m_serverDatabase; }
    // The name of this till, written with every order and change record;
    // the computer's host name unless start-up sets the chosen one.
    const std::string& tillName() const { return m_tillName; }
    void setTillName(std::string name) { m_tillName = std::move(name); }
    // The cashier at the till, written with every order and change record;
    // empty where the shop keeps no cashier list.
    const std::string& cashierName() const { return m_cashierName; }
    void setCashierName(std::string name) { m_cashierName = std::move(name); }
    // Long work (conversions, restores, imports, reports over years) may
    // keep the server busy far longer than a cashier's action may wait.
    void setLongWork(bool longWork);

    // A statement whose text holds a NUL fails (NulInText) before it runs:
    // the engine would read it only up to the NUL. Text that is not valid
    // UTF-8 fails (InvalidText) on both engines, naming its column.
    [[nodiscard]] bool ExecuteSql(const std::string& sql);
    // Every row of a select, or why it could not be read: a statement that
    // fails at its start or part way through never reads as fewer rows.
    ReadResult<Rows> read(const std::string& sql);
    // The first column of the first row (Empty when there is no row), or why
    // it could not be read.
    ReadResult<DbValue> readValue(const std::string& sql);
    // The same for statements of this program's own, written alike for both
    // engines and run as they are, untranslated.
    [[nodiscard]] bool executeOwn(const std::string& sql);
    ReadResult<Rows> readOwn(const std::string& sql);
    // A cursor for callers that walk rows themselves; 0 when the statement
    // failed. A read that fails after the first row ends it like its last
    // row, so answers that must be whole come from read().
    int OpenTable(const std::string& sql);
    bool IsEOF(int handle) const;
    void MoveNext(int handle);
    DbValue ReadColByName(int handle, const std::string& column) const;
    DbValue ReadColByIndex(int handle, int position) const; // positions from 1
    void CloseTable(int handle);
    // Whether the cursor stopped early because a later row could not be read;
    // lastFailure() then says why. Asked after walking to the end.
    bool cursorFailed(int handle);
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
    bool hasUsableVersion();
    bool checkFile(bool everyPage);
    bool upgradeSchema();
    bool fail(StorageFailure failure, std::string message);
    // The cause and message of the failure just recorded.
    ReadFailure readFailure() const { return {m_failure, m_lastError}; }
    bool failFromEngine();
    bool engineFailed();
    // Clears the last failure; false (NotOpen or NulInText) when `sql` cannot run.
    bool startStatement(const std::string& sql);
    // Every row of an open cursor, which it then closes.
    ReadResult<Rows> readAll(int handle);

    std::unique_ptr<StorageEngine> m_engine;
    sqlite3* m_db = nullptr; // the SQLite engine's file; null on a server
    bool m_server = false;
    std::string m_serverName;
    std::string m_serverDatabase;
    std::string m_tillName;
    std::string m_cashierName;
    std::map<int, std::unique_ptr<ResultRows>> m_recordSets;
    int m_nextHandle = 1;
    std::string m_lastError;
    StorageFailure m_failure = StorageFailure::None;
    const Clock* m_clock;
    JetTranslator m_translator;
    std::optional<CheckMarker> m_marker; // a file opened by open(), until closed
    bool m_indexesRebuilt = false;
};
