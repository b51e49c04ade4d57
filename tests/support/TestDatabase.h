#pragma once
#include "support/TempFolder.h"

#include "storage/Clock.h"
#include "storage/Database.h"

#include <map>
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

    explicit TestDatabase(Start start = Start::FirstStart,
                          DateTime now = DateTime{2026, 12, 8, 12, 0, 0});
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

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
    Database db;
};
