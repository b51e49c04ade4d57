#pragma once
#include "support/ServerDatabase.h"
#include "support/TempFolder.h"

#include "storage/values/Clock.h"
#include "storage/engine/Database.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// One stored row, its columns read as text.
using Row = std::map<std::string, std::string>;

// A database file in a program folder of its own, on a clock the test sets, with shortcuts for the
// rows tests write and read.
class TestDatabase {
  public:
    enum class Start {
        Template,   // the file as the program creates it: catalogue and tables
        FirstStart, // and the settings a first start seeds
        Receipt,    // and the receipt settings, as the program starts
    };

    // The server is a fresh database on TABLEWISE_TEST_SERVER; a suite run on
    // both skips the server half where that is not set (see serverMissing()).
    enum class Engine { Sqlite, Server };

    explicit TestDatabase(Start start = Start::FirstStart,
                          DateTime now = DateTime{2026, 12, 8, 12, 0, 0},
                          Engine engine = Engine::Sqlite);
    explicit TestDatabase(Engine engine, Start start = Start::FirstStart);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Asked for the server where none is set: the test skips.
    bool serverMissing() const { return m_engine == Engine::Server && !server; }

    // A test fails when the statement fails; the statement and the error say why.
    bool execute(const std::string& sql);
    // The first column of the first row, as text.
    std::string scalar(const std::string& sql);
    int count(const std::string& sql);
    std::vector<Row> rows(const std::string& sql, const std::vector<std::string>& columns);

    struct OrderRow {
        std::string time = "2017-05-15 12:30:00";
        std::string total = "10";
        std::string paid = "10";
        std::string table;
        std::string telephone;
        std::string address;
        std::string remark;
        std::string number = "1";
    };
    // Returns the new order's ID.
    long long addOrder(const OrderRow& order);
    void addOrders(int count); // in one commit
    void addLine(long long orderId, const std::string& saleTime, const std::string& dish,
                 const std::string& quantity = "2", const std::string& subtotal = "30");
    void addCustomer(const std::string& telephone, const std::string& name,
                     const std::string& address);

    TestProgramFolder folder;
    FixedClock clock;
    std::unique_ptr<ServerDatabase> server;
    Database db;

  private:
    Engine m_engine;
};

// A suite that runs on both engines derives from this, makes its TestDatabase
// with GetParam(), uses TEST_P and
// INSTANTIATE_TEST_SUITE_P(Engines, Suite, bothEngines, engineName).
// A SetUp of its own calls this one first and returns when IsSkipped().
class OnBothEngines : public ::testing::TestWithParam<TestDatabase::Engine> {
  protected:
    void SetUp() final;
    // A fixture's own rows, added only when its engine is there to take them.
    virtual void addRows() {}
};

inline const auto bothEngines =
    ::testing::Values(TestDatabase::Engine::Sqlite, TestDatabase::Engine::Server);
std::string engineName(const ::testing::TestParamInfo<TestDatabase::Engine>& info);
// The engine as test output names it: "sqlite" or "server".
void PrintTo(TestDatabase::Engine engine, std::ostream* out);
