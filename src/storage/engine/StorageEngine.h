#pragma once
#include "storage/engine/ResultRows.h"
#include "storage/engine/StorageFailure.h"
#include <memory>
#include <string>

class Clock;

// What Database needs of the engine behind it. Statements arrive already
// translated for that engine, one at a time; a failing call leaves its
// message in `error` and its cause in failure().
class StorageEngine {
  public:
    virtual ~StorageEngine() = default;

    virtual bool execute(const std::string& sql, std::string& error) = 0;
    // Null when the statement failed.
    virtual std::unique_ptr<ResultRows> query(const std::string& sql, std::string& error) = 0;
    // A transaction holds the right to write until it ends, so two tills
    // never interleave their writes.
    virtual bool begin(std::string& error) = 0;
    virtual bool commit(std::string& error) = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;
    virtual long long lastInsertId() const = 0;
    virtual StorageFailure failure() const = 0;
    // The clock that completes dates written without a year.
    virtual void setClock(const Clock* clock) = 0;
    // Long work (conversions, restores, imports, reports over years) waits
    // longer for each statement than a cashier's action.
    virtual void setLongWork(bool) {}
};
